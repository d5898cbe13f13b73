// What the platforms' file replacements share: the temporary file written
// before it takes the target's place, and the few file operations each
// platform does its own way. Internal to file_replace.

#ifndef QUORVEL_FILE_REPLACE_REPLACEMENT_FILES_H_
#define QUORVEL_FILE_REPLACE_REPLACEMENT_FILES_H_

#include <cstddef>

#include "file_replace/file_replace.h"

// How many names a replacement tries before it gives up: attempts 0 to 99.
inline constexpr int TEMPORARY_NAME_ATTEMPTS = 100;
// The most bytes a temporary name adds to its target's: ".<pid>-<attempt>.part",
// a pid of at most ten digits and an attempt of at most two.
inline constexpr std::size_t LONGEST_TEMPORARY_SUFFIX = 1 + 10 + 1 + 2 + 5;
// Room for a temporary name beyond its target's, its NUL included.
inline constexpr std::size_t TEMPORARY_NAME_EXTRA = 48;

// Creates a new file "<target>.<pid>-<n>.part" that no one else holds, opened
// for writing, trying n from 0 while a file of that name exists. Returns its
// descriptor and its heap path at *path, owned by the caller; -1 on failure,
// with nothing created, *path null and errno as the last attempt left it.
int createTemporary(const char* target, char** path);

// Opens `path` itself for writing, with nothing to replace it later: for
// devices and for targets that cannot be replaced. True when it opened.
bool writeDirectly(const char* path, FileReplacement* replacement);

// Creates the file at `path` for writing only when nothing is there yet, with
// the permissions a new file gets; its descriptor, or -1 with errno set
// (EEXIST when something is there).
int openNewFile(const char* path);

// This process's id, which keeps its temporary names apart from others'.
long currentProcessId();

// Moves the file at `temporary` over the file at `target` in one step (the
// target need not exist); true when it did.
bool moveOverTarget(const char* temporary, const char* target);

// Removes the file at `path`; a failure is not reported.
void removeTemporary(const char* path);

#endif  // QUORVEL_FILE_REPLACE_REPLACEMENT_FILES_H_
