// The scene library's one source of heap memory. Every node, text and record
// the library makes comes from sceneAllocate and goes back through
// sceneRelease, so a test can link its own allocator (one that fails on the
// Nth call) in place of allocation.cpp and prove that every edit is all or
// nothing.

#ifndef QUORVEL_SCENE_ALLOCATION_H_
#define QUORVEL_SCENE_ALLOCATION_H_

#include <cstddef>

// Zero-filled memory for `count` objects of `size` bytes, owned by the
// caller; null when it cannot be had.
void* sceneAllocate(std::size_t count, std::size_t size);

// Memory for `size` bytes that the caller writes in full at once (its
// content is unspecified until then), owned by the caller; null when it
// cannot be had.
void* sceneAllocateUnfilled(std::size_t size);

// Gives back memory from sceneAllocate or sceneAllocateUnfilled. Null is
// allowed.
void sceneRelease(void* memory);

#endif  // QUORVEL_SCENE_ALLOCATION_H_
