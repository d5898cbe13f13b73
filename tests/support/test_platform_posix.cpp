// The tests' platform helpers on POSIX: /proc/self/fd, /dev/full, file
// size limits and mkfifo.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

#include "tests/support/test_platform.h"

long openFileCount() {
  auto entries = std::filesystem::directory_iterator("/proc/self/fd");
  return std::distance(begin(entries), end(entries));
}

// Every write to /dev/full fails with "no space left on device".
struct FailingWritePath::Server {};

FailingWritePath::FailingWritePath() : path_("/dev/full") {}

FailingWritePath::~FailingWritePath() = default;

void FailingWritePath::waitUntilWritesFail() {}

// The file size limit, and what a write past it raised before: SIGXFSZ is
// ignored meanwhile, so that the write fails with EFBIG instead.
struct BlockedReplacement::Block {
  rlimit oldLimit;
  void (*oldHandler)(int);
};

BlockedReplacement::BlockedReplacement(const std::string&, std::size_t bytes)
    : block_(std::make_unique<Block>()) {
  block_->oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  getrlimit(RLIMIT_FSIZE, &block_->oldLimit);
  rlimit limit = block_->oldLimit;
  limit.rlim_cur = bytes;
  if (setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("cannot limit file sizes");
}

BlockedReplacement::~BlockedReplacement() {
  setrlimit(RLIMIT_FSIZE, &block_->oldLimit);
  std::signal(SIGXFSZ, block_->oldHandler);
}

const char* nullDevicePath() { return "/dev/null"; }

const char* commaDecimalLocaleName() { return "de_DE.UTF-8"; }

UnreadPipe::UnreadPipe(const std::filesystem::path& directory)
    : path_((directory / "unread.pipe").string()) {
  if (mkfifo(path_.c_str(), 0600) != 0) ADD_FAILURE() << "cannot make the FIFO " << path_;
}

UnreadPipe::~UnreadPipe() { unlink(path_.c_str()); }
