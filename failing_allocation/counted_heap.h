// The heap that every failing allocator hands out from, counting attempts
// and live blocks. Internal to failing_allocation.

#ifndef QUORVEL_FAILING_ALLOCATION_COUNTED_HEAP_H_
#define QUORVEL_FAILING_ALLOCATION_COUNTED_HEAP_H_

#include <cstddef>

// Zero-filled memory for `count` objects of `size` bytes, owned by the
// caller; null when failAllocationsFrom has this allocation fail or the
// system has none.
void* countedAllocate(std::size_t count, std::size_t size);

// As countedAllocate, `size` bytes left unfilled.
void* countedAllocateUnfilled(std::size_t size);

// Gives back memory from countedAllocate or countedAllocateUnfilled. Null is
// allowed.
void countedRelease(void* memory);

#endif  // QUORVEL_FAILING_ALLOCATION_COUNTED_HEAP_H_
