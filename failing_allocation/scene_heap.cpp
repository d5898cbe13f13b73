// The scene library's heap on the counted one.

#include "failing_allocation/counted_heap.h"
#include "scene/allocation.h"

void* sceneAllocate(std::size_t count, std::size_t size) { return countedAllocate(count, size); }

void* sceneAllocateUnfilled(std::size_t size) { return countedAllocateUnfilled(size); }

void sceneRelease(void* memory) { countedRelease(memory); }
