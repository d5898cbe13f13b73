// quorvel-scene as a shell script calls it: for each command line, its exit
// status, what it says, and, where nothing may be written, the directory
// it ran in left as it was.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/run_support.h"

namespace {

using ::testing::HasSubstr;

const std::string SAMPLES = std::string(QUORVEL_SOURCE_DIR) + "/tests/runner/scenes/";

RunResult runScene(const std::vector<std::string>& arguments, const ScratchDirectory& directory,
                   const std::string& input = "") {
  return runProgram(QUORVEL_SCENE, arguments, directory.root(),
                    input.empty() ? "" : directory.path(input));
}

// The directory each case runs in: s.lws, a version 1 scene whose null
// "Ball" has three motion keys, v5.lws, a version 5 scene with IDs, and
// tab.lws, whose first null a file names "a", a tab and "b".
void setUpDirectory(const ScratchDirectory& directory) {
  const std::vector<std::string> steps[] = {
      {"new", "s.lws"},
      {"add-null", "s.lws", "Ball"},
      {"key", "s.lws", "Ball", "--frame", "10", "--position", "1", "0", "0"},
      {"key", "s.lws", "Ball", "--frame", "20", "--position", "2", "0", "0"},
  };
  for (const std::vector<std::string>& step : steps) {
    ASSERT_EQ(runScene(step, directory).status, 0) << step[0];
  }
  writeFile(directory.path("v5.lws"), readFile(SAMPLES + "move_x.lws"));
  writeFile(directory.path("tab.lws"),
            sceneWith({staticNull("a\tb", 0, 0, 0), staticNull("Corner", 3, 4, 0)}));
}

TEST(SceneScripts, EachCommandGivesItsStatusAndMessageAndWritesOnlyWhatItMay) {
  const std::string tab = "a\tb";
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string fragment;  // of standard error, or of standard output when it succeeds
    bool untouched;        // the directory is left as it was
    std::string input = "";  // the file standard input reads
  };
  const Case cases[] = {
      // Empty paths name their argument.
      {{"list", ""}, 3, "quorvel-scene: FILE: the path is empty", true},
      {{"new", ""}, 3, "OUT: the path is empty", true},
      {{"add-null", "s.lws", "C", "--output", ""}, 3, "--output: the path is empty", true},
      {{"add-object", "s.lws", ""}, 3, "PATH: the path is empty", true},
      // Names that would break a listing are not written.
      {{"add-null", "s.lws", tab}, 3, "NAME \"a\\tb\" holds a tab", true},
      {{"add-null", "s.lws", "bell\a"}, 3, "NAME \"bell\\x07\" holds a control character", true},
      {{"add-object", "s.lws", "Objects/x\ny.lwo"}, 3, "holds a line end", true},
      // Unknown names: 3, as in quorvel-run, with the nearest first.
      {{"key", "s.lws", "ball", "--frame", "30", "--position", "0", "0", "0"}, 3,
       "s.lws: the scene has no object named \"ball\"; did you mean \"Ball\"? Also near: ", true},
      {{"parent", "s.lws", "Ball", "Cmera"}, 3,
       "the nearest: \"Camera\", \"Ball\", \"Light\"; quorvel-scene list s.lws shows all 3", true},
      // A version 1 key at frame 0 would start Ball's motion afresh.
      {{"key", "s.lws", "Ball", "--frame", "0", "--position", "0", "0", "0"}, 4,
       "s.lws:12: \"Ball\" has 3 motion keys, and a version 1 key at frame 0 starts the motion "
       "afresh: it would drop all 3; give --replace-motion to do so", true},
      {{"key", "s.lws", "Ball", "--frame", "0", "--position", "0", "0", "0", "--replace-motion"},
       0, "", false},
      // A name read from a file is listed escaped, and the listed form selects it.
      {{"list", "tab.lws"}, 0, "object\ta\\tb\t-\t1\nobject\tCorner\t-\t2\n", true},
      {{"key", "tab.lws", "a\\tb", "--frame", "5", "--position", "0", "0", "0"}, 0, "", false},
      {{"parent", "tab.lws", "Corner", "a\\tb", "--output", "p.lws"}, 0, "", false},
      // IDs select their items as listings print them.
      {{"list", "v5.lws"}, 0, "object\tsimple_cube\t10000000\t1\nlight\tLight\t20000000\t-\n",
       true},
      {{"key", "v5.lws", "#10000000", "--frame", "3", "--position", "0", "0", "0"}, 0, "", false},
      {{"key", "v5.lws", "#20000000", "--frame", "3", "--position", "0", "0", "0"}, 4,
       "\"\\#20000000\" is a light, not an object", true},
      // "-" for standard input and output.
      {{"list", "-"}, 0, "object\tBall\t-\t1\nlight\tLight\t-\t-\ncamera\tCamera\t-\t-\n", true,
       "s.lws"},
      // (A scene written to standard output: scripts_test_posix.cpp.)
      // Refusals before anything is written, and parser errors.
      {{"new", "s.lws"}, 3, "s.lws exists already; give --force to replace it", true},
      {{"lst", "s.lws"}, 3,
       "quorvel-scene: give a subcommand first: new, list, add-null, add-object, copy, parent, "
       "key, dissolve (\"lst\" is none); run quorvel-scene --help-all", true},
      {{"list", "s.lws", "extra"}, 3,
       "quorvel-scene: The following argument was not expected: extra; run quorvel-scene "
       "--help-all for the options", true},
      {{"key", "s.lws", "Ball", "--frame", "1"}, 3, "run quorvel-scene --help-all", true},
      {{"key", "s.lws", "Ball", "--frme", "1", "--position", "0", "0", "0"}, 3,
       "did you mean --frame? run quorvel-scene --help-all for the options", true},
  };
  for (const Case& c : cases) {
    std::string command;
    for (const std::string& argument : c.arguments) command += " [" + argument + "]";
    SCOPED_TRACE(command);
    ScratchDirectory directory;
    setUpDirectory(directory);
    std::map<std::string, std::string> before = snapshot(directory.root());
    RunResult run = runScene(c.arguments, directory, c.input);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_THAT(c.status == 0 ? run.out + run.err : run.err, HasSubstr(c.fragment));
    if (c.untouched) {
      EXPECT_EQ(snapshot(directory.root()), before);
    } else {
      EXPECT_NE(snapshot(directory.root()), before);
    }
    if (c.status != 0) {
      EXPECT_EQ(run.err.rfind("quorvel-scene: ", 0), 0u);
    }
  }
}

}  // namespace
