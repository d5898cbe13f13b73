// Replacing files on Windows: read-only files, and what is no file on disk
// (the NUL device, named pipes).

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <utility>

#include "tests/support/failing_writes.h"
#include "tests/file_replace/replace_fixture.h"

namespace {

TEST_F(FileReplaceTest, AReadOnlyFileIsRefusedAndLeftAsItWas) {
  std::string target = path("scene.lws");
  writeFile(target, "old");
  ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(replace(target, "new"));
  EXPECT_EQ(readFile(target), "old");
  EXPECT_EQ(namesIn(directory), std::set<std::string>{"scene.lws"});
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The temporary file beside a 250-byte path would pass MAX_PATH: the target
// is written directly, not refused.
TEST_F(FileReplaceTest, ATargetTooLongForATemporaryBesideItIsWrittenDirectly) {
  std::string prefix = path("");
  ASSERT_LT(prefix.size(), 200u);
  std::string target = prefix + std::string(250 - prefix.size(), 'l');
  EXPECT_TRUE(replace(target, "long"));
  EXPECT_EQ(readFile(target), "long");
  EXPECT_EQ(namesIn(directory).size(), 1u);
}

DWORD WINAPI readPipe(void* argument) {
  auto* pipe = static_cast<std::pair<HANDLE, std::string>*>(argument);
  ConnectNamedPipe(pipe->first, nullptr);  // ERROR_PIPE_CONNECTED: the writer came first
  char buffer[256];
  DWORD got = 0;
  while (ReadFile(pipe->first, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    pipe->second.append(buffer, got);
  }
  return 0;
}

TEST_F(FileReplaceTest, WhatIsNoFileOnDiskIsWrittenDirectly) {
  FileReplacement replacement;
  ASSERT_TRUE(beginFileReplacement("NUL", &replacement));
  EXPECT_EQ(replacement.temporaryPath, nullptr);
  EXPECT_TRUE(finishFileReplacement(&replacement, true));

  const std::string name = "\\\\.\\pipe\\quorvel-replace-" + std::to_string(GetCurrentProcessId());
  std::pair<HANDLE, std::string> pipe{
      CreateNamedPipeA(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096,
                       4096, 0, nullptr),
      ""};
  ASSERT_NE(pipe.first, INVALID_HANDLE_VALUE);
  HANDLE reader = CreateThread(nullptr, 0, readPipe, &pipe, 0, nullptr);
  ASSERT_NE(reader, nullptr);
  bool written = replace(name, "through the pipe");
  if (!written) {
    // Nothing came to the pipe: come as a writer, so that the reader ends.
    HANDLE writer = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  }
  EXPECT_TRUE(written);
  WaitForSingleObject(reader, INFINITE);
  CloseHandle(reader);
  CloseHandle(pipe.first);
  EXPECT_EQ(pipe.second, "through the pipe");
  EXPECT_TRUE(namesIn(directory).empty());
}

}  // namespace
