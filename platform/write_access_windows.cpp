// Write access on Windows, found by trying: a file that deletes itself as
// it is closed is created in the directory, and the target is opened to
// write without writing. A read-only file is never replaced, as the file
// replacement refuses it.

#include <windows.h>

#include <filesystem>

#include "platform/platform.h"

namespace platform {

namespace {

// The names a creation is tried under before the directory is taken to
// accept new files: each is taken only by a probe that another run holds
// open.
constexpr int PROBE_NAMES = 16;

// The system's error as the C library's code where there is one.
std::error_code refusalOf(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
      return std::make_error_code(std::errc::permission_denied);
    case ERROR_WRITE_PROTECT:
      return std::make_error_code(std::errc::read_only_file_system);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return std::make_error_code(std::errc::no_space_on_device);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return std::make_error_code(std::errc::device_or_resource_busy);
    default:
      return std::error_code(static_cast<int>(error), std::system_category());
  }
}

std::string probeName(int attempt) {
  return "quorvel-run-probe-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(attempt);
}

}  // namespace

std::error_code fileCreationRefusal(const std::string& directory) {
  for (int attempt = 0; attempt < PROBE_NAMES; ++attempt) {
    std::string probe = (std::filesystem::path(directory) / probeName(attempt)).string();
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      return {};
    }
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return refusalOf(error);
  }
  return {};
}

std::error_code fileReplacementRefusal(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return refusalOf(GetLastError());
  if (attributes & FILE_ATTRIBUTE_READONLY) return refusalOf(ERROR_ACCESS_DENIED);
  std::filesystem::path directory = std::filesystem::path(path).parent_path();
  if (!fileCreationRefusal(directory.empty() ? "." : directory.string())) return {};
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return refusalOf(GetLastError());
  CloseHandle(file);
  return {};
}

}  // namespace platform
