// Write access on POSIX, asked of access(2) for the effective user: a file
// can be created in a directory that may be written and searched; a file is
// replaced by a rename, which its directory allows, or else written over,
// which its own permission allows.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/platform.h"

namespace platform {

namespace {

std::error_code refusalOf(const std::string& path, int mode) {
  if (faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0) return {};
  return std::error_code(errno, std::generic_category());
}

std::string directoryOf(const std::string& path) {
  std::filesystem::path directory = std::filesystem::path(path).parent_path();
  return directory.empty() ? "." : directory.string();
}

}  // namespace

std::error_code fileCreationRefusal(const std::string& directory) {
  return refusalOf(directory, W_OK | X_OK);
}

std::error_code fileReplacementRefusal(const std::string& path) {
  if (!fileCreationRefusal(directoryOf(path))) return {};
  return refusalOf(path, W_OK);
}

}  // namespace platform
