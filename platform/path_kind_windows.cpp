// Named pipes on Windows live apart from the directories, under the device
// path \\.\pipe\ (or \\?\pipe\), spelt with either slash and in any case.
// Devices (NUL, CON, COM1, ...) have names of their own that the system
// knows in any directory; what a path opens is asked of the system.

#include <windows.h>

#include <cctype>

#include "platform/platform.h"

namespace platform {

namespace {

bool isSlash(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool namesAPipe(const std::string& path) {
  constexpr char PIPE_DIRECTORY[] = "pipe";
  constexpr std::size_t PREFIX_LENGTH = 9;  // the length of "\\.\pipe\"
  if (path.size() < PREFIX_LENGTH || !isSlash(path[0]) || !isSlash(path[1]) ||
      (path[2] != '.' && path[2] != '?') || !isSlash(path[3]) || !isSlash(path[8])) {
    return false;
  }
  for (std::size_t i = 0; i < 4; ++i) {
    if (std::tolower(static_cast<unsigned char>(path[4 + i])) != PIPE_DIRECTORY[i]) return false;
  }
  return true;
}

bool opensOnlyWithAReader(const std::string& path) { return namesAPipe(path); }

// Opened for neither reading nor writing, a device tells its type and
// notices nothing; a path that opens nothing is no device.
bool namesADevice(const std::string& path) {
  if (namesAPipe(path)) return false;
  HANDLE opened = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return false;
  bool device = GetFileType(opened) == FILE_TYPE_CHAR;
  CloseHandle(opened);
  return device;
}

}  // namespace platform
