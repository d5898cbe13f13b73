// File identities on Windows: the volume serial number and file index of an
// open handle. Names in a directory are compared as the file system does,
// without regard to the case of letters.

#include <windows.h>

#include "platform/platform.h"

namespace platform {

namespace {

std::optional<FileIdentity> identityOfHandle(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION information{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &information)) {
    return std::nullopt;
  }
  return FileIdentity{
      information.dwVolumeSerialNumber,
      (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

std::wstring wideText(const std::string& text) {
  int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

}  // namespace

std::optional<FileIdentity> fileIdentity(const std::string& path) {
  // Opening a named pipe would take the place of the program it waits for.
  if (namesAPipe(path)) return std::nullopt;
  // No access asked for and every sharing allowed: asking disturbs no one.
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<FileIdentity> identity = identityOfHandle(file);
  CloseHandle(file);
  return identity;
}

std::optional<FileIdentity> standardInputIdentity() {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  if (input == nullptr || input == INVALID_HANDLE_VALUE) return std::nullopt;
  return identityOfHandle(input);
}

bool sameEntryName(const std::string& a, const std::string& b) {
  std::wstring wideA = wideText(a);
  std::wstring wideB = wideText(b);
  return CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                              static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace platform
