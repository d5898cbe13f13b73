// What the platforms' file replacements share: the name of the temporary
// file written before it takes the target's place, and the two file
// operations each platform does its own way. Internal to file_replace.

#ifndef QUORVEL_FILE_REPLACE_REPLACEMENT_FILES_H_
#define QUORVEL_FILE_REPLACE_REPLACEMENT_FILES_H_

#include <cstddef>

// How many names a replacement tries before it gives up: attempts 0 to 99.
inline constexpr int TEMPORARY_NAME_ATTEMPTS = 100;
// The most bytes a temporary name adds to its target's: ".<pid>-<attempt>.part",
// a pid of at most ten digits and an attempt of at most two.
inline constexpr std::size_t LONGEST_TEMPORARY_SUFFIX = 1 + 10 + 1 + 2 + 5;
// Room for a temporary name beyond its target's, its NUL included.
inline constexpr std::size_t TEMPORARY_NAME_EXTRA = 48;

// Writes "<target>.<pid>-<attempt>.part" and its NUL to `name`, which
// REQUIRES room for targetLength + TEMPORARY_NAME_EXTRA bytes; `target`
// REQUIRES targetLength bytes, and attempt is below TEMPORARY_NAME_ATTEMPTS.
void writeTemporaryName(char* name, const char* target, std::size_t targetLength, long pid,
                        int attempt);

// Moves the file at `temporary` over the file at `target` in one step (the
// target need not exist); true when it did.
bool moveOverTarget(const char* temporary, const char* target);

// Removes the file at `path`; a failure is not reported.
void removeTemporary(const char* path);

#endif  // QUORVEL_FILE_REPLACE_REPLACEMENT_FILES_H_
