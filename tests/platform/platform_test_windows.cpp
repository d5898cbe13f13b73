// The runner's platform services on Windows, asked directly: console
// control events, the console on standard error, named pipes and temporary
// files.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "tests/support/test_platform.h"
#include "tests/support/pipe_server_windows.h"
#include "tests/support/run_support.h"
#include "platform/platform.h"

namespace {

// A console of this process's own: the one wine gives a program started
// without a terminal carries no control events and has no screen.
void useOwnConsole() {
  FreeConsole();
  ASSERT_TRUE(AllocConsole()) << "error " << GetLastError();
}

// True once `seen` is, within a few seconds: a control event is handled on
// a thread of its own.
bool becomesTrue(bool (*seen)()) {
  for (int tries = 0; tries < 500 && !seen(); ++tries) Sleep(10);
  return seen();
}

volatile LONG lastChanceEvents = 0;

// Below the runner's handler: counts the Ctrl-C events that reach it.
BOOL WINAPI countLastChanceInterrupt(DWORD event) {
  if (event != CTRL_C_EVENT) return FALSE;
  InterlockedIncrement(&lastChanceEvents);
  return TRUE;
}

// (wine's consoles carry Ctrl-C events only, not Ctrl-Break.)
TEST(WindowsPlatform, CtrlCIsRememberedWhileCaughtAndPassedOnOnceReleased) {
  useOwnConsole();
  ASSERT_TRUE(SetConsoleCtrlHandler(countLastChanceInterrupt, TRUE));
  platform::catchInterrupts();
  EXPECT_FALSE(platform::interrupted());
  ASSERT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) << "error " << GetLastError();
  EXPECT_TRUE(becomesTrue(platform::interrupted));
  platform::releaseInterrupts();
  EXPECT_EQ(lastChanceEvents, 0);

  platform::catchInterrupts();  // forgets what was seen
  platform::releaseInterrupts();
  ASSERT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
  EXPECT_TRUE(becomesTrue([] { return lastChanceEvents == 1; }));
  EXPECT_FALSE(platform::interrupted());
  SetConsoleCtrlHandler(countLastChanceInterrupt, FALSE);
}

// A file or NUL (a character device all the same) is no terminal, and has
// no width. (wine without a terminal has no console that answers as one.)
TEST(WindowsPlatform, StandardErrorToAFileOrToNulIsNoTerminal) {
  ScratchDirectory directory;
  HANDLE standardError = GetStdHandle(STD_ERROR_HANDLE);
  for (const std::string& path : {directory.path("err.txt"), std::string("NUL")}) {
    HANDLE opened = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(opened, INVALID_HANDLE_VALUE) << path;
    SetStdHandle(STD_ERROR_HANDLE, opened);
    bool terminal = platform::standardErrorIsTerminal();
    int columns = platform::standardErrorColumns();
    SetStdHandle(STD_ERROR_HANDLE, standardError);
    CloseHandle(opened);
    EXPECT_FALSE(terminal) << path;
    EXPECT_EQ(columns, 0) << path;
  }
}

TEST(WindowsPlatform, ReadPipeReadsAServedPipeToItsEndAndGivesUpOnOneNobodyServes) {
  // More than one read's buffer, through a pipe that holds 4 KiB.
  std::string large(150000, ' ');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>('a' + i % 26);
  UnreadPipe writeOnly(std::filesystem::temp_directory_path());
  struct Case {
    const char* why;
    std::string bytes;
    int serverDelay;  // milliseconds; negative: no server ever
    int wait;         // milliseconds
    platform::PipeRead expected;
  };
  const Case cases[] = {
      {"served at once", large, 0, 2000, platform::PipeRead::READ},
      {"served within the wait", "LWSC\n1\n", 200, 3000, platform::PipeRead::READ},
      {"served with nothing", "", 0, 2000, platform::PipeRead::READ},
      {"never served", "", -1, 200, platform::PipeRead::NO_WRITER},
  };
  for (const Case& c : cases) {
    PipeServer server(c.bytes, c.serverDelay);
    std::string bytes = "left over";
    EXPECT_EQ(platform::readPipe(server.path(), c.wait, &bytes), c.expected) << c.why;
    if (c.expected == platform::PipeRead::READ) {
      EXPECT_EQ(bytes, c.bytes) << c.why;
    }
  }
  std::string bytes;
  EXPECT_EQ(platform::readPipe(writeOnly.path(), 2000, &bytes), platform::PipeRead::READ_FAILED);
}

// The pipe's one instance held by another reader: the runner waits for it
// to come free, and gives up at the end of the wait.
TEST(WindowsPlatform, ReadPipeGivesUpOnAPipeAnotherReaderHolds) {
  PipeServer server("LWSC\n1\n", 0);
  HANDLE holder = INVALID_HANDLE_VALUE;
  for (int tries = 0; tries < 500 && holder == INVALID_HANDLE_VALUE; ++tries, Sleep(10)) {
    holder = CreateFileA(server.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  }
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  std::string bytes;
  EXPECT_EQ(platform::readPipe(server.path(), 300, &bytes), platform::PipeRead::NO_WRITER);
  char buffer[64];
  DWORD count = 0;
  while (ReadFile(holder, buffer, sizeof buffer, &count, nullptr)) {
  }
  CloseHandle(holder);
}

TEST(WindowsPlatform, TemporaryFilesAreNewEmptyAndApartInTheTemporaryDirectory) {
  std::string first;
  std::string second;
  ASSERT_TRUE(platform::makeTemporaryFile(&first));
  ASSERT_TRUE(platform::makeTemporaryFile(&second));
  EXPECT_NE(first, second);
  for (const std::string& path : {first, second}) {
    EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
    EXPECT_EQ(std::filesystem::file_size(path), 0u) << path;
    EXPECT_EQ(std::filesystem::path(path).parent_path() / "",
              std::filesystem::temp_directory_path() / "")
        << path;
    std::filesystem::remove(path);
  }
}

}  // namespace
