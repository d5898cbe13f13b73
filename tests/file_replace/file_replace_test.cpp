// Replacing files whole or not at all.

#include "file_replace/file_replace.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <thread>

#include "tests/common/failing_writes.h"

namespace fs = std::filesystem;

namespace {

class FileReplaceTest : public ::testing::Test {
 protected:
  FileReplaceTest() {
    std::string name = (fs::temp_directory_path() / "quorvel-replace-XXXXXX").string();
    if (!mkdtemp(name.data())) throw std::runtime_error("cannot make a scratch directory");
    directory = name;
  }
  ~FileReplaceTest() override { fs::remove_all(directory); }

  std::string path(const char* name) const { return (directory / name).string(); }

  // Replaces the file at `target` with `content` and gives finishFileReplacement's result.
  static bool replace(const std::string& target, const std::string& content, bool keep = true) {
    FileReplacement replacement;
    if (!beginFileReplacement(target.c_str(), &replacement)) return false;
    std::fwrite(content.data(), 1, content.size(), replacement.stream);
    return finishFileReplacement(&replacement, keep);
  }

  fs::path directory;
};

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

mode_t modeOf(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

TEST_F(FileReplaceTest, TheOldFileSurvivesEveryFailureByteForByteWithNothingBesideIt) {
  const std::string old(10000, 'o');
  const std::string fresh(20000, 'n');
  struct {
    const char* name;
    bool keep;
    rlim_t sizeLimit;  // 0: none
    bool replaced;
  } cases[] = {
      {"written and kept", true, 0, true},
      {"abandoned by the writer", false, 0, false},
      {"a size limit part-way through the writes", true, 4096, false},
      {"a size limit at the close's flush", true, 19999, false},
  };
  for (const auto& c : cases) {
    std::string target = path("scene.lws");
    writeFile(target, old);
    bool replaced;
    if (c.sizeLimit) {
      FileSizeLimit limit(c.sizeLimit);
      replaced = replace(target, fresh, c.keep);
    } else {
      replaced = replace(target, fresh, c.keep);
    }
    EXPECT_EQ(replaced, c.replaced) << c.name;
    EXPECT_EQ(readFile(target), c.replaced ? fresh : old) << c.name;
    EXPECT_EQ(namesIn(directory), std::set<std::string>{"scene.lws"}) << c.name;
  }
}

TEST_F(FileReplaceTest, ANewFileAppearsOnlyWhenComplete) {
  EXPECT_FALSE(replace(path("new.env"), "abandoned", false));
  EXPECT_TRUE(namesIn(directory).empty());
  mode_t mask = umask(022);
  EXPECT_TRUE(replace(path("new.env"), "complete"));
  umask(mask);
  EXPECT_EQ(readFile(path("new.env")), "complete");
  EXPECT_EQ(modeOf(path("new.env")), 0644u) << "the mode of a file made with fopen";
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

TEST_F(FileReplaceTest, RefusesWhatCannotBeWrittenAndLeavesNothing) {
  EXPECT_FALSE(replace(path("no/such/directory"), "x"));
  EXPECT_FALSE(replace(directory.string(), "x"));  // a directory
  fs::create_symlink("loop", directory / "loop");
  EXPECT_FALSE(replace(path("loop"), "x"));
  EXPECT_EQ(namesIn(directory), std::set<std::string>{"loop"});
}

}  // namespace
