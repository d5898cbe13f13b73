// Without --module, quorvel-run loads quorvel.p beside itself, else the one
// of the installed layout in ../lib/quorvel/.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/run_support.h"

namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

TEST(ModuleSearch, TheRunnerFindsTheModuleBesideItselfFirstThenInLibQuorvel) {
  ScratchDirectory prefix;
  fs::create_directories(prefix.root() / "bin");
  fs::create_directories(prefix.root() / "lib" / "quorvel");
  std::string runner = (prefix.root() / "bin" / fs::path(QUORVEL_RUN).filename()).string();
  fs::copy_file(QUORVEL_RUN, runner);
  fs::copy_file(QUORVEL_MODULE_FILE, prefix.path("lib/quorvel/quorvel.p"));

  RunResult installed = runProgram(runner, {"--last-frame", "1"}, prefix.root());
  EXPECT_EQ(installed.status, 0) << installed.err;
  EXPECT_EQ(installed.out, "./quorvel.env: 1 key, distance 10.049876 to 10.049876\n");

  // A file beside the runner is taken first, even one that is no module.
  writeFile(prefix.path("bin/quorvel.p"), "not a module\n");
  RunResult beside = runProgram(runner, {"--last-frame", "1"}, prefix.root());
  EXPECT_EQ(beside.status, 3);
  std::string besidePath = (prefix.root() / "bin" / "quorvel.p").string();
  EXPECT_THAT(beside.err, HasSubstr("cannot load module file " + besidePath));
}

}  // namespace
