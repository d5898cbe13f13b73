// quorvel-run end to end on what only POSIX systems have: a scene read from
// a FIFO and from a pipe inherited by its /dev/fd name, symbolic links,
// permissions that bind root's programs run as another user, read-only
// mounts and /dev/full.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/runner/quorvel_run_fixture.h"
#include "tests/support/run_support.h"

namespace {

using ::testing::HasSubstr;

constexpr char SETPRIV[] = "/usr/bin/setpriv";
constexpr char UNSHARE[] = "/usr/bin/unshare";

// Runs quorvel-run with `arguments` in `workDirectory`, as the user nobody
// when this process is root (whom permissions do not bind), and as this
// user otherwise.
RunResult runUnprivileged(const std::vector<std::string>& arguments,
                          const std::filesystem::path& workDirectory) {
  if (geteuid() != 0) return runQuorvel(arguments, workDirectory);
  std::vector<std::string> dropped = {"--reuid=65534", "--regid=65534", "--clear-groups",
                                      QUORVEL_RUN};
  dropped.insert(dropped.end(), arguments.begin(), arguments.end());
  return runProgram(SETPRIV, dropped, workDirectory);
}

// Runs quorvel-run with `arguments` in `workDirectory` while an empty
// read-only file system is mounted on its directory `mountPoint`: in a
// mount namespace of its own, so that no other program sees the mount and
// it goes when the run ends. REQUIRES root.
RunResult runWithReadOnlyMount(const std::string& mountPoint,
                               const std::vector<std::string>& arguments,
                               const std::filesystem::path& workDirectory) {
  std::vector<std::string> command = {
      "--mount", "/bin/sh", "-c",
      "mount -t tmpfs -o ro,size=64k tmpfs \"$1\" && shift && exec \"$@\"", "sh", mountPoint,
      QUORVEL_RUN};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return runProgram(UNSHARE, command, workDirectory);
}

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

TEST_F(QuorvelRunTest, ALinkToTheSceneIsTheSceneItself) {
  writeFile(directory_.path("scene.lws"), twoStaticNulls());
  std::filesystem::create_symlink("scene.lws", directory_.path("alias.lws"));
  RunResult run = runQuorvel({"--scene", "scene.lws", "--output", "out.env", "--plot", "alias.lws"},
                             directory_.root());
  EXPECT_EQ(run.status, 3);
  EXPECT_THAT(run.err, HasSubstr("--scene scene.lws and --plot alias.lws name the same file"));
  EXPECT_EQ(read("scene.lws"), twoStaticNulls());
  EXPECT_TRUE(std::filesystem::is_symlink(directory_.path("alias.lws")));
  EXPECT_FALSE(exists("out.env"));
}

TEST_F(QuorvelRunTest, ADirectoryThatMayNotBeWrittenIsRefusedAsPermissionDenied) {
  if (geteuid() == 0 && !std::filesystem::exists(SETPRIV)) GTEST_SKIP() << "no setpriv";
  using std::filesystem::perms;
  std::filesystem::permissions(directory_.root(), perms(0755));
  writeFile(directory_.path("scene.lws"), twoStaticNulls());
  std::filesystem::create_directory(directory_.path("locked"));
  writeFile(directory_.path("locked/kept.env"), "kept\n");
  std::filesystem::permissions(directory_.path("locked/kept.env"), perms(0444));
  std::filesystem::permissions(directory_.path("locked"), perms(0555));
  struct Case {
    const char* output;
    const char* message;
  };
  const Case cases[] = {
      {"locked/new.env", "cannot write the envelope locked/new.env: the directory locked: "},
      {"locked/kept.env", "cannot write the envelope locked/kept.env: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output);
    RunResult run = runUnprivileged({"--scene", "scene.lws", "--output", c.output},
                                    directory_.root());
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_THAT(run.err, HasSubstr(c.message));
    EXPECT_THAT(lowered(run.err), HasSubstr("permission denied"));
  }
  std::filesystem::permissions(directory_.path("locked"), perms(0755));
  EXPECT_EQ(read("locked/kept.env"), "kept\n");
  EXPECT_FALSE(exists("locked/new.env"));
}

TEST_F(QuorvelRunTest, AReadOnlyFileSystemIsRefusedAsSuch) {
  if (geteuid() != 0 || !std::filesystem::exists(UNSHARE)) {
    GTEST_SKIP() << "mounting a read-only file system takes root and unshare";
  }
  writeFile(directory_.path("scene.lws"), twoStaticNulls());
  std::filesystem::create_directory(directory_.path("mounted"));
  RunResult run = runWithReadOnlyMount(directory_.path("mounted"),
                                       {"--scene", "scene.lws", "--output", "mounted/out.env"},
                                       directory_.root());
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_THAT(run.err, HasSubstr("cannot write the envelope mounted/out.env: the directory "
                                 "mounted: "));
  EXPECT_THAT(lowered(run.err), HasSubstr("read-only file system"));
  EXPECT_TRUE(std::filesystem::is_empty(directory_.path("mounted")));
}

// Nothing is in the way of /dev/full before the bake: the module's write
// fails, and the runner says what it finds then.
TEST_F(QuorvelRunTest, AWriteThatFailsShowsTheModulesMessageAndTheRunnersFinding) {
  RunResult run = runOnScene(twoStaticNulls(), {"--last-frame", "2", "--output", "/dev/full"});
  EXPECT_EQ(run.status, 4);
  EXPECT_THAT(run.err, HasSubstr("Quorvel message: /dev/full\n"));
  EXPECT_THAT(run.err, HasSubstr("quorvel-run: the module could not write the envelope /dev/full: "
                                 "nothing is in the way of writing it now, so the write itself "
                                 "failed\n"));
  EXPECT_EQ(run.out, "");
}

}  // namespace
