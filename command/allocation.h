// The command's one source of heap memory (the per-run PanelContext), kept in
// a library of its own so that tests can link an allocator that fails.

#ifndef QUORVEL_COMMAND_ALLOCATION_H_
#define QUORVEL_COMMAND_ALLOCATION_H_

#include <cstddef>

// Zero-filled memory of `size` bytes owned by the caller; null when it
// cannot be had.
void* commandAllocate(std::size_t size);

// Gives back memory from commandAllocate. Null is allowed.
void commandRelease(void* memory);

#endif  // QUORVEL_COMMAND_ALLOCATION_H_
