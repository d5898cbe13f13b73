// Which of a run's files are one file: by identity for files that exist, by
// directory and name for files still to be made; devices never.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "runner/same_files.h"
#include "tests/support/test_platform.h"

namespace {

using ::testing::HasSubstr;

TEST(SameFiles, PairsAreTheSameFileOnlyWhereTheFileSystemSaysSo) {
  ScratchDirectory directory;
  writeFile(directory.path("a.lws"), "a\n");
  writeFile(directory.path("b.lws"), "b\n");
  std::filesystem::create_directory(directory.path("sub"));
  std::filesystem::create_hard_link(directory.path("a.lws"), directory.path("sub/a-link.lws"));
  struct Case {
    const char* why;
    std::string first;
    std::string second;
    bool same;
  };
  const Case cases[] = {
      {"one file", directory.path("a.lws"), directory.path("a.lws"), true},
      {"one file through ..", directory.path("a.lws"), directory.path("sub/../a.lws"), true},
      {"a hard link", directory.path("a.lws"), directory.path("sub/a-link.lws"), true},
      {"two files", directory.path("a.lws"), directory.path("b.lws"), false},
      {"a file and a new name", directory.path("a.lws"), directory.path("new.env"), false},
      {"one new name", directory.path("new.env"), directory.path("sub/../new.env"), true},
      {"new names apart", directory.path("new.env"), directory.path("sub/new.env"), false},
      {"a new name in no directory", directory.path("none/new.env"), directory.path("none/new.env"),
       false},
      {"a directory's file", directory.path("sub"), directory.path("sub/."), true},
      {"the null device", nullDevicePath(), nullDevicePath(), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    std::string error;
    bool distinct = checkDistinctFiles({{"--output", c.first}, {"--plot", c.second}}, &error);
    EXPECT_EQ(distinct, !c.same);
    if (c.same) {
      EXPECT_EQ(error, "--output " + c.first + " and --plot " + c.second +
                           " name the same file; nothing was written");
    }
  }
}

TEST(SameFiles, AnyTwoOfManyAreFoundAndAFileNamedDashIsNoStandardInput) {
  ScratchDirectory directory;
  writeFile(directory.path("scene.lws"), "scene\n");
  std::string error;
  EXPECT_FALSE(checkDistinctFiles({{"--scene", directory.path("scene.lws")},
                                   {"--module", directory.path("m.p")},
                                   {"--output", directory.path("o.env")},
                                   {"--plot", directory.path("scene.lws")}},
                                  &error));
  EXPECT_THAT(error, HasSubstr("--scene " + directory.path("scene.lws") + " and --plot"));

  // "-" as an output is a file of that name, not standard input.
  error.clear();
  EXPECT_TRUE(checkDistinctFiles(
      {{"--scene", "-", true}, {"--output", directory.path("-")}, {"--plot", directory.path("p")}},
      &error))
      << error;
}

}  // namespace
