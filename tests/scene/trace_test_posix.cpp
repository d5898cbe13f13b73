// The trace file where POSIX refuses it: a directory the user cannot write.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "tests/scene/trace_fixture.h"

namespace {

namespace fs = std::filesystem;

TEST_F(Trace, ReadOnlyDirectoryDropsTheTrace) {
  fs::permissions(directory.root(), fs::perms::owner_read | fs::perms::owner_exec);
  if (access(".", W_OK) == 0) GTEST_SKIP() << "this user writes into read-only directories";
  traceText("dropped\n");
  EXPECT_FALSE(fs::exists("SpecTEXT.txt"));
  fs::permissions(directory.root(), fs::perms::owner_all);
}

}  // namespace
