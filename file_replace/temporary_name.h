// The name of the temporary file a replacement writes before it takes the
// target's place, the same on every platform. Internal to file_replace.

#ifndef QUORVEL_FILE_REPLACE_TEMPORARY_NAME_H_
#define QUORVEL_FILE_REPLACE_TEMPORARY_NAME_H_

#include <cstddef>

// The bytes a temporary name adds to its target's, its NUL included.
inline constexpr std::size_t TEMPORARY_NAME_EXTRA = 48;

// Writes "<target>.<pid>-<attempt>.part" and its NUL to `name`, which
// REQUIRES room for targetLength + TEMPORARY_NAME_EXTRA bytes; `target`
// REQUIRES targetLength bytes, and attempt is at most 9999.
void writeTemporaryName(char* name, const char* target, std::size_t targetLength, long pid,
                        int attempt);

#endif  // QUORVEL_FILE_REPLACE_TEMPORARY_NAME_H_
