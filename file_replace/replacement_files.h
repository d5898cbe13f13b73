// What the platforms' file replacements share: the name of the temporary
// file written before it takes the target's place, and the two file
// operations each platform does its own way. Internal to file_replace.

#ifndef QUORVEL_FILE_REPLACE_REPLACEMENT_FILES_H_
#define QUORVEL_FILE_REPLACE_REPLACEMENT_FILES_H_

#include <cstddef>

// The bytes a temporary name adds to its target's, its NUL included.
inline constexpr std::size_t TEMPORARY_NAME_EXTRA = 48;

// Writes "<target>.<pid>-<attempt>.part" and its NUL to `name`, which
// REQUIRES room for targetLength + TEMPORARY_NAME_EXTRA bytes; `target`
// REQUIRES targetLength bytes, and attempt is at most 9999.
void writeTemporaryName(char* name, const char* target, std::size_t targetLength, long pid,
                        int attempt);

// Moves the file at `temporary` over the file at `target` in one step (the
// target need not exist); true when it did.
bool moveOverTarget(const char* temporary, const char* target);

// Removes the file at `path`; a failure is not reported.
void removeTemporary(const char* path);

#endif  // QUORVEL_FILE_REPLACE_REPLACEMENT_FILES_H_
