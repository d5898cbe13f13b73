// quorvel-run end to end on what Windows has in place of FIFOs: a scene
// read from a named pipe that another program serves.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

}  // namespace
