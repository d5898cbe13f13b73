#include "tests/support/pipe_server_windows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/pipe_name_windows.h"

namespace {

// Reads the pipe at `path` to its end, once its server offers it.
void drain(const std::string& path) {
  HANDLE pipe = INVALID_HANDLE_VALUE;
  while ((pipe = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) ==
         INVALID_HANDLE_VALUE) {
    Sleep(10);
  }
  char buffer[4096];
  DWORD count = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &count, nullptr)) {
  }
  CloseHandle(pipe);
}

}  // namespace

PipeServer::PipeServer(std::string bytes, int delayMilliseconds)
    : path_(uniquePipeName("scene")), bytes_(std::move(bytes)), delayMilliseconds_(delayMilliseconds) {
  if (delayMilliseconds_ < 0) return;
  thread_ = CreateThread(nullptr, 0, serve, this, 0, nullptr);
  if (!thread_) ADD_FAILURE() << "cannot start the thread that serves " << path_;
}

PipeServer::~PipeServer() {
  if (!thread_) return;
  constexpr DWORD READER_WAIT_MILLISECONDS = 100;
  if (WaitForSingleObject(thread_, READER_WAIT_MILLISECONDS) == WAIT_TIMEOUT) drain(path_);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
}

unsigned long __stdcall PipeServer::serve(void* server) {
  const PipeServer& self = *static_cast<const PipeServer*>(server);
  Sleep(static_cast<DWORD>(self.delayMilliseconds_));
  constexpr DWORD BUFFER_BYTES = 4096;
  HANDLE pipe = CreateNamedPipeA(self.path_.c_str(), PIPE_ACCESS_OUTBOUND,
                                 PIPE_TYPE_BYTE | PIPE_WAIT, 1, BUFFER_BYTES, BUFFER_BYTES, 0,
                                 nullptr);
  if (pipe == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot make the named pipe " << self.path_;
    return 1;
  }
  ConnectNamedPipe(pipe, nullptr);  // ERROR_PIPE_CONNECTED: the reader came first
  DWORD written = 0;
  bool wrote = WriteFile(pipe, self.bytes_.data(), static_cast<DWORD>(self.bytes_.size()), &written,
                         nullptr) &&
               written == self.bytes_.size();
  if (!wrote) ADD_FAILURE() << "cannot write to " << self.path_;
  // Closing would throw away what the reader has not read yet.
  FlushFileBuffers(pipe);
  CloseHandle(pipe);
  return 0;
}
