// One reading of a scene serves a whole run: read once, it lists the items,
// gives the timing, and evaluates only the items asked for and those they
// hang from, leaving every other motion unread.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "scene/scene.h"
#include "scene_eval/scene_eval.h"
#include "tests/scene_eval/scene_text_support.h"

namespace scene_eval {
namespace {

// Objects P (1, 2, 3), C hanging from P at (0, 0, 1) of its own, Other at
// (5, 5, 5), and Broken, whose one key's value is no number.
std::string sceneWithABrokenMotion() {
  std::string broken = resting("ObjectMotion", {7});
  broken.replace(broken.find("Key 7"), 5, "Key seven");
  return sceneOfVersion(3, "FirstFrame 1\nLastFrame 48\nFramesPerSecond 24\n\n"
                           "AddNullObject P\n" + resting("ObjectMotion", {1, 2, 3}) +
                               "AddNullObject C\nParentItem 10000000\n" +
                               resting("ObjectMotion", {0, 0, 1}) + "AddNullObject Other\n" +
                               resting("ObjectMotion", {5, 5, 5}) + "AddNullObject Broken\n" +
                               broken);
}

// The line of `text` on which `statement` first stands, from 1.
int lineOf(const std::string& text, const std::string& statement) {
  int line = 1;
  for (std::size_t i = 0; i < text.find(statement); ++i) line += text[i] == '\n' ? 1 : 0;
  return line;
}

// The scene document of `text`, freed with the test.
class ReadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string path = testing::TempDir() + "scene_reading_" +
                       testing::UnitTest::GetInstance()->current_test_info()->name() + ".lws";
    std::ofstream(path, std::ios::binary) << sceneWithABrokenMotion();
    document_ = readScene(path.c_str());
    std::remove(path.c_str());
    ASSERT_NE(document_, nullptr);
  }
  void TearDown() override { freeScene(document_); }

  SceneDocument* document_ = nullptr;
};

TEST_F(ReadingTest, EvaluatesTheItemsAskedForAndTheirParentsOnly) {
  SceneReading reading;
  std::string error;
  ASSERT_TRUE(reading.read(document_, "scene.lws", &error)) << error;
  ASSERT_TRUE(reading.readParents(&error)) << error;
  ASSERT_TRUE(reading.evaluate({1}, &error)) << error;  // C, and P above it
  const std::vector<ItemSpec>& items = reading.items();
  ASSERT_EQ(items.size(), 4u);
  ASSERT_TRUE(items[0].worldPosition && items[1].worldPosition);
  EXPECT_FALSE(items[2].worldPosition);
  EXPECT_FALSE(items[3].worldPosition);
  expectNear(items[1].worldPosition(0), {1, 2, 4});
  expectNear(items[0].worldPosition(0), {1, 2, 3});
  EXPECT_EQ(items[1].parent, 0u);

  // A later evaluation adds its items and keeps the functions given before.
  ASSERT_TRUE(reading.evaluate({2}, &error)) << error;
  expectNear(reading.items()[2].worldPosition(1), {5, 5, 5});
  expectNear(reading.items()[1].worldPosition(1), {1, 2, 4});
}

TEST_F(ReadingTest, RefusesAnUnreadableMotionOnlyWhenAskedForIt) {
  SceneReading reading;
  std::string error;
  ASSERT_TRUE(reading.read(document_, "scene.lws", &error)) << error;
  ASSERT_TRUE(reading.readParents(&error)) << error;
  EXPECT_FALSE(reading.evaluate({3}, &error));
  const std::string line = std::to_string(lineOf(sceneWithABrokenMotion(), "Key seven"));
  EXPECT_EQ(error.rfind("scene.lws:" + line + ": ", 0), 0u) << error;

  // Every item evaluated refuses the scene with the same message.
  std::vector<ItemSpec> all;
  std::string allError;
  EXPECT_FALSE(sceneItems(document_, "scene.lws", &all, &allError));
  EXPECT_EQ(allError, error);
}

TEST_F(ReadingTest, GivesTheTimingSceneTimingGives) {
  SceneReading reading;
  std::string error;
  ASSERT_TRUE(reading.read(document_, "scene.lws", &error)) << error;
  SceneTiming fromReading;
  SceneTiming alone;
  ASSERT_TRUE(reading.timing(&fromReading, &error)) << error;
  ASSERT_TRUE(sceneTiming(document_, "scene.lws", &alone, &error)) << error;
  EXPECT_EQ(fromReading.lastFrame, 48);
  EXPECT_EQ(fromReading.lastFrameLine, 5);
  EXPECT_EQ(fromReading.framesPerSecond, 24);
  EXPECT_EQ(fromReading.framesPerSecondLine, 6);
  EXPECT_EQ(alone.lastFrame, fromReading.lastFrame);
  EXPECT_EQ(alone.framesPerSecondLine, fromReading.framesPerSecondLine);
}

}  // namespace
}  // namespace scene_eval

namespace scene_eval {
namespace {

// The statement reader joins a file line longer than the document's read
// buffer from its pieces, takes CR LF for a line end, leaves comments out
// and counts file lines, not pieces, when it names a line.
TEST(StatementReading, LongLinesAndLineEndsAreReadAsTheFileHoldsThem) {
  const std::string longName(300, 'L');
  for (const std::string lineEnd : {"\n", "\r\n"}) {
    std::string text = "LWSC" + lineEnd + "3" + lineEnd + "// LABEL=A comment" + lineEnd +
                       "AddLight" + lineEnd + "LightName " + longName + lineEnd +
                       "AddNullObject After" + lineEnd + "ObjectMotion" + lineEnd +
                       "NumChannels x" + lineEnd;
    SceneResult listed = itemsOfText(text, "scene.lws", Reading::LIST_ONLY);
    ASSERT_TRUE(listed.ok) << listed.error;
    ASSERT_EQ(listed.items.size(), 2u);
    EXPECT_EQ(listed.items[0].name, longName);
    EXPECT_EQ(listed.items[1].name, "After");
    EXPECT_EQ(listed.items[1].line, 6);
    SceneResult evaluated = itemsOfText(text);
    EXPECT_FALSE(evaluated.ok);
    EXPECT_EQ(evaluated.error.rfind("scene.lws:8: ", 0), 0u) << evaluated.error;
  }
}

}  // namespace
}  // namespace scene_eval
