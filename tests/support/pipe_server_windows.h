// A named pipe that a thread of this test program offers to one reader, as
// a program writing a scene into a pipe would: Windows' counterpart of a
// FIFO with a writer.

#ifndef QUORVEL_TESTS_SUPPORT_PIPE_SERVER_WINDOWS_H_
#define QUORVEL_TESTS_SUPPORT_PIPE_SERVER_WINDOWS_H_

#include <string>

class PipeServer {
 public:
  // Makes a pipe of a name no other pipe has, after `delayMilliseconds`,
  // and writes `bytes` to the first reader that opens it, then closes it.
  // A negative delay never makes the pipe: nobody writes at path().
  PipeServer(std::string bytes, int delayMilliseconds);
  // Waits for the thread; when no reader came, this one comes and takes
  // the bytes, so that the thread ends.
  ~PipeServer();
  PipeServer(const PipeServer&) = delete;
  PipeServer& operator=(const PipeServer&) = delete;

  const std::string& path() const { return path_; }

 private:
  static unsigned long __stdcall serve(void* server);

  std::string path_;
  std::string bytes_;
  int delayMilliseconds_;
  void* thread_ = nullptr;
};

#endif  // QUORVEL_TESTS_SUPPORT_PIPE_SERVER_WINDOWS_H_
