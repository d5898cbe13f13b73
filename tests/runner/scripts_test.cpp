// quorvel-run as a shell script calls it: for each command line, its exit
// status, what it says, and, where nothing may be written, the directory
// it ran in left as it was.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/runner/quorvel_run_fixture.h"
#include "tests/support/run_support.h"

namespace {

using ::testing::HasSubstr;

const std::string SAMPLES = std::string(QUORVEL_SOURCE_DIR) + "/tests/runner/scenes/";

// The directory each case runs in: scene.lws (Origin and Corner, 5 apart,
// and the camera), tab.lws (a null named "a", a tab and "b"), fps25.lws (at
// 25 frames a second), nocamera.lws (two nulls and no camera), kept.env (an
// envelope a run must not touch).
void setUpDirectory(const ScratchDirectory& directory) {
  writeFile(directory.path("scene.lws"), twoStaticNulls());
  writeFile(directory.path("tab.lws"),
            sceneWith({staticNull("a\tb", 0, 0, 0), staticNull("Corner", 3, 4, 0)}));
  std::string fps25 = twoStaticNulls();
  fps25.replace(fps25.find("FramesPerSecond 30.000000"), 25, "FramesPerSecond 25.000000");
  writeFile(directory.path("fps25.lws"), fps25);
  writeFile(directory.path("nocamera.lws"),
            "LWSC\n1\n\nAddNullObject A\nShadowOptions 7\n\nAddNullObject B\nShadowOptions 7\n");
  writeFile(directory.path("kept.env"), "LWEN\r\n1\r\n1\r\n0\r\n");
}

TEST(RunScripts, EachCommandGivesItsStatusAndMessageAndWritesOnlyWhatItMay) {
  const std::string v5 = SAMPLES + "move_x.lws";  // IDs 10000000 (the cube), 30000000 (camera)
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string fragment;  // of standard error, or of standard output when it succeeds
    bool untouched;        // the directory is left as it was
  };
  const Case cases[] = {
      // Empty paths, refused before anything is read or written; a bare call.
      {{}, 3, "Given no argument, it does nothing", true},
      {{"--scene", ""}, 3, "quorvel-run: --scene: the path is empty", true},
      {{"--scene", "scene.lws", "--output", ""}, 3, "--output: the path is empty", true},
      {{"--scene", "scene.lws", "--plot", ""}, 3, "--plot: the path is empty", true},
      {{"--scene", "scene.lws", "--table", ""}, 3, "--table: the path is empty", true},
      {{"--scene", "scene.lws", "--module", ""}, 3, "--module: the path is empty", true},
      {{"--envelopes-dir", ""}, 3, "--envelopes-dir: the path is empty", true},
      {{"--scene", "scene.lws", "--pair", "Origin", "Corner", "--output-dir", ""}, 3,
       "--output-dir: the path is empty", true},
      // Pairs checked as a whole, in the words typed, before the first bake.
      {{"--scene", "scene.lws", "--pair", "Origin", "Corner", "--pair", "Origin", "Nope"}, 3,
       "quorvel-run: --pair Origin Nope: no item named \"Nope\"", true},
      {{"--scene", "scene.lws", "--pair", "Origin", "Corner", "--pair", "Origin", "Corner"}, 3,
       "--pair Origin Corner: the same pair as --pair Origin Corner, given before", true},
      {{"--scene", "scene.lws", "--pair-camera", "Origin", "--pair", "Origin", "Camera"}, 3,
       "--pair Origin Camera: the same pair as --pair-camera Origin", true},
      {{"--scene", "scene.lws", "--pair-camera", "Camera"}, 3,
       "--pair-camera Camera: \"Camera\" is at both ends (it is the scene's first camera)", true},
      {{"--scene", "nocamera.lws", "--pair", "A", "B", "--pair-camera", "B"}, 3,
       "quorvel-run: --pair-camera B: the scene has no camera to measure to", true},
      {{"--scene", "scene.lws", "--pair", "Corner", "Corner"}, 3,
       "--pair Corner Corner: \"Corner\" is at both ends", true},
      {{"--scene", "scene.lws", "--pair", "Origin", "Corner", "--output-dir", "no/such"}, 3,
       "--output-dir no/such: its parent directory no does not exist", true},
      {{"--scene", "scene.lws", "--pair", "Origin", "Corner", "--pair", "Origin", "Camera",
        "--output-dir", "new", "--plot", "p.svg"}, 3, "--plot cannot be given with --pair", true},
      // A directory made for the envelopes goes again when a pair is refused.
      {{"--scene", "scene.lws", "--pair", "Origin", "Corner", "--output-dir", "new", "--module",
        "new/Origin-Corner.env"}, 3,
       "quorvel-run: --pair Origin Corner: --module new/Origin-Corner.env and --output "
       "new/Origin-Corner.env name the same file", true},
      {{"--scene", "scene.lws", "--pair", "Origin", "Corner", "--table", "no/such/t.csv"}, 3,
       "quorvel-run: cannot write the table no/such/t.csv", true},
      {{"--scene", "scene.lws", "--pair", "Origin", "Corner", "--output-dir", "kept.env"}, 3,
       "--output-dir kept.env: it is not a directory", true},
      {{"--scene", "scene.lws", "--pair", "Origin", "Corner", "--output-dir", "pairs"}, 0,
       "made the directory pairs for the envelopes", false},
      // Pairs bake in the order typed, --pair-camera among --pair.
      {{"--scene", "scene.lws", "--pair-camera", "Origin", "--pair", "Origin", "Corner",
        "--last-frame", "2", "--output-dir", "."}, 0,
       "./Origin-Camera.env: 2 keys, distance 4.000000 to 4.000000\n"
       "./Origin-Corner.env: 2 keys, distance 5.000000 to 5.000000\n", false},
      // Names: the nearest offered, the listed form and #ID select.
      {{"--scene", "scene.lws", "--item", "origin"}, 3,
       "--item: no item named \"origin\"; did you mean \"Origin\"?", true},
      {{"--scene", "scene.lws", "--target", "Cornr"}, 3,
       "the nearest: \"Corner\", \"Camera\", \"Origin\"; --list-items shows all 3", true},
      {{"--scene", "tab.lws", "--list-items"}, 0, "object\ta\\tb\t-\n", true},
      {{"--scene", "tab.lws", "--item", "a\\tb", "--output", "o.env", "--last-frame", "1"}, 0,
       "o.env: 1 key, distance 5.000000", false},
      {{"--scene", v5, "--list-items"}, 0, "object\tsimple_cube\t10000000\n", true},
      {{"--scene", v5, "--item", "#10000000", "--target", "#30000000", "--output", "o.env",
        "--last-frame", "1"}, 0, "o.env: 1 key", false},
      {{"--scene", v5, "--item", "#10000001"}, 3, "no item named \"#10000001\"", true},
      // Parser errors in the program's name, with what to type instead.
      {{"--scene", "scene.lws", "--itme", "Origin"}, 3,
       "quorvel-run: The following arguments were not expected: Origin --itme; did you mean "
       "--item? run quorvel-run --help for the options", true},
      {{"--scene", "scene.lws", "--scene", "tab.lws"}, 3, "quorvel-run: --scene: ", true},
      {{"--scene", "scene.lws", "--step", "x"}, 3, "run quorvel-run --help for the options", true},
      // The frame-rate warning, short, naming its option.
      {{"--scene", "fps25.lws", "--output", "o.env", "--last-frame", "2"}, 0,
       "quorvel-run: warning: the scene plays 25 fps, the module 30: --scene-rate keeps its "
       "frames\n", false},
      {{"--scene", "fps25.lws", "--pair", "Origin", "Corner", "--pair", "Corner", "Origin",
        "--last-frame", "2", "--output-dir", "."}, 0, "warning: the scene plays 25 fps", false},
  };
  for (const Case& c : cases) {
    std::string command;
    for (const std::string& argument : c.arguments) command += " [" + argument + "]";
    SCOPED_TRACE(command);
    ScratchDirectory directory;
    setUpDirectory(directory);
    std::map<std::string, std::string> before = snapshot(directory.root());
    RunResult run = runQuorvel(c.arguments, directory.root());
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_THAT(c.status == 0 ? run.out + run.err : run.err, HasSubstr(c.fragment));
    if (c.untouched) {
      EXPECT_EQ(snapshot(directory.root()), before);
    }
    // Each warning is one line, of at most 100 characters, printed once a run.
    std::istringstream lines(run.err);
    std::set<std::string> warnings;
    for (std::string line; std::getline(lines, line);) {
      if (line.starts_with("quorvel-run: warning: ")) {
        EXPECT_LE(line.size(), 100u) << line;
        EXPECT_TRUE(warnings.insert(line).second) << line;
      }
    }
    // Every refusal begins with the program's name.
    if (c.status == 3 && !c.arguments.empty()) {
      EXPECT_EQ(run.err.rfind("quorvel-run: ", 0), 0u);
    }
  }
}

