// A scene's LastFrame and FramesPerSecond, as each version states them, and
// the statements that are refused rather than guessed at.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "scene/scene.h"
#include "scene_eval/scene_eval.h"
#include "tests/scene_eval/scene_text_support.h"

namespace scene_eval {
namespace {

struct TimingResult {
  bool ok = false;
  SceneTiming timing;
  std::string error;
};

TimingResult timingOfDocument(SceneDocument* document, const std::string& sourceName) {
  TimingResult result;
  if (document == nullptr) {
    ADD_FAILURE() << "the scene could not be read";
    return result;
  }
  result.ok = sceneTiming(document, sourceName, &result.timing, &result.error);
  freeScene(document);
  return result;
}

TimingResult timingOfFile(const std::string& path) {
  return timingOfDocument(readScene(path.c_str()), "scene.lws");
}

TimingResult timingOfText(const std::string& text) {
  std::string path = testing::TempDir() + "scene_timing_" +
                     testing::UnitTest::GetInstance()->current_test_info()->name() + ".lws";
  std::ofstream(path, std::ios::binary) << text;
  TimingResult result = timingOfFile(path);
  std::remove(path.c_str());
  return result;
}

// Version 1 writes the rate as a real, later versions as an integer; the
// samples of versions 2, 3 and 5 end their lines with CR LF.
TEST(SceneTiming, EachVersionsStatementsAreReadWithTheirLines) {
  struct Case {
    const char* what;
    TimingResult read;
    std::int32_t lastFrame;
    int lastFrameLine;
    double framesPerSecond;
    int framesPerSecondLine;
  };
  const std::string samples = QUORVEL_SOURCE_DIR "/tests/runner/scenes/";
  const Case cases[] = {
      {"version 1, the library's own scene", timingOfDocument(newScene(), "new.lws"), 60, 5, 30,
       10},
      {"version 2", timingOfFile(samples + "move_x_oldformat_56.lws"), 60, 6, 30, 13},
      {"version 3", timingOfFile(samples + "move_x_oldformat_6.lws"), 60, 6, 30, 14},
      {"version 5", timingOfFile(samples + "move_y_pre_ofrep_post_osc.lws"), 240, 6, 30, 14},
      {"version 3 at 25 frames a second",
       timingOfText("LWSC\r\n3\r\n\r\nFirstFrame 1\r\nLastFrame 1000\r\nFramesPerSecond 25\r\n"),
       1000, 5, 25, 6},
      {"NTSC's rate, indented statements",
       timingOfText(sceneOfVersion(4, "  LastFrame -3\n\tFramesPerSecond 29.97\n")), -3, 4, 29.97,
       5},
      {"a last frame written as a real", timingOfText(sceneOfVersion(1, "LastFrame 90.000000\n")),
       90, 4, 30, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(c.read.ok) << c.read.error;
    ASSERT_TRUE(c.read.timing.lastFrame.has_value());
    EXPECT_EQ(*c.read.timing.lastFrame, c.lastFrame);
    EXPECT_EQ(c.read.timing.lastFrameLine, c.lastFrameLine);
    EXPECT_EQ(c.read.timing.framesPerSecond, c.framesPerSecond);
    EXPECT_EQ(c.read.timing.framesPerSecondLine, c.framesPerSecondLine);
  }
}

// "PreviewLastFrame" and "LastFrameX" are other statements; the first of two
// statements counts.
TEST(SceneTiming, OnlyTheFirstStatementOfTheKeywordItselfCounts) {
  TimingResult none = timingOfText(
      sceneOfVersion(5, "PreviewLastFrame 168\nLastFrameX 7\nFramesPerSecondOld 12\n"));
  ASSERT_TRUE(none.ok) << none.error;
  EXPECT_FALSE(none.timing.lastFrame.has_value());
  EXPECT_EQ(none.timing.lastFrameLine, 0);
  EXPECT_EQ(none.timing.framesPerSecond, 30);
  EXPECT_EQ(none.timing.framesPerSecondLine, 0);

  TimingResult twice = timingOfText(
      sceneOfVersion(5, "LastFrame 10\nFramesPerSecond 24\nLastFrame 20\nFramesPerSecond 50\n"));
  ASSERT_TRUE(twice.ok) << twice.error;
  EXPECT_EQ(twice.timing.lastFrame, 10);
  EXPECT_EQ(twice.timing.framesPerSecond, 24);
}

TEST(SceneTiming, UnreadableStatementsAreRefusedNamingFileAndLine) {
  struct Case {
    const char* what;
    std::string text;
    int line;
    const char* word;
  };
  const Case cases[] = {
      {"rate zero", sceneOfVersion(3, "LastFrame 60\nFramesPerSecond 0\n"), 5, "FramesPerSecond"},
      {"rate negative", sceneOfVersion(5, "FramesPerSecond -25\n"), 4, "FramesPerSecond"},
      {"rate a word", sceneOfVersion(2, "FramesPerSecond PAL\n"), 4, "FramesPerSecond"},
      {"rate missing", sceneOfVersion(5, "FramesPerSecond\n"), 4, "FramesPerSecond"},
      {"rate with a comma", sceneOfVersion(1, "FramesPerSecond 29,97\n"), 4, "FramesPerSecond"},
      {"two rates", sceneOfVersion(5, "FramesPerSecond 25 30\n"), 4, "FramesPerSecond"},
      {"last frame not whole", sceneOfVersion(5, "LastFrame 60.5\n"), 4, "LastFrame"},
      {"last frame past 32 bits", sceneOfVersion(5, "LastFrame 2147483648\n"), 4, "LastFrame"},
      {"last frame a word", sceneOfVersion(1, "LastFrame end\n"), 4, "LastFrame"},
      {"version 6", sceneOfVersion(6, "LastFrame 60\n"), 2, "version"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TimingResult read = timingOfText(c.text);
    EXPECT_FALSE(read.ok);
    std::string prefix = "scene.lws:" + std::to_string(c.line) + ": ";
    EXPECT_EQ(read.error.substr(0, prefix.size()), prefix) << read.error;
    EXPECT_NE(read.error.find(c.word), std::string::npos) << read.error;
  }
}

}  // namespace
}  // namespace scene_eval

namespace scene_eval {
namespace {

// The timing is read outside blocks, as the edits read the rate: a
// plug-in's body or a braced block may hold statements of the same names.
TEST(SceneTiming, StatementsInsideBlocksAreNotTheScenes) {
  const std::string body =
      "Plugin MasterHandler 1 Timer\nLastFrame 5\nFramesPerSecond 12\n}\nEndPlugin\n"
      "{ Settings\n  FramesPerSecond 15\n}\nLastFrame 90\nFramesPerSecond 25\n";
  TimingResult read = timingOfText(sceneOfVersion(5, body));
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(read.timing.lastFrame, 90);
  EXPECT_EQ(read.timing.lastFrameLine, 12);
  EXPECT_EQ(read.timing.framesPerSecond, 25);
  EXPECT_EQ(read.timing.framesPerSecondLine, 13);
}

}  // namespace
}  // namespace scene_eval
