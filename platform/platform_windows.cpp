// The runner's platform services on Windows: console control events, the
// console on standard error, free space from GetDiskFreeSpaceExA, named pipes
// (\\.\pipe\...) read as a client, and the user's temporary directory.

#include <windows.h>

#include <chrono>

#include "platform/platform.h"

namespace platform {

namespace {

volatile LONG interruptSeen = 0;

// Ctrl-C and Ctrl-Break are remembered and end nothing; every other event
// (the console closing, logging off) goes to the next handler, the default.
BOOL WINAPI rememberInterrupt(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  InterlockedExchange(&interruptSeen, 1);
  return TRUE;
}

// How long one wait for the pipe's writer lasts before it is looked for again.
constexpr DWORD PIPE_POLL_MILLISECONDS = 50;

// Closes a handle when it goes.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// The pipe opened for reading once its writer (the pipe's server) offers
// it; INVALID_HANDLE_VALUE when none did before the deadline or it failed.
HANDLE openPipeWhenOffered(const std::string& path, int waitMilliseconds, bool* noWriter) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
  for (;;) {
    HANDLE pipe = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (pipe != INVALID_HANDLE_VALUE) return pipe;
    DWORD error = GetLastError();
    // Not there yet, or every instance taken: the writer may still come.
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PIPE_BUSY) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      *noWriter = true;
      break;
    }
    if (error == ERROR_PIPE_BUSY) {
      WaitNamedPipeA(path.c_str(), PIPE_POLL_MILLISECONDS);
    } else {
      Sleep(PIPE_POLL_MILLISECONDS);
    }
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

void catchInterrupts() {
  InterlockedExchange(&interruptSeen, 0);
  SetConsoleCtrlHandler(&rememberInterrupt, TRUE);
}

void releaseInterrupts() { SetConsoleCtrlHandler(&rememberInterrupt, FALSE); }

bool interrupted() { return InterlockedCompareExchange(&interruptSeen, 0, 0) != 0; }

// A console answers GetConsoleMode; a file, a pipe or NUL does not (where
// _isatty would take NUL, a character device, for a terminal).
bool standardErrorIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

int standardErrorColumns() {
  CONSOLE_SCREEN_BUFFER_INFO screen{};
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &screen)) return 0;
  return screen.srWindow.Right - screen.srWindow.Left + 1;
}

std::optional<std::uint64_t> freeBytes(const std::string& directory) {
  ULARGE_INTEGER available{};
  if (!GetDiskFreeSpaceExA(directory.c_str(), &available, nullptr, nullptr)) return std::nullopt;
  return static_cast<std::uint64_t>(available.QuadPart);
}

PipeRead readPipe(const std::string& path, int waitMilliseconds, std::string* bytes) {
  bool noWriter = false;
  Handle pipe(openPipeWhenOffered(path, waitMilliseconds, &noWriter));
  if (pipe.get() == INVALID_HANDLE_VALUE) return noWriter ? PipeRead::NO_WRITER : PipeRead::READ_FAILED;
  bytes->clear();
  char buffer[65536];
  for (;;) {
    DWORD count = 0;
    if (ReadFile(pipe.get(), buffer, sizeof buffer, &count, nullptr)) {
      bytes->append(buffer, count);
    } else {
      // The writer closed its end: everything it wrote was read.
      return GetLastError() == ERROR_BROKEN_PIPE ? PipeRead::READ : PipeRead::READ_FAILED;
    }
  }
}

bool makeTemporaryFile(std::string* path) {
  char directory[MAX_PATH];
  char name[MAX_PATH];
  DWORD length = GetTempPathA(sizeof directory, directory);
  if (length == 0 || length >= sizeof directory) return false;
  // Creates the file; the user's temporary directory is the user's own.
  if (GetTempFileNameA(directory, "qvr", 0, name) == 0) return false;
  *path = name;
  return true;
}

}  // namespace platform
