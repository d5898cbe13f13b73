// quorvel-scene writing a scene to standard output, "-", as a pipe takes
// it: the scene's own bytes. (On Windows the tests' capture of standard
// output undoes a text stream's line ends, which a scene's bytes do not
// have.)

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/run_support.h"

namespace {

RunResult runScene(const std::vector<std::string>& arguments, const ScratchDirectory& directory,
                   const std::string& input = "") {
  return runProgram(QUORVEL_SCENE, arguments, directory.root(),
                    input.empty() ? "" : directory.path(input));
}

// An edit of a scene read from standard input goes to standard output, and
// what the edit reports to standard error, so that the scene can be piped on;
// --output - and new - write the same bytes as a file would hold.
TEST(SceneScripts, ScenesWrittenToStandardOutputHoldTheFilesBytes) {
  ScratchDirectory directory;
  ASSERT_EQ(runScene({"new", "s.lws"}, directory).status, 0);
  ASSERT_EQ(runScene({"add-null", "s.lws", "Ball"}, directory).status, 0);
  ASSERT_EQ(runScene({"add-null", "s.lws", "C", "--output", "file.lws"}, directory).status, 0);
  const std::string edited = readFile(directory.path("file.lws"));
  const std::string scene = readFile(directory.path("s.lws"));

  RunResult piped = runScene({"add-null", "-", "C"}, directory, "s.lws");
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.err, "object\tC\t-\t2\n");
  EXPECT_EQ(piped.out, edited);

  RunResult output = runScene({"add-null", "s.lws", "C", "--output", "-"}, directory);
  EXPECT_EQ(output.status, 0) << output.err;
  EXPECT_EQ(output.out, edited);
  EXPECT_EQ(output.err, "object\tC\t-\t2\n");

  RunResult fresh = runScene({"new", "-"}, directory);
  ASSERT_EQ(runScene({"new", "new.lws"}, directory).status, 0);
  EXPECT_EQ(fresh.status, 0) << fresh.err;
  EXPECT_EQ(fresh.out, readFile(directory.path("new.lws")));
  EXPECT_EQ(readFile(directory.path("s.lws")), scene);  // read, never written
}

}  // namespace
