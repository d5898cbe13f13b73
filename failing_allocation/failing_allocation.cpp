#include "failing_allocation/failing_allocation.h"

#include <cstdlib>

#include "failing_allocation/counted_heap.h"

namespace {
long failFrom = 0;
long attempted = 0;
long live = 0;

// Counts an attempt; false when it is to fail.
bool attemptSucceeds() {
  ++attempted;
  return failFrom <= 0 || attempted < failFrom;
}

void* counted(void* memory) {
  if (memory) ++live;
  return memory;
}

}  // namespace

void failAllocationsFrom(long n) {
  failFrom = n;
  attempted = 0;
}

long allocationsAttempted() { return attempted; }

long liveAllocations() { return live; }

void* countedAllocate(std::size_t count, std::size_t size) {
  return attemptSucceeds() ? counted(std::calloc(count, size)) : nullptr;
}

void* countedAllocateUnfilled(std::size_t size) {
  return attemptSucceeds() ? counted(std::malloc(size)) : nullptr;
}

void countedRelease(void* memory) {
  if (memory) --live;
  std::free(memory);
}
