// Named pipes on Windows live apart from the directories, under the device
// path \\.\pipe\ (or \\?\pipe\), spelt with either slash and in any case.

#include <cctype>

#include "tools/pipe_path.h"

namespace {

bool isSlash(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool opensOnlyWithAReader(const std::string& path) {
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
