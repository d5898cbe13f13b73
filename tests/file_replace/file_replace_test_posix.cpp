// Replacing files on POSIX: permission bits, symbolic links, and what is no
// regular file (devices, FIFOs).

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "tests/support/failing_writes.h"
#include "tests/file_replace/replace_fixture.h"

namespace fs = std::filesystem;

namespace {

mode_t modeOf(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

TEST_F(FileReplaceTest, ANewFileGetsTheModeOfAFileMadeWithFopen) {
  mode_t mask = umask(022);
  EXPECT_TRUE(replace(path("new.env"), "complete"));
  umask(mask);
  EXPECT_EQ(modeOf(path("new.env")), 0644u);
}

TEST_F(FileReplaceTest, KeepsPermissionBitsAndSymbolicLinks) {
  fs::create_directory(directory / "real");
  writeFile(path("real/target"), "old");
  chmod(path("real/target").c_str(), 0640);
  fs::create_symlink("real/target", directory / "relative");
  fs::create_symlink(directory / "relative", directory / "chained");
  fs::create_symlink("real/not-yet", directory / "dangling");
  for (const char* link : {"relative", "chained"}) {
    ASSERT_TRUE(replace(path(link), link)) << link;
    EXPECT_TRUE(fs::is_symlink(directory / link)) << link;
    EXPECT_EQ(readFile(path("real/target")), link);
    EXPECT_EQ(modeOf(path("real/target")), 0640u) << link;
  }
  ASSERT_TRUE(replace(path("dangling"), "made"));
  EXPECT_TRUE(fs::is_symlink(directory / "dangling"));
  EXPECT_EQ(readFile(path("real/not-yet")), "made");
  EXPECT_EQ(namesIn(directory / "real"), (std::set<std::string>{"not-yet", "target"}));
}

TEST_F(FileReplaceTest, WhatIsNoRegularFileIsWrittenDirectly) {
  FileReplacement replacement;
  ASSERT_TRUE(beginFileReplacement("/dev/null", &replacement));
  EXPECT_EQ(replacement.temporaryPath, nullptr);
  EXPECT_TRUE(finishFileReplacement(&replacement, true));
  EXPECT_FALSE(replace("/dev/full", std::string(100000, 'x'))) << "the failure is still reported";

  std::string fifo = path("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = readFile(fifo); });
  EXPECT_TRUE(replace(fifo, "through the pipe"));
  reader.join();
  EXPECT_EQ(received, "through the pipe");
  EXPECT_EQ(namesIn(directory), std::set<std::string>{"fifo"});
}

TEST_F(FileReplaceTest, RefusesALinkLoopAndLeavesNothing) {
  fs::create_symlink("loop", directory / "loop");
  EXPECT_FALSE(replace(path("loop"), "x"));
  EXPECT_EQ(namesIn(directory), std::set<std::string>{"loop"});
}

}  // namespace
