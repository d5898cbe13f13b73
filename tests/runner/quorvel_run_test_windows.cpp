// quorvel-run end to end on what Windows has in place of FIFOs: a scene
// read from a named pipe that another program serves; and on its file
// system's ways: names equal but for case, and read-only files.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/pipe_server_windows.h"
#include "tests/runner/quorvel_run_fixture.h"
#include "tests/support/run_support.h"

namespace {

using ::testing::HasSubstr;

TEST_F(QuorvelRunTest, SceneFromANamedPipeIsReadAndAPipeNoOneServesIsGivenUp) {
  PipeServer nobody(twoStaticNulls(), -1);
  RunResult unserved = runQuorvel({"--scene", nobody.path()}, directory_.root());
  EXPECT_EQ(unserved.status, 3);
  EXPECT_THAT(unserved.err, HasSubstr(nobody.path() + ": it is a pipe that no program opened"));

  // A server that comes late, within the wait.
  PipeServer late(twoStaticNulls(), 300);
  RunResult served = runQuorvel(
      {"--scene", late.path(), "--last-frame", "1", "--output", "late.env"}, directory_.root());
  EXPECT_EQ(served.status, 0) << served.err;
  EXPECT_EQ(read("late.env"), "LWEN\r\n1\r\n1\r\n1\r\n5.000000\r\n0 1 0 0 0\r\n");
}

TEST_F(QuorvelRunTest, NamesThatDifferOnlyInCaseAreOneFile) {
  writeFile(directory_.path("scene.lws"), twoStaticNulls());
  RunResult fresh = runQuorvel(
      {"--scene", "scene.lws", "--output", "Out.env", "--plot", "OUT.ENV"}, directory_.root());
  EXPECT_EQ(fresh.status, 3);
  EXPECT_THAT(fresh.err, HasSubstr("--output Out.env and --plot OUT.ENV name the same file"));
  EXPECT_FALSE(exists("Out.env"));

  RunResult kept = runQuorvel({"--scene", "scene.lws", "--output", "SCENE.LWS"}, directory_.root());
  EXPECT_EQ(kept.status, 3);
  EXPECT_THAT(kept.err, HasSubstr("--scene scene.lws and --output SCENE.LWS name the same file"));
  EXPECT_EQ(read("scene.lws"), twoStaticNulls());
}

// The file replacement never replaces a read-only file on Windows.
TEST_F(QuorvelRunTest, AReadOnlyEnvelopeIsRefusedAsPermissionDenied) {
  writeFile(directory_.path("kept.env"), "kept\n");
  std::filesystem::permissions(directory_.path("kept.env"), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  RunResult run = runOnScene(twoStaticNulls(), {"--output", "kept.env"});
  std::filesystem::permissions(directory_.path("kept.env"), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_EQ(run.status, 3);
  EXPECT_THAT(run.err, HasSubstr("cannot write the envelope kept.env: Permission denied"));
  EXPECT_EQ(read("kept.env"), "kept\n");
}

}  // namespace
