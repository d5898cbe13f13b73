#include "scene/allocation.h"

#include <cstdlib>

void* sceneAllocate(std::size_t count, std::size_t size) { return std::calloc(count, size); }

void* sceneAllocateUnfilled(std::size_t size) { return std::malloc(size); }

void sceneRelease(void* memory) { std::free(memory); }
