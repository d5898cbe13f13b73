// The runner's platform services on POSIX systems (Linux).

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

#include "platform/platform.h"

namespace platform {

namespace {

volatile sig_atomic_t interruptSeen = 0;

void rememberInterrupt(int) { interruptSeen = 1; }

void setInterruptAction(void (*action)(int)) {
  struct sigaction handling {};
  handling.sa_handler = action;
  handling.sa_flags = SA_RESTART;  // the module's writes go on undisturbed
  sigemptyset(&handling.sa_mask);
  sigaction(SIGINT, &handling, nullptr);
}

// How long one wait for the pipe lasts before its writer is looked for again.
constexpr int PIPE_POLL_MILLISECONDS = 50;

// Closes a descriptor when it goes.
class Descriptor {
 public:
  explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
  ~Descriptor() {
    if (descriptor_ >= 0) close(descriptor_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return descriptor_; }

 private:
  int descriptor_;
};

}  // namespace

void catchInterrupts() {
  interruptSeen = 0;
  setInterruptAction(&rememberInterrupt);
}

void releaseInterrupts() { setInterruptAction(SIG_DFL); }

bool interrupted() { return interruptSeen != 0; }

bool standardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

int standardErrorColumns() {
  struct winsize size {};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0) return 0;
  return size.ws_col;
}

std::optional<std::uint64_t> freeBytes(const std::string& directory) {
  struct statvfs status {};
  if (statvfs(directory.c_str(), &status) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(status.f_bavail) * status.f_frsize;
}

// Opened without blocking, the pipe tells on each read whether a writer has
// it open: an empty pipe reads as its end when none has, and as "try again"
// while one has. A writer that came and went between two looks leaves the
// pipe hung up.
PipeRead readPipe(const std::string& path, int waitMilliseconds, std::string* bytes) {
  Descriptor pipe(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (pipe.get() < 0) return PipeRead::READ_FAILED;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
  bool writerSeen = false;
  bytes->clear();
  char buffer[65536];
  for (;;) {
    pollfd watch{pipe.get(), POLLIN, 0};
    if (poll(&watch, 1, PIPE_POLL_MILLISECONDS) < 0 && errno != EINTR) return PipeRead::READ_FAILED;
    ssize_t count = read(pipe.get(), buffer, sizeof buffer);
    if (count > 0) {
      bytes->append(buffer, static_cast<std::size_t>(count));
      writerSeen = true;
    } else if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      writerSeen = true;
    } else if (count < 0 && errno != EINTR) {
      return PipeRead::READ_FAILED;
    } else if (count == 0) {
      if (writerSeen || (watch.revents & POLLHUP)) return PipeRead::READ;
      if (std::chrono::steady_clock::now() >= deadline) return PipeRead::NO_WRITER;
    }
  }
}

bool makeTemporaryFile(std::string* path) {
  std::error_code failure;
  std::filesystem::path directory = std::filesystem::temp_directory_path(failure);
  if (failure) return false;
  std::string pattern = (directory / "quorvel-run-XXXXXX").string();
  int descriptor = mkstemp(pattern.data());
  if (descriptor < 0) return false;
  close(descriptor);
  *path = pattern;
  return true;
}

}  // namespace platform
