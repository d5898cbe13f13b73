// quorvel-run end to end: the built program, the built module and the
// stand-in host on scene files written by the tests.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "tests/support/test_platform.h"
#include "tests/runner/quorvel_run_fixture.h"
#include "tests/support/run_support.h"
#include "runner/envelope_size.h"
#include "platform/platform.h"

namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

TEST_F(QuorvelRunTest, TwoStaticNullsFiveApartGiveTheEightLineEnvelope) {
  RunResult run = runOnScene(twoStaticNulls(), {"--last-frame", "2", "--output", "out.env"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(read("out.env"),
            "LWEN\r\n1\r\n1\r\n2\r\n5.000000\r\n0 1 0 0 0\r\n5.000000\r\n1 1 0 0 0\r\n");
  EXPECT_EQ(run.out, "out.env: 2 keys, distance 5.000000 to 5.000000\n");
}

TEST_F(QuorvelRunTest, DefaultPathIsQuorvelEnvInTheEnvelopesDirectory) {
  std::filesystem::create_directory(directory_.path("envelopes"));
  RunResult run = runOnScene(twoStaticNulls(), {"--envelopes-dir", "envelopes", "--step", "20"});
  EXPECT_EQ(run.status, 0) << run.err;
  // The scene's LastFrame, 60, in steps of 20: frames 0, 20, 40 and 60.
  EXPECT_THAT(read("envelopes/quorvel.env"), StartsWith("LWEN\r\n1\r\n1\r\n4\r\n"));
  EXPECT_EQ(run.out, "envelopes/quorvel.env: 4 keys, distance 5.000000 to 5.000000\n");
}

TEST_F(QuorvelRunTest, CameraMeasuresToTheSceneCameraNotTheTargetList) {
  // The camera stands at (0, 0, -4), 4 from Origin; the Target list's default, Corner, is 5
  // away. (--target with --camera is refused as a contradiction.)
  RunResult run = runOnScene(twoStaticNulls(), {"--item", "Origin", "--camera", "--last-frame",
                                                "1", "--output", "out.env"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(read("out.env"), "LWEN\r\n1\r\n1\r\n1\r\n4.000000\r\n0 1 0 0 0\r\n");
}

TEST_F(QuorvelRunTest, CancelWritesNothingLeavesAnExistingFileAloneAndDrawsNoPlot) {
  writeFile(directory_.path("out.env"), "kept\n");
  RunResult run =
      runOnScene(twoStaticNulls(), {"--output", "out.env", "--cancel", "--plot", "chart.svg"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(read("out.env"), "kept\n");
  EXPECT_FALSE(exists("chart.svg"));
}

TEST_F(QuorvelRunTest, StepZeroShowsTheModulesMessageWritesNothingAndExitsFour) {
  RunResult run = runOnScene(twoStaticNulls(), {"--step", "0", "--output", "out.env"});
  EXPECT_EQ(run.status, 4);
  EXPECT_THAT(run.err, HasSubstr("Frame Step must be 1 or more"));
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(exists("out.env"));
}

// Refused before the bake now, with the reason; the module's own message for
// a write that fails is shown where the system lets a bake start
// (quorvel_run_test_posix.cpp).
TEST_F(QuorvelRunTest, UnwritableOutputShowsThePathAndTheReasonAndExitsThree) {
  RunResult run = runOnScene(twoStaticNulls(), {"--output", "missing/dir/out.env"});
  EXPECT_EQ(run.status, 3);
  EXPECT_THAT(run.err, HasSubstr("missing/dir/out.env: the directory missing/dir: "));
  EXPECT_EQ(run.out, "");
}

TEST_F(QuorvelRunTest, RepeatedNamesAreToldApartAsTheHostListsThem) {
  std::string scene = sceneWith(
      {staticNull("Null", 0, 0, 0), staticNull("Null", 0, 0, 2), staticNull("Null", 0, 0, 5)});
  RunResult list = runOnScene(scene, {"--list-items"});
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out,
            "object\tNull\t-\nobject\tNull (2)\t-\nobject\tNull (3)\t-\ncamera\tCamera\t-\n");

  RunResult run = runOnScene(scene, {"--item", "Null (2)", "--target", "Null (3)", "--last-frame",
                                     "1", "--output", "out.env"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(read("out.env"), "LWEN\r\n1\r\n1\r\n1\r\n3.000000\r\n0 1 0 0 0\r\n");
}

TEST_F(QuorvelRunTest, UnknownItemNamesFailOfferingTheNearestNames) {
  struct Case {
    std::vector<std::string> arguments;
    std::string hint;
  };
  const Case cases[] = {
      {{"--item", "Nowhere"},
       "--item: no item named \"Nowhere\"; the nearest: \"Corner\", \"Camera\", \"Origin\"; "
       "--list-items shows all 3"},
      {{"--target", "Nowhere"}, "--target: no item named \"Nowhere\"; the nearest: "},
      // Names match exactly; one equal but for case comes first.
      {{"--item", "Origin", "--target", "origin"},
       "--target: no item named \"origin\"; did you mean \"Origin\"? Also near: \"Corner\", "
       "\"Camera\"; --list-items shows all 3"},
  };
  for (const Case& c : cases) {
    RunResult run = runOnScene(twoStaticNulls(), c.arguments);
    EXPECT_EQ(run.status, 3) << c.arguments.back();
    EXPECT_THAT(run.err, HasSubstr(c.hint)) << c.arguments.back();
    EXPECT_FALSE(exists("quorvel.env")) << c.arguments.back();
  }
}

TEST_F(QuorvelRunTest, LinearKeysGiveTheDistanceAlongTheLine) {
  // Mover goes from the origin to (30, 0, 0) in 30 frames; Anchor stays at the origin.
  std::string scene = sceneWith(
      {nullObject("Mover", {{0, 0, 0, 0, 1}, {30, 0, 0, 30, 1}}), staticNull("Anchor", 0, 0, 0)});
  RunResult run = runOnScene(scene, {"--last-frame", "31", "--step", "10", "--output", "out.env"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(read("out.env"),
            "LWEN\r\n1\r\n1\r\n4\r\n0\r\n0 1 0 0 0\r\n10.000000\r\n10 1 0 0 0\r\n"
            "20.000000\r\n20 1 0 0 0\r\n30.000000\r\n30 1 0 0 0\r\n");
  EXPECT_EQ(run.out, "out.env: 4 keys, distance 0.000000 to 30.000000\n");
}

TEST_F(QuorvelRunTest, PlotIsAnSvgChartTitledWithBothNames) {
  std::string scene = sceneWith({staticNull("Salt & <Pepper>", 0, 0, 0), staticNull("B", 3, 4, 0)});
  RunResult run =
      runOnScene(scene, {"--last-frame", "3", "--output", "out.env", "--plot", "chart.svg"});
  EXPECT_EQ(run.status, 0) << run.err;
  std::string svg = read("chart.svg");
  EXPECT_THAT(svg, StartsWith("<?xml"));
  EXPECT_THAT(svg, HasSubstr("Distance from Salt &amp; &lt;Pepper&gt; to B</text>"));
  EXPECT_THAT(svg, Not(HasSubstr("<Pepper>")));
  // Three keys, at frames 0, 1 and 2, joined by one line at the top of the chart.
  EXPECT_THAT(svg, HasSubstr("points=\"80.00,70.00 425.00,70.00 770.00,70.00\"/>"));
  EXPECT_THAT(svg, EndsWith("</svg>\n"));
}

TEST_F(QuorvelRunTest, WithoutASceneTheDemoSceneIsMeasuredIntoTheEnvelopesDirectory) {
  RunResult run = runQuorvel({"--envelopes-dir", "."}, directory_.root());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(read("quorvel.env"), StartsWith("LWEN\r\n1\r\n1\r\n60\r\n"));
  EXPECT_THAT(run.out, StartsWith("./quorvel.env: 60 keys, distance "));
}

// The demo as `make demo` runs it gives, on every platform, the chart the
// README shows and the envelope kept beside these tests, byte for byte.
TEST_F(QuorvelRunTest, TheDemoGivesTheDocumentedChartAndTheGoldenEnvelope) {
  std::filesystem::create_directories(directory_.path("build/demo"));
  RunResult run = runQuorvel({"--envelopes-dir", "build/demo", "--plot", "build/demo/quorvel.svg"},
                             directory_.root());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(read("build/demo/quorvel.svg"), readFile(QUORVEL_SOURCE_DIR "/docs/demo-plot.svg"));
  EXPECT_EQ(read("build/demo/quorvel.env"),
            readFile(QUORVEL_SOURCE_DIR "/tests/runner/golden/demo-quorvel.env"));
}

// What the runner refuses before it loads the module: status 3 and a message.
TEST_F(QuorvelRunTest, RunsTheRunnerCannotMakeFailWithStatusThree) {
  struct RefusedRun {
    const char* why;
    std::vector<std::string> arguments;
    std::string message;
  };
  writeFile(directory_.path("scene.lws"), twoStaticNulls());
  writeFile(directory_.path("notes.txt"), "just some notes\n");
  UnreadPipe pipe(directory_.root());
  const RefusedRun cases[] = {
      {"missing scene", {"--scene", "absent.lws"}, "cannot read scene file absent.lws"},
      {"not a scene", {"--scene", "notes.txt"}, "notes.txt is not a scene file"},
      {"number expected", {"--last-frame", "soon"}, "soon"},
      {"number too large", {"--step", "4294967296"}, "4294967296"},
      {"unknown option", {"--frobnicate"}, "--frobnicate"},
      {"one object only", {"--scene", "one.lws"}, "no second object"},
      {"empty output", {"--output", ""}, "--output"},
      {"path beyond the panel's 255 bytes", {"--output", std::string(300, 'x')}, "longer than"},
      {"output no writer could finish", {"--output", pipe.path()}, "is a pipe or socket"},
      {"plot of an output not read back",
       {"--output", nullDevicePath(), "--plot", "chart.svg"},
       std::string(nullDevicePath()) + " is not a regular file"},
  };
  writeFile(directory_.path("one.lws"), sceneWith({staticNull("Only", 0, 0, 0)}));
  for (const RefusedRun& refused : cases) {
    RunResult run = runQuorvel(refused.arguments, directory_.root());
    EXPECT_EQ(run.status, 3) << refused.why;
    EXPECT_THAT(run.err, HasSubstr(refused.message)) << refused.why;
    EXPECT_EQ(run.out, "") << refused.why;
  }
  EXPECT_FALSE(exists("quorvel.env"));
}

TEST_F(QuorvelRunTest, ADeviceOutputIsWrittenThroughAndNotReadBack) {
  RunResult run = runOnScene(twoStaticNulls(), {"--last-frame", "2", "--output", nullDevicePath()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, std::string(nullDevicePath()) +
                         ": 2 keys written; not a regular file, so not read back\n");
}

TEST_F(QuorvelRunTest, ABakeTooLargeForTheFreeSpaceIsRefusedBeforeItStarts) {
  std::uint64_t needed = envelopeSizeEstimate(2147483647, 1);
  std::optional<std::uint64_t> free = platform::freeBytes(directory_.root().string());
  if (!free || *free >= needed) GTEST_SKIP() << "the scratch file system holds the largest bake";
  writeFile(directory_.path("out.env"), "kept\n");
  RunResult run = runOnScene(twoStaticNulls(), {"--last-frame", "2147483647", "--output", "out.env"});
  EXPECT_EQ(run.status, 3);
  EXPECT_THAT(run.err, HasSubstr("out.env of 2147483647 keys needs up to 80.5 GB, but the file "
                                 "system of . has only"));
  EXPECT_EQ(read("out.env"), "kept\n");
}

TEST_F(QuorvelRunTest, CtrlCEndsABakeWithStatus130AndLeavesTheOldEnvelopeAlone) {
  constexpr std::int32_t LAST_FRAME = 50000000;  // tens of seconds of work
  std::optional<std::uint64_t> free = platform::freeBytes(directory_.root().string());
  if (!free || *free < envelopeSizeEstimate(LAST_FRAME, 1)) GTEST_SKIP() << "too little space";
  writeFile(directory_.path("scene.lws"), twoStaticNulls());
  writeFile(directory_.path("out.env"), "old envelope\n");
  auto entries = [&] {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory_.root())) {
      names.insert(entry.path().filename().string());
    }
    return names;
  };
  std::unique_ptr<StartedProgram> run = startQuorvel(
      {"--scene", "scene.lws", "--last-frame", std::to_string(LAST_FRAME), "--output", "out.env"},
      directory_.root());
  // The module's write has begun once its temporary file stands beside the two.
  auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (entries().size() < 3 && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  run->interrupt();
  RunResult interrupted = run->wait(10);
  EXPECT_EQ(interrupted.status, 130);
  EXPECT_EQ(interrupted.err, "quorvel-run: interrupted\n");  // not the module's message
  EXPECT_EQ(interrupted.out, "");
  EXPECT_EQ(read("out.env"), "old envelope\n");
  EXPECT_EQ(entries(), (std::set<std::string>{"out.env", "scene.lws"}));
}

TEST_F(QuorvelRunTest, HelpExitsZeroAndTellsTheDefaults) {
  RunResult help = runQuorvel({"--help"}, directory_.root());
  EXPECT_EQ(help.status, 0);
  EXPECT_THAT(help.out, HasSubstr("first two objects"));
  EXPECT_THAT(help.out, HasSubstr("frames 0 to the scene's LastFrame are baked"));
  EXPECT_THAT(help.out, HasSubstr("--scene-rate"));
}

}  // namespace
