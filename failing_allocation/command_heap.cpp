// The command's heap on the counted one.

#include "command/allocation.h"
#include "failing_allocation/counted_heap.h"

void* commandAllocate(std::size_t size) { return countedAllocate(1, size); }

void commandRelease(void* memory) { countedRelease(memory); }
