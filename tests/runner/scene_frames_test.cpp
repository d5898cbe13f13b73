// quorvel-run bakes a scene's own frames, tells when the scene's rate is
// not the module's, runs the host's clock at the scene's rate when asked,
// reads a scene from standard input and keeps quiet when asked.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/runner/quorvel_run_fixture.h"
#include "tests/support/run_support.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// `scene` with its LastFrame line, "LastFrame 60", made `replacement`.
std::string withLastFrameLine(std::string scene, const std::string& replacement) {
  const std::string line = "LastFrame 60\n";
  scene.replace(scene.find(line), line.size(), replacement);
  return scene;
}

TEST_F(QuorvelRunTest, WithoutLastFrameTheScenesFramesZeroToItsLastFrameAreBaked) {
  RunResult own =
      runOnScene(withLastFrameLine(twoStaticNulls(), "LastFrame 2\n"), {"--output", "out.env"});
  EXPECT_EQ(own.status, 0) << own.err;
  EXPECT_EQ(read("out.env"),
            "LWEN\r\n1\r\n1\r\n3\r\n5.000000\r\n0 1 0 0 0\r\n5.000000\r\n"
            "1 1 0 0 0\r\n5.000000\r\n2 1 0 0 0\r\n");

  // LastFrame 0 bakes frame 0 alone; --last-frame still decides when given.
  RunResult zero =
      runOnScene(withLastFrameLine(twoStaticNulls(), "LastFrame 0\n"), {"--output", "zero.env"});
  EXPECT_EQ(zero.out, "zero.env: 1 key, distance 5.000000 to 5.000000\n");
  RunResult given = runOnScene(withLastFrameLine(twoStaticNulls(), "LastFrame 2\n"),
                               {"--last-frame", "5", "--output", "given.env"});
  EXPECT_EQ(given.out, "given.env: 5 keys, distance 5.000000 to 5.000000\n");

  // A scene that states no LastFrame keeps the panel's 60.
  RunResult stated = runOnScene(withLastFrameLine(twoStaticNulls(), ""), {"--output", "none.env"});
  EXPECT_EQ(stated.status, 0) << stated.err;
  EXPECT_THAT(read("none.env"), StartsWith("LWEN\r\n1\r\n1\r\n60\r\n"));
}

// Mover goes from the origin to (10, 0, 0) between the scene's frames 0 and
// 25, one second at 25 frames a second, and stays; Anchor stays at the
// origin. Its distance at t seconds is 10 t up to 1 s, 10 after.
// The module's clock: frame N is N/30 s, 10 N / 30 up to frame 30.
// The scene's clock: frame N is N/25 s, 10 N / 25 up to frame 25.
TEST_F(QuorvelRunTest, ATwentyFiveFrameSceneOnEachClockMatchesValuesWorkedByHand) {
  std::string scene = sceneWith(
      {nullObject("Mover", {{0, 0, 0, 0, 1}, {10, 0, 0, 25, 1}}), staticNull("Anchor", 0, 0, 0)});
  scene.replace(scene.find("FramesPerSecond 30.000000"), 25, "FramesPerSecond 25.000000");
  const std::string header = "LWEN\r\n1\r\n1\r\n7\r\n";

  RunResult module = runOnScene(scene, {"--last-frame", "31", "--step", "5", "--output", "m.env"});
  EXPECT_EQ(module.status, 0) << module.err;
  EXPECT_EQ(read("m.env"), header +
                               "0\r\n0 1 0 0 0\r\n1.666667\r\n5 1 0 0 0\r\n"
                               "3.333333\r\n10 1 0 0 0\r\n5.000000\r\n15 1 0 0 0\r\n"
                               "6.666667\r\n20 1 0 0 0\r\n8.333333\r\n25 1 0 0 0\r\n"
                               "10.000000\r\n30 1 0 0 0\r\n");
  EXPECT_EQ(module.out,
            "m.env: 7 keys, distance 0.000000 to 10.000000, on the module's clock "
            "(30 frames a second; the scene plays 25)\n");
  EXPECT_EQ(module.err,
            "quorvel-run: warning: the scene plays 25 fps, the module 30: --scene-rate keeps its "
            "frames\n");

  RunResult scenes =
      runOnScene(scene, {"--last-frame", "31", "--step", "5", "--output", "s.env", "--scene-rate"});
  EXPECT_EQ(scenes.status, 0) << scenes.err;
  EXPECT_EQ(scenes.err, "");
  EXPECT_EQ(read("s.env"), header +
                               "0\r\n0 1 0 0 0\r\n2.000000\r\n5 1 0 0 0\r\n"
                               "4.000000\r\n10 1 0 0 0\r\n6.000000\r\n15 1 0 0 0\r\n"
                               "8.000000\r\n20 1 0 0 0\r\n10.000000\r\n25 1 0 0 0\r\n"
                               "10.000000\r\n30 1 0 0 0\r\n");
  EXPECT_EQ(scenes.out,
            "s.env: 7 keys, distance 0.000000 to 10.000000, on the scene's clock "
            "(25 frames a second)\n");
}

TEST_F(QuorvelRunTest, AThirtyFrameSceneIsBakedWithoutAWarningOrAClockNote) {
  RunResult run = runOnScene(twoStaticNulls(), {"--last-frame", "1", "--output", "out.env"});
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "out.env: 1 key, distance 5.000000 to 5.000000\n");
}

TEST_F(QuorvelRunTest, DashReadsTheSceneFromStandardInput) {
  writeFile(directory_.path("scene.lws"), twoStaticNulls());
  RunResult run = runQuorvel({"--scene", "-", "--last-frame", "1", "--output", "out.env"},
                             directory_.root(), directory_.path("scene.lws"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(read("out.env"), "LWEN\r\n1\r\n1\r\n1\r\n5.000000\r\n0 1 0 0 0\r\n");

  // Its faults name standard input.
  writeFile(directory_.path("holds-nul.lws"), std::string("LWSC\n1\n\0", 8));
  RunResult nul = runQuorvel({"--scene", "-"}, directory_.root(), directory_.path("holds-nul.lws"));
  EXPECT_EQ(nul.status, 3);
  EXPECT_THAT(nul.err, HasSubstr("cannot read the scene from standard input: it holds a NUL byte "
                                 "at offset 7"));
  writeFile(directory_.path("v9.lws"), "LWSC\n9\n");
  RunResult v9 = runQuorvel({"--scene", "-"}, directory_.root(), directory_.path("v9.lws"));
  EXPECT_EQ(v9.status, 3);
  EXPECT_THAT(v9.err, HasSubstr("standard input:2: scene version 9"));
  EXPECT_FALSE(exists("quorvel.env"));
}

TEST_F(QuorvelRunTest, QuietPrintsNothingOnSuccessButStillTellsErrors) {
  std::string scene = twoStaticNulls();
  scene.replace(scene.find("FramesPerSecond 30.000000"), 25, "FramesPerSecond 24.000000");
  RunResult run = runOnScene(
      scene, {"--quiet", "--last-frame", "2", "--output", "out.env", "--plot", "chart.svg"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  EXPECT_THAT(read("out.env"), StartsWith("LWEN\r\n1\r\n1\r\n2\r\n"));
  EXPECT_THAT(read("chart.svg"), StartsWith("<?xml"));

  RunResult failed = runOnScene(scene, {"--quiet", "--item", "Nowhere"});
  EXPECT_EQ(failed.status, 3);
  EXPECT_THAT(failed.err, HasSubstr("no item named \"Nowhere\""));
}

}  // namespace
