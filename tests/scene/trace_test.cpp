// The trace file "SpecTEXT.txt" in the current directory.

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>

#include "scene/scene.h"
#include "tests/scene/core_documents.h"
#include "tests/scene/scratch_files.h"

namespace {

namespace fs = std::filesystem;

// Each test runs in a fresh directory of its own, and goes back after.
class TraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    fs::current_path(directory_.root());
  }
  void TearDown() override { fs::current_path(previous_); }

  std::string traced() const { return readBytes(directory_.path("SpecTEXT.txt")); }
  bool traceExists() const { return fs::exists(directory_.path("SpecTEXT.txt")); }

  ScratchDirectory directory_;
  fs::path previous_;
};

TEST_F(TraceTest, TextsAreAppendedVerbatim) {
  traceText("first %d %s %%\n");
  traceText("");
  traceText("second\r\nno newline");
  EXPECT_EQ(traced(), "first %d %s %%\nsecond\r\nno newline");
}

TEST_F(TraceTest, NumbersAreWrittenInDecimal) {
  traceNumber(0);
  traceNumber(-1);
  traceNumber(INT_MAX);
  traceNumber(INT_MIN);
  EXPECT_EQ(traced(), "num is 0\nnum is -1\nnum is 2147483647\nnum is -2147483648\n");
}

TEST_F(TraceTest, SceneTracesEveryLineAfterWhatWasThere) {
  traceText("before\n");
  ScenePtr document = documentOf({"LWSC\n", "1\n", "last"});
  traceScene(document.get());
  EXPECT_EQ(traced(), "before\nLWSC\n1\nlast");
}

TEST_F(TraceTest, SceneWithoutLinesDoesNotCreateTheFile) {
  ScenePtr document = documentOf({});
  traceScene(document.get());
  EXPECT_FALSE(traceExists());
}

TEST_F(TraceTest, UnopenableFileDropsTheTraceAndLaterTracesAppend) {
  traceText("kept\n");
  // Move the file aside and put a directory in its place: no trace can open it.
  fs::rename(directory_.path("SpecTEXT.txt"), directory_.path("aside"));
  fs::create_directory(directory_.path("SpecTEXT.txt"));
  traceText("dropped\n");
  traceNumber(7);
  traceScene(documentOf({"dropped\n"}).get());
  EXPECT_TRUE(fs::is_empty(directory_.path("SpecTEXT.txt")));
  fs::remove(directory_.path("SpecTEXT.txt"));
  fs::rename(directory_.path("aside"), directory_.path("SpecTEXT.txt"));
  traceText("appended\n");
  EXPECT_EQ(traced(), "kept\nappended\n");
}

TEST_F(TraceTest, ReadOnlyDirectoryDropsTheTrace) {
  fs::permissions(directory_.root(), fs::perms::owner_read | fs::perms::owner_exec);
  if (access(directory_.root().c_str(), W_OK) == 0) {
    GTEST_SKIP() << "this user may write into read-only directories";
  }
  traceText("dropped\n");
  traceNumber(1);
  EXPECT_FALSE(traceExists());
}

}  // namespace
