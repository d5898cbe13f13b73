// A heap for the tests and the fuzz targets that can be told to fail, linked
// in place of a library's own (scene/allocation.h, command/allocation.h), so
// that they prove every operation all or nothing. It counts the blocks not
// given back, so that they prove nothing leaked.
//
// Link quorvel_failing_scene_allocation in place of quorvel_scene_allocation,
// or quorvel_failing_command_allocation in place of
// quorvel_command_allocation. One program links one of them; both count on
// the same counters. Not thread-safe: one thread allocates at a time.

#ifndef QUORVEL_FAILING_ALLOCATION_FAILING_ALLOCATION_H_
#define QUORVEL_FAILING_ALLOCATION_FAILING_ALLOCATION_H_

#include <cstddef>

// From now on, the allocation numbered `n` (1 = the next one) and every one
// after it fail. n <= 0 lets every allocation succeed again.
void failAllocationsFrom(long n);

// Allocations made since the last failAllocationsFrom (failed ones included).
long allocationsAttempted();

// Blocks handed out and not yet released.
long liveAllocations();

// Runs `operation` (which makes its own fresh state and returns whether it
// succeeded) with allocation N failing, for N = 1, 2, ..., and calls
// `checkAfterFailure(n, succeeded)` after each run that met the failure. Stops
// at the first run that never reached allocation N and returns the number of
// allocations that complete run made.
template <typename Operation, typename Check>
long forEachFailingAllocation(Operation operation, Check checkAfterFailure) {
  for (long n = 1;; ++n) {
    failAllocationsFrom(n);
    bool succeeded = operation();
    long attempted = allocationsAttempted();
    failAllocationsFrom(0);
    if (attempted < n) return attempted;
    checkAfterFailure(n, succeeded);
  }
}

#endif  // QUORVEL_FAILING_ALLOCATION_FAILING_ALLOCATION_H_
