// Names for the named pipes that the Windows tests make. Windows only:
// named pipes live apart from directories, under \\.\pipe\.

#ifndef QUORVEL_TESTS_SUPPORT_PIPE_NAME_WINDOWS_H_
#define QUORVEL_TESTS_SUPPORT_PIPE_NAME_WINDOWS_H_

#include <string>

// "\\.\pipe\quorvel-<purpose>-<pid>-<n>": a name no other pipe of this
// machine has, n counting this process's names from 1. Safe to call from
// any thread.
std::string uniquePipeName(const char* purpose);

#endif  // QUORVEL_TESTS_SUPPORT_PIPE_NAME_WINDOWS_H_
