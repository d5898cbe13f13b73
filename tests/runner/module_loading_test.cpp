// quorvel-run refuses every module file that is not the Quorvel module a
// host would accept, naming the file and what was wrong, and loads one that
// is.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/run_support.h"

namespace {

using ::testing::HasSubstr;

std::string testModule(const std::string& name) {
  return std::string(QUORVEL_TEST_MODULE_DIR) + "/" + name + ".p";
}

TEST(ModuleLoading, ModulesAHostWouldRefuseEndTheRunWithStatusThree) {
  struct RefusedModule {
    const char* why;
    std::string path;
    const char* problem;
  };
  ScratchDirectory directory;
  std::string textFile = directory.path("text.p");
  writeFile(textFile, "this is not a module\n");
  const RefusedModule cases[] = {
      {"missing file", directory.path("absent.p"), "cannot load module file"},
      {"not a loadable file", textFile, "cannot load module file"},
      {"no record", testModule("no_record"), "has no _mod_descrip record"},
      {"wrong sync code", testModule("wrong_sync_code"), "sync code is 0x19940412, not 0x04121994"},
      {"wrong version", testModule("wrong_version"), "version is 3, not 2"},
      {"wrong machine code", testModule("wrong_machine_code"),
       "machine code is 0x00000200, not 0x00000300"},
      {"no Quorvel server", testModule("other_server"),
       "no server of class \"LayoutGeneric\" named \"Quorvel\""},
  };
  for (const RefusedModule& refused : cases) {
    RunResult run = runQuorvel({"--module", refused.path}, directory.root());
    EXPECT_EQ(run.status, 3) << refused.why;
    EXPECT_THAT(run.err, HasSubstr(refused.path)) << refused.why;
    EXPECT_THAT(run.err, HasSubstr(refused.problem)) << refused.why;
    EXPECT_EQ(run.out, "") << refused.why;
  }
}

TEST(ModuleLoading, TheActivationsResultIsTheExitStatusAndMessagesAreReported) {
  ScratchDirectory directory;
  RunResult run = runQuorvel({"--module", testModule("missing_service_module")}, directory.root());
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, HasSubstr("test module activated"));
  // A result no host knows must not pass for the runner's own statuses 3 and 4.
  run = runQuorvel({"--module", testModule("unknown_result_module")}, directory.root());
  EXPECT_EQ(run.status, 3);
  EXPECT_THAT(run.err, HasSubstr("activation returned 9"));
}

TEST(ModuleLoading, AFileNameWithoutDirectoryIsTakenFromTheCurrentDirectory) {
  ScratchDirectory directory;
  std::filesystem::copy_file(QUORVEL_MODULE_FILE, directory.path("quorvel.p"));
  RunResult run = runQuorvel({"--module", "quorvel.p", "--last-frame", "1"}, directory.root());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("quorvel.env: 1 key,"));
}

}  // namespace
