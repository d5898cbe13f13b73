// What the tests need that each platform does its own way: scratch
// directories, counting open files, a path whose writes fail, a file that cannot be replaced, a pipe
// that nobody reads, the null device and a locale with a decimal comma.

#ifndef QUORVEL_TESTS_SUPPORT_TEST_PLATFORM_H_
#define QUORVEL_TESTS_SUPPORT_TEST_PLATFORM_H_

#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A new empty directory under the system's temporary directory, its name
// starting with `prefix`. The caller owns it and removes it. Throws
// std::runtime_error when no directory can be made.
std::filesystem::path makeScratchDirectory(const std::string& prefix);

// A new empty directory as makeScratchDirectory makes it, removed with
// everything in it when the object goes.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& root() const { return root_; }
  // The path of the entry `name` in the directory.
  std::string path(const std::string& name) const { return (root_ / name).string(); }

 private:
  std::filesystem::path root_;
};

// Writes `bytes` to the file at `path`, replacing what it held; a write
// that fails fails the test.
void writeFile(const std::string& path, const std::string& bytes);
// The file's bytes; empty when it cannot be read.
std::string readFile(const std::string& path);
// Every entry under `root`, by its path relative to `root`, with a file's
// bytes or "(directory)": equal snapshots mean nothing under it changed.
std::map<std::string, std::string> snapshot(const std::filesystem::path& root);

// How many files this process holds open: its file descriptors on POSIX,
// the C runtime's on Windows.
long openFileCount();

// A path that opens for writing but where writing fails: /dev/full on
// Linux; on Windows a named pipe whose reading end closes as soon as a
// writer has opened it. (Under wine such a pipe still takes in a few
// kilobytes: a writer that is to fail must write more.)
class FailingWritePath {
 public:
  FailingWritePath();
  ~FailingWritePath();
  FailingWritePath(const FailingWritePath&) = delete;
  FailingWritePath& operator=(const FailingWritePath&) = delete;

  const std::string& path() const { return path_; }
  // Returns once every write at the path fails. REQUIRES that a writer has
  // opened the path (on Windows, writes before that point may be taken in).
  void waitUntilWritesFail();

 private:
  struct Server;
  std::string path_;
  std::unique_ptr<Server> server_;
};

// While it lives, a file written at `path` cannot take the place of the file
// there: on POSIX no file of this process may grow past `bytes` (writes past
// it fail part-way); on Windows the file at `path` is held open without
// sharing its deletion, so that nothing can be moved over it.
class BlockedReplacement {
 public:
  BlockedReplacement(const std::string& path, std::size_t bytes);
  ~BlockedReplacement();
  BlockedReplacement(const BlockedReplacement&) = delete;
  BlockedReplacement& operator=(const BlockedReplacement&) = delete;

 private:
  struct Block;
  std::unique_ptr<Block> block_;
};

// The path of the device that takes every write and keeps nothing:
// "/dev/null" on POSIX, "NUL" on Windows.
const char* nullDevicePath();

// The name of an installed locale whose decimal point is a comma (German):
// "de_DE.UTF-8" on POSIX, "German_Germany.1252" on Windows.
const char* commaDecimalLocaleName();

// A pipe that a path names and nobody reads: a FIFO in `directory` on
// POSIX; on Windows a named pipe (those live apart from directories).
class UnreadPipe {
 public:
  explicit UnreadPipe(const std::filesystem::path& directory);
  ~UnreadPipe();
  UnreadPipe(const UnreadPipe&) = delete;
  UnreadPipe& operator=(const UnreadPipe&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  [[maybe_unused]] void* handle_ = nullptr;  // the named pipe, on Windows only
};

#endif  // QUORVEL_TESTS_SUPPORT_TEST_PLATFORM_H_
