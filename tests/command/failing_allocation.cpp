// The command tests' heap, linked in place of the real one: it can be told to
// refuse the next allocation, and it counts blocks not given back.

#include "tests/command/command_test_support.h"

#include <cstdlib>

#include "command/allocation.h"

namespace {
bool refuseNext = false;
long live = 0;
}  // namespace

void refuseNextCommandAllocation() { refuseNext = true; }

long liveCommandAllocations() { return live; }

void* commandAllocate(std::size_t size) {
  if (refuseNext) {
    refuseNext = false;
    return nullptr;
  }
  ++live;
  return std::calloc(1, size);
}

void commandRelease(void* memory) {
  if (memory) --live;
  std::free(memory);
}
