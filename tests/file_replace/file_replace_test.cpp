// Replacing files whole or not at all.

#include "file_replace/file_replace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/support/failing_writes.h"
#include "tests/file_replace/replace_fixture.h"

namespace fs = std::filesystem;

namespace {

TEST_F(FileReplaceTest, TheOldFileSurvivesEveryFailureByteForByteWithNothingBesideIt) {
  const std::string old(10000, 'o');
  const std::string fresh(20000, 'n');
  struct {
    const char* name;
    bool keep;
    std::size_t blockedAt;  // 0: not blocked; else where POSIX stops the writes
    bool replaced;
  } cases[] = {
      {"written and kept", true, 0, true},
      {"abandoned by the writer", false, 0, false},
      {"blocked part-way through the writes", true, 4096, false},
      {"blocked at the close's flush", true, 19999, false},
  };
  for (const auto& c : cases) {
    std::string target = path("scene.lws");
    writeFile(target, old);
    bool replaced;
    if (c.blockedAt) {
      BlockedReplacement blocked(target, c.blockedAt);
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
  EXPECT_TRUE(replace(path("new.env"), "complete"));
  EXPECT_EQ(readFile(path("new.env")), "complete");
  EXPECT_EQ(namesIn(directory), std::set<std::string>{"new.env"});
}

TEST_F(FileReplaceTest, RefusesWhatCannotBeWrittenAndLeavesNothing) {
  EXPECT_FALSE(replace(path("no/such/directory"), "x"));
  EXPECT_FALSE(replace(directory.string(), "x"));  // a directory
  EXPECT_TRUE(namesIn(directory).empty());
}

}  // namespace
