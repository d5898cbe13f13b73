#include "tests/scene/failing_allocation.h"

#include <cstdlib>

#include "scene/allocation.h"

namespace {
long failFrom = 0;
long attempted = 0;
long live = 0;
}  // namespace

void failAllocationsFrom(long n) {
  failFrom = n;
  attempted = 0;
}

long allocationsAttempted() { return attempted; }

long liveAllocations() { return live; }

void* sceneAllocate(std::size_t count, std::size_t size) {
  ++attempted;
  if (failFrom > 0 && attempted >= failFrom) return nullptr;
  void* memory = std::calloc(count, size);
  if (memory) ++live;
  return memory;
}

void* sceneAllocateUnfilled(std::size_t size) {
  ++attempted;
  if (failFrom > 0 && attempted >= failFrom) return nullptr;
  void* memory = std::malloc(size);
  if (memory) ++live;
  return memory;
}

void sceneRelease(void* memory) {
  if (memory) --live;
  std::free(memory);
}
