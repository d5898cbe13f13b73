// The tests' platform helpers on Windows: the C runtime's descriptor table,
// named pipes and file sharing.

#include <gtest/gtest.h>
#include <io.h>
#include <windows.h>

#include <cstdlib>

#include "tests/support/pipe_name_windows.h"
#include "tests/support/test_platform.h"

namespace {

void ignoreInvalidParameter(const wchar_t*, const wchar_t*, const wchar_t*, unsigned, uintptr_t) {}

}  // namespace

std::string uniquePipeName(const char* purpose) {
  static LONG made = 0;
  return std::string("\\\\.\\pipe\\quorvel-") + purpose + "-" +
         std::to_string(GetCurrentProcessId()) + "-" + std::to_string(InterlockedIncrement(&made));
}

long openFileCount() {
  // Asking after a descriptor that is not open counts as an invalid
  // parameter, which would end the program unless ignored.
  constexpr int MOST_DESCRIPTORS = 2048;
  _invalid_parameter_handler previous = _set_invalid_parameter_handler(ignoreInvalidParameter);
  long count = 0;
  for (int descriptor = 0; descriptor < MOST_DESCRIPTORS; ++descriptor) {
    if (_get_osfhandle(descriptor) != -1) ++count;
  }
  _set_invalid_parameter_handler(previous);
  return count;
}

// The pipe's reading end, and the thread that closes it once a writer came.
struct FailingWritePath::Server {
  HANDLE pipe = INVALID_HANDLE_VALUE;
  HANDLE thread = nullptr;
};

namespace {

DWORD WINAPI closeOnceConnected(void* server) {
  HANDLE pipe = static_cast<HANDLE>(server);
  ConnectNamedPipe(pipe, nullptr);  // ERROR_PIPE_CONNECTED: the writer came first
  CloseHandle(pipe);
  return 0;
}

}  // namespace

FailingWritePath::FailingWritePath()
    : path_(uniquePipeName("failing")), server_(std::make_unique<Server>()) {
  // One instance with buffers of one byte: nearly nothing is taken in before
  // the close.
  server_->pipe = CreateNamedPipeA(path_.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT,
                                   1, 1, 1, 0, nullptr);
  if (server_->pipe == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot make the named pipe " << path_;
    return;
  }
  server_->thread = CreateThread(nullptr, 0, closeOnceConnected, server_->pipe, 0, nullptr);
  if (!server_->thread) ADD_FAILURE() << "cannot start the thread that serves " << path_;
}

FailingWritePath::~FailingWritePath() {
  if (!server_->thread) return;
  // Nobody may have come: come as a writer, so that the thread ends.
  if (WaitForSingleObject(server_->thread, 0) == WAIT_TIMEOUT) {
    HANDLE writer =
        CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  }
  WaitForSingleObject(server_->thread, INFINITE);
  CloseHandle(server_->thread);
}

void FailingWritePath::waitUntilWritesFail() {
  if (server_->thread) WaitForSingleObject(server_->thread, INFINITE);
}

struct BlockedReplacement::Block {
  HANDLE held = INVALID_HANDLE_VALUE;
};

BlockedReplacement::BlockedReplacement(const std::string& path, std::size_t)
    : block_(std::make_unique<Block>()) {
  block_->held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (block_->held == INVALID_HANDLE_VALUE) ADD_FAILURE() << "cannot hold " << path << " open";
}

BlockedReplacement::~BlockedReplacement() {
  if (block_->held != INVALID_HANDLE_VALUE) CloseHandle(block_->held);
}

const char* nullDevicePath() { return "NUL"; }

const char* commaDecimalLocaleName() { return "German_Germany.1252"; }

UnreadPipe::UnreadPipe(const std::filesystem::path&) : path_(uniquePipeName("unread")) {
  handle_ = CreateNamedPipeA(path_.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 1,
                             1, 0, nullptr);
  if (handle_ == INVALID_HANDLE_VALUE) ADD_FAILURE() << "cannot make the named pipe " << path_;
}

UnreadPipe::~UnreadPipe() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}
