// Telling a path that names a pipe from one that names a file.

#ifndef QUORVEL_TOOLS_PIPE_PATH_H_
#define QUORVEL_TOOLS_PIPE_PATH_H_

#include <string>

// True when `path` names a pipe or socket (on Windows, a named pipe
// "\\.\pipe\..."): opening it to write would wait for a reader that may
// never come, and what is written there is not a file to read back. One
// file per platform.
bool opensOnlyWithAReader(const std::string& path);

#endif  // QUORVEL_TOOLS_PIPE_PATH_H_
