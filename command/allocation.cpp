#include "command/allocation.h"

#include <cstdlib>

void* commandAllocate(std::size_t size) { return std::calloc(1, size); }

void commandRelease(void* memory) { std::free(memory); }
