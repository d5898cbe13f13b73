// quorvel-run end to end on what only POSIX systems have: a scene read from
// a FIFO and from a pipe inherited by its /dev/fd name.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/runner/quorvel_run_fixture.h"
#include "tests/support/run_support.h"

namespace {

using ::testing::HasSubstr;

TEST_F(QuorvelRunTest, SceneFromAPipeIsReadAndAPipeNoOneWritesIsGivenUp) {
  std::string scene = twoStaticNulls();
  std::string fifo = directory_.path("scene.fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  RunResult unwritten = runQuorvel({"--scene", "scene.fifo"}, directory_.root());
  EXPECT_EQ(unwritten.status, 3);
  EXPECT_THAT(unwritten.err, HasSubstr("scene.fifo: it is a pipe that no program opened"));

  // A writer that comes late, within the wait.
  std::thread writer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    writeFile(fifo, scene);
  });
  RunResult late =
      runQuorvel({"--scene", "scene.fifo", "--last-frame", "1", "--output", "late.env"},
                 directory_.root());
  // Should the run have ended without opening the pipe, a reader lets the writer finish.
  int release = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  writer.join();
  close(release);
  EXPECT_EQ(late.status, 0) << late.err;
  EXPECT_EQ(read("late.env"), "LWEN\r\n1\r\n1\r\n1\r\n5.000000\r\n0 1 0 0 0\r\n");

  // A shell's "<(cat scene.lws)": a pipe the program inherits, read by its /dev/fd name.
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  ASSERT_EQ(write(ends[1], scene.data(), scene.size()), static_cast<ssize_t>(scene.size()));
  close(ends[1]);
  RunResult inherited = runQuorvel(
      {"--scene", "/dev/fd/" + std::to_string(ends[0]), "--last-frame", "1", "--output", "fd.env"},
      directory_.root());
  close(ends[0]);
  EXPECT_EQ(inherited.status, 0) << inherited.err;
  EXPECT_EQ(read("fd.env"), read("late.env"));
}

}  // namespace
