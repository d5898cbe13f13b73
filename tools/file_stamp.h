// Telling whether a run wrote a file: a stamp of the file taken before the
// run, compared with the file as it stands after.

#ifndef QUORVEL_TOOLS_FILE_STAMP_H_
#define QUORVEL_TOOLS_FILE_STAMP_H_

#include <cstdint>
#include <string>

// What identifies one state of a file: a rewrite changes the modification
// and change times, a replacement the inode (on Windows: the file index).
// The times are kept to below the second, so that a rewrite within the same
// second is still told apart.
struct FileStamp {
  bool exists = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedSeconds = 0;
  std::int64_t modifiedNanoseconds = 0;
  std::int64_t changedSeconds = 0;
  std::int64_t changedNanoseconds = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of the regular file at `path`; `exists` is false when there is
// no regular file there. One file per platform.
FileStamp stampFile(const std::string& path);

// True when a regular file is at `path` now and it is not the one `before`
// describes: it was created or written since.
bool fileWrittenSince(const FileStamp& before, const std::string& path);

#endif  // QUORVEL_TOOLS_FILE_STAMP_H_
