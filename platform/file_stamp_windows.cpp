// File stamps from the file's handle: volume serial number and file index
// (the inode's counterpart), size, and the last write and change times in
// the system's 100-nanosecond ticks.

#include <windows.h>

#include "platform/platform.h"

namespace platform {

namespace {

constexpr std::int64_t TICKS_PER_SECOND = 10000000;
constexpr std::int64_t NANOSECONDS_PER_TICK = 100;

void splitTicks(LARGE_INTEGER ticks, std::int64_t* seconds, std::int64_t* nanoseconds) {
  *seconds = ticks.QuadPart / TICKS_PER_SECOND;
  *nanoseconds = ticks.QuadPart % TICKS_PER_SECOND * NANOSECONDS_PER_TICK;
}

}  // namespace

FileStamp stampFile(const std::string& path) {
  FileStamp stamp;
  // No access asked for, every sharing allowed: the stamp never stands in a
  // writer's way.
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return stamp;
  BY_HANDLE_FILE_INFORMATION identity{};
  FILE_BASIC_INFO times{};
  bool regular = GetFileType(file) == FILE_TYPE_DISK &&
                 GetFileInformationByHandle(file, &identity) &&
                 GetFileInformationByHandleEx(file, FileBasicInfo, &times, sizeof times) &&
                 !(identity.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  CloseHandle(file);
  if (!regular) return stamp;
  stamp.exists = true;
  stamp.device = identity.dwVolumeSerialNumber;
  stamp.inode =
      (static_cast<std::uint64_t>(identity.nFileIndexHigh) << 32) | identity.nFileIndexLow;
  stamp.size = (static_cast<std::int64_t>(identity.nFileSizeHigh) << 32) | identity.nFileSizeLow;
  splitTicks(times.LastWriteTime, &stamp.modifiedSeconds, &stamp.modifiedNanoseconds);
  splitTicks(times.ChangeTime, &stamp.changedSeconds, &stamp.changedNanoseconds);
  return stamp;
}

}  // namespace platform