// Listings a script can split: a fixed number of tab-separated fields in
// every row, names with control characters escaped.
TEST(RunScripts, ListingsHaveAFixedNumberOfFieldsPerRow) {
  ScratchDirectory directory;
  setUpDirectory(directory);
  for (const std::string& scene : {std::string("tab.lws"), std::string("scene.lws"),
                                   SAMPLES + "move_x.lws", SAMPLES + "seq_planet_01.lws"}) {
    for (bool verbose : {false, true}) {
      std::vector<std::string> arguments = {"--scene", scene, "--list-items"};
      if (verbose) arguments.push_back("--verbose");
      RunResult run = runQuorvel(arguments, directory.root());
      ASSERT_EQ(run.status, 0) << scene << ": " << run.err;
      std::istringstream lines(run.out);
      int rows = 0;
      for (std::string line; std::getline(lines, line); ++rows) {
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), verbose ? 4 : 2) << line;
      }
      EXPECT_GE(rows, 2) << scene;
    }
  }
}

// "-" is standard input for the scene, and standard output for the table.
TEST(RunScripts, ADashReadsTheSceneFromStandardInput) {
  ScratchDirectory directory;
  setUpDirectory(directory);
  RunResult run = runQuorvel({"--scene", "-", "--list-items"}, directory.root(),
                             directory.path("tab.lws"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "object\ta\\tb\t-\nobject\tCorner\t-\ncamera\tCamera\t-\n");
  RunResult table = runQuorvel({"--scene", "-", "--output", "o.env", "--last-frame", "2",
                                "--table", "-"},
                               directory.root(), directory.path("scene.lws"));
  EXPECT_EQ(table.status, 0) << table.err;
  EXPECT_EQ(table.out,
            "item,target,frame,seconds,distance,item_x,item_y,item_z,target_x,target_y,target_z\r\n"
            "Origin,Corner,0,0.000000,5.000000,0.000000,0.000000,0.000000,3.000000,4.000000,"
            "0.000000\r\n"
            "Origin,Corner,1,0.033333,5.000000,0.000000,0.000000,0.000000,3.000000,4.000000,"
            "0.000000\r\n");
}

}  // namespace
