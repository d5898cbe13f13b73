// Shared by the tests that prove a file is replaced whole or not at all: a
// size limit that makes writes fail part-way, and what a directory holds.

#ifndef QUORVEL_TESTS_COMMON_FAILING_WRITES_H_
#define QUORVEL_TESTS_COMMON_FAILING_WRITES_H_

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>

// While it lives, no file of this process grows past `bytes`: a write past
// the limit fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &oldLimit_);
    rlimit limit = oldLimit_;
    limit.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("cannot limit file sizes");
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &oldLimit_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit oldLimit_;
  void (*oldHandler_)(int);
};

// The names of everything in `directory`, hidden names included.
inline std::set<std::string> namesIn(const std::filesystem::path& directory) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

#endif  // QUORVEL_TESTS_COMMON_FAILING_WRITES_H_
