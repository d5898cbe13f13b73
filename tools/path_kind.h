// Telling what a path names: a pipe, a device or a file. One file per
// platform (path_kind_posix.cpp, path_kind_windows.cpp).

#ifndef QUORVEL_TOOLS_PATH_KIND_H_
#define QUORVEL_TOOLS_PATH_KIND_H_

#include <string>

// True when `path` names a pipe: a FIFO on POSIX, a named pipe
// "\\.\pipe\..." on Windows. Its bytes come from a program at the other end
// and can be read only once.
bool namesAPipe(const std::string& path);

// True when `path` names a pipe or socket (on Windows, a named pipe
// "\\.\pipe\..."): opening it to write would wait for a reader that may
// never come, and what is written there is not a file to read back.
bool opensOnlyWithAReader(const std::string& path);

// True when `path` names a device (/dev/null or a terminal on POSIX; NUL,
// CON or a port on Windows): what is written there goes through it and
// cannot be read back. A pipe is not asked: looking at it would open it.
bool namesADevice(const std::string& path);

#endif  // QUORVEL_TOOLS_PATH_KIND_H_
