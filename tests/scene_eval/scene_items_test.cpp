#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene_eval/scene_eval.h"
#include "scene/scene.h"
#include "tests/scene_eval/scene_text_support.h"

namespace scene_eval {
namespace {

// A null object whose motion has the given key lines (values and frame line
// per key) and end behaviour.
std::string movingNull(const std::string& name, int keyCount, const std::string& keyLines,
                       int endBehavior = 1) {
  return "AddNullObject " + name + "\nObjectMotion (unnamed)\n  9\n  " +
         std::to_string(keyCount) + "\n" + keyLines + "EndBehavior " +
         std::to_string(endBehavior) + "\nShadowOptions 7\n\n";
}

TEST(SceneItems, ItemWithoutMotionRestsAtTheOriginAndOneKeyHoldsStill) {
  SceneResult scene = itemsOfText(sceneOfVersion(1, "AddNullObject Still\nShadowOptions 7\n" +
                                  movingNull("Placed", 1, "  1 2 3 0 0 0 1 1 1\n  0 0 0 0 0\n")));
  ASSERT_TRUE(scene.ok) << scene.error;
  for (double seconds : {0.0, 0.5, 100.0}) {
    expectNear(positionOf(scene, "Still", seconds), {0, 0, 0});
    expectNear(positionOf(scene, "Placed", seconds), {1, 2, 3});
  }
}

TEST(SceneItems, LinearKeysGiveExactMidpoints) {
  SceneResult scene = itemsOfText(sceneOfVersion(1, movingNull("Mover", 2,
                                             "  0 0 0 0 0 0 1 1 1\n  0 0 0 0 0\n"
                                             "  10 -4 6 0 0 0 1 1 1\n  30 1 0 0 0\n")));
  ASSERT_TRUE(scene.ok) << scene.error;
  expectNear(positionOf(scene, "Mover", 0.5), {5, -2, 3});      // frame 15
  expectNear(positionOf(scene, "Mover", 0.25), {2.5, -1, 1.5});  // frame 7.5
}

// Position y keyed 0, 10, 40 at frames 0, 10, 30, no tension, continuity or
// bias. Tangents: TO0 = 10; at key 1, d0 = 10, d1 = 20 and the neighbour
// differences 10 and 30 average to 20, so TO1 = 20 * 40/30 = 80/3 and
// TI1 = 20 * 20/30 = 40/3; TI2 = 30.
// At u = 1/2 (h00 = h01 = 1/2, h10 = 1/8, h11 = -1/8):
//   frame 5:  5 + 10/8 - (40/3)/8 = 55/12
//   frame 20: 5 + (80/3)/8 + 20 - 30/8 = 295/12
// At u = 1/4 (h10 = 9/64, h01 = 10/64, h11 = -3/64):
//   frame 2.5: 10 * 9/64 + 10 * 10/64 - (40/3) * 3/64 = 150/64 = 2.34375
TEST(SceneItems, ThreeKeySplineMatchesValuesWorkedByHand) {
  SceneResult scene = itemsOfText(sceneOfVersion(1, movingNull("Spline", 3,
                                             "  0 0 0 0 0 0 1 1 1\n  0 0 0 0 0\n"
                                             "  0 10 0 0 0 0 1 1 1\n  10 0 0 0 0\n"
                                             "  0 40 0 0 0 0 1 1 1\n  30 0 0 0 0\n")));
  ASSERT_TRUE(scene.ok) << scene.error;
  EXPECT_NEAR(positionOf(scene, "Spline", 5 / 30.0).y, 55.0 / 12, 1e-9);
  EXPECT_NEAR(positionOf(scene, "Spline", 20 / 30.0).y, 295.0 / 12, 1e-9);
  EXPECT_NEAR(positionOf(scene, "Spline", 2.5 / 30.0).y, 2.34375, 1e-9);
}

// x keyed 0 at frame 10 and 10 at frame 20, linear; sampled before, within
// and after the keyed span.
TEST(SceneItems, EachEndBehaviorDecidesWhatFollowsTheLastKey) {
  struct Case {
    int endBehavior;
    double atFrame25, atFrame37;
  };
  const Case cases[] = {{0, 0, 0}, {1, 10, 10}, {2, 5, 7}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.endBehavior);
    SceneResult scene = itemsOfText(sceneOfVersion(1, movingNull("Ends", 2,
                                               "  0 0 0 0 0 0 1 1 1\n  10 0 0 0 0\n"
                                               "  10 0 0 0 0 0 1 1 1\n  20 1 0 0 0\n",
                                               c.endBehavior)));
    ASSERT_TRUE(scene.ok) << scene.error;
    EXPECT_NEAR(positionOf(scene, "Ends", 0).x, 0, 1e-9);  // before the first key
    EXPECT_NEAR(positionOf(scene, "Ends", 15 / 30.0).x, 5, 1e-9);
    EXPECT_NEAR(positionOf(scene, "Ends", 25 / 30.0).x, c.atFrame25, 1e-9);
    EXPECT_NEAR(positionOf(scene, "Ends", 37 / 30.0).x, c.atFrame37, 1e-9);
  }
}

TEST(SceneItems, FramesPerSecondTurnsSecondsIntoFrames) {
  // At 25 frames per second, 2 s is frame 50 of a straight run from 0 to 100.
  SceneResult scene = itemsOfText("LWSC\n1\nFramesPerSecond 25.000000\n" +
                                  movingNull("Mover", 2,
                                             "  0 0 0 0 0 0 1 1 1\n  0 0 0 0 0\n"
                                             "  100 0 0 0 0 0 1 1 1\n  100 1 0 0 0\n"));
  ASSERT_TRUE(scene.ok) << scene.error;
  EXPECT_NEAR(positionOf(scene, "Mover", 2).x, 50, 1e-9);
}

// Object 1 "Base": at (10,0,0), heading 90. Object 2 "Arm": parent 1, at
// (0,0,1), pitch 90, scale 2. Object 3 "Hand": parent 2, at (0,0,1).
//   Arm in world: Base's heading 90 turns (0,0,1) to (1,0,0); + (10,0,0) = (11,0,0).
//   Hand: Arm scales (0,0,1) to (0,0,2), pitch 90 turns it to (0,-2,0),
//   + (0,0,1) = (0,-2,1); Base's heading 90 turns that to (1,-2,0),
//   + (10,0,0) = (11,-2,0).
// Base also slides 30 along z over its first second: at 0.5 s every item is
// 15 further along z.
TEST(SceneItems, ParentedRotatedScaledItemIsWhereWorkedByHand) {
  SceneResult scene = itemsOfText(sceneOfVersion(
      1,
      movingNull("Base", 2,
                 "  10 0 0 90 0 0 1 1 1\n  0 0 0 0 0\n"
                 "  10 0 30 90 0 0 1 1 1\n  30 1 0 0 0\n") +
      "AddNullObject Arm\nObjectMotion (unnamed)\n  9\n  1\n  0 0 1 0 90 0 2 2 2\n"
      "  0 0 0 0 0\nEndBehavior 1\nParentObject 1\nShadowOptions 7\n"
      "AddNullObject Hand\nObjectMotion (unnamed)\n  9\n  1\n  0 0 1 0 0 0 1 1 1\n"
      "  0 0 0 0 0\nEndBehavior 1\nParentObject 2\nShadowOptions 7\n"));
  ASSERT_TRUE(scene.ok) << scene.error;
  expectNear(positionOf(scene, "Arm", 0), {11, 0, 0});
  expectNear(positionOf(scene, "Hand", 0), {11, -2, 0});
  expectNear(positionOf(scene, "Hand", 0.5), {11, -2, 15});
}

TEST(SceneItems, ReadsWhatTheSceneLibraryBuilds) {
  SceneDocument* document = newScene();
  ASSERT_NE(document, nullptr);
  SceneLine* insertPoint = objectInsertPoint(document);
  ASSERT_NE(addNullObject(document, insertPoint, "Parent"), nullptr);
  ASSERT_NE(addNullObject(document, insertPoint, "Child"), nullptr);  // before Parent
  SceneLine* child = findObjectLine(document, "Child", 1);
  SceneLine* parent = findObjectLine(document, "Parent", 1);
  ASSERT_TRUE(addMotionKey(parent, 1.5, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0));
  ASSERT_TRUE(addMotionKey(parent, 4.5, 0, 0, 0, 0, 0, 1, 1, 1, 30, 1, 0, 0, 0));
  ASSERT_TRUE(addMotionKey(child, 0, 2, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0));
  ASSERT_TRUE(setParentObject(child, parent->objectNumber));
  std::vector<ItemSpec> items;
  std::string error;
  bool ok = sceneItems(document, "new.lws", &items, &error);
  freeScene(document);
  ASSERT_TRUE(ok) << error;
  SceneResult scene{true, std::move(items), ""};
  expectNear(positionOf(scene, "Parent", 0.5), {3, 0, 0});
  expectNear(positionOf(scene, "Child", 0.5), {3, 2, 0});
  expectNear(positionOf(scene, "Light", 0), {-2, 2, -2});
  expectNear(positionOf(scene, "Camera", 0), {0, 0, -4});
}

// Each broken scene, the file line its error must name and a word it must use.
TEST(SceneItems, RejectsBrokenScenesNamingFileAndLine) {
  const std::string key = "  0 0 0 0 0 0 1 1 1\n  0 0 0 0 0\n";
  const std::string key10 = "  0 0 0 0 0 0 1 1 1\n  10 0 0 0 0\n";
  struct Case {
    const char* what;
    std::string text;
    int line;
    const char* word;
  };
  const Case cases[] = {
      {"too few key lines", movingNull("N", 2, key), 7, "key count 2"},
      {"more keys than counted", movingNull("N", 1, key + key10), 7, "key count 1"},
      {"text among the values", movingNull("N", 1, "  0 0 zero 0 0 0 1 1 1\n  0 0 0 0 0\n"),
       8, "zero"},
      {"eight values", movingNull("N", 1, "  0 0 0 0 0 0 1 1\n  0 0 0 0 0\n"), 8, "9 numbers"},
      {"text in the frame line", movingNull("N", 1, "  0 0 0 0 0 0 1 1 1\n  0 x 0 0 0\n"), 9,
       "5 numbers"},
      {"overflowing number", movingNull("N", 1, "  1e999 0 0 0 0 0 1 1 1\n  0 0 0 0 0\n"), 8,
       "1e999"},
      {"key count missing", "AddNullObject N\nObjectMotion (unnamed)\n  9\n" + key +
       "EndBehavior 1\n", 7, "key count"},
      {"motion cut off", "AddNullObject N\nObjectMotion (unnamed)\n  9\n", 6, "key count"},
      {"key count zero", movingNull("N", 0, ""), 7, "at least one key"},
      {"huge key count", movingNull("N", 2000000000, key), 7, "only 1"},
      {"channel count", "AddNullObject N\nObjectMotion (unnamed)\n  8\n  1\n" + key +
       "EndBehavior 1\n", 6, "channels"},
      {"frames not rising", movingNull("N", 2, key10 + key10), 11, "key 2"},
      {"end behaviour 3", movingNull("N", 1, key, 3), 10, "EndBehavior"},
      {"no end behaviour", "AddNullObject N\nObjectMotion (unnamed)\n  9\n  1\n" + key +
       "ShadowOptions 7\n", 10, "EndBehavior"},
      {"parent with no object", "AddNullObject A\nParentObject 2\n", 5, "names no object"},
      {"parent not a number", "AddNullObject A\nParentObject one\n", 5, "object number"},
      {"own parent", "AddNullObject A\nParentObject 1\n", 5, "cycle"},
      // C hangs below the cycle A <-> B; the line named is one of the cycle's.
      {"parent cycle", "AddNullObject C\nParentObject 2\nAddNullObject A\nParentObject 3\n"
       "AddNullObject B\nParentObject 2\n", 7, "cycle"},
      {"frames per second", "FramesPerSecond 0\nAddNullObject A\n", 4, "FramesPerSecond"},
      {"object without a name", "LWSC\nLoadObject Objects/\n", 5, "name"},
      {"line count after a long line", "LoadObject " + std::string(600, 'a') +
       "\nParentObject 9\n", 5, "names no object"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SceneResult scene = itemsOfText(sceneOfVersion(1, c.text), "shots/scene.lws");
    EXPECT_FALSE(scene.ok);
    EXPECT_TRUE(scene.items.empty());
    std::string prefix = "shots/scene.lws:" + std::to_string(c.line) + ": ";
    EXPECT_EQ(scene.error.substr(0, prefix.size()), prefix) << scene.error;
    EXPECT_NE(scene.error.find(c.word), std::string::npos) << scene.error;
  }
}

}  // namespace
}  // namespace scene_eval
