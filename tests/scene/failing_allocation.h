// The scene tests' heap: the library's allocator, linked in place of the real
// one, which can be told to fail so that tests prove every operation is all
// or nothing. It also counts live blocks, so a test can prove nothing leaked.

#ifndef QUORVEL_TESTS_SCENE_FAILING_ALLOCATION_H_
#define QUORVEL_TESTS_SCENE_FAILING_ALLOCATION_H_

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

#endif  // QUORVEL_TESTS_SCENE_FAILING_ALLOCATION_H_
