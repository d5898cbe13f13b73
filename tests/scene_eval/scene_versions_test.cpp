// Scenes of every version the stand-in host reads: where items are found,
// how they are named and identified, and how each motion layout, parent
// reference and pivot places them.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "scene_eval/scene_eval.h"
#include "tests/scene_eval/scene_text_support.h"

namespace scene_eval {
namespace {

std::vector<std::string> described(const SceneResult& scene) {
  const char* kinds[] = {"object", "light", "camera", "bone"};
  std::vector<std::string> lines;
  for (const ItemSpec& item : scene.items) {
    lines.push_back(std::string(kinds[static_cast<int>(item.kind)]) + " " + item.name +
                    (item.fileId.empty() ? "" : " " + item.fileId));
  }
  return lines;
}

TEST(SceneVersions, ItemsOfEachVersionAreFoundNamedAndIdentified) {
  struct Case {
    int version;
    std::string body;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      // A repeat takes the first number no item has: the file's own
      // "Null (2)" keeps its name.
      {1,
       "AddNullObject Null\nLoadObject Objects/Cars\\box.lwo\nAddNullObject Null\n"
       "LoadObject F:fra/box.lwo\nAddNullObject Null (2)\nAddLight\nLightName Key\nAddLight\n"
       "ShowCamera 1 7\n",
       {"object Null", "object box", "object Null (3)", "object box (2)", "object Null (2)",
        "light Key", "light Light", "camera Camera"}},
      // From version 2 a camera begins at AddCamera; ShowCamera only shows it.
      {2, "LoadObject a/b.lwo\nAddLight\nLightName Sun\nAddCamera\nCameraName Cam\nShowCamera 1\n",
       {"object b", "light Sun", "camera Cam"}},
      {3, "LoadObjectLayer 1 Objects/box.lwo\nAddNullObject My Null\nAddLight\nAddCamera\n",
       {"object box", "object My Null", "light Light", "camera Camera"}},
      {4, "AddNullObject 1000000e Null\n", {"object Null 1000000e"}},
      // Bones are items of their own, named as other items are: a bone
      // without a BoneName line is "Bone".
      {3,
       "LoadObjectLayer 1 body.lwo\nAddBone\nBoneName Hip\nAddBone\nAddBone\nBoneName Hip\n"
       "AddNullObject Bone\n",
       {"object body", "bone Hip", "bone Bone", "bone Hip (2)", "object Bone (2)"}},
      {5, "AddNullObject 10000000 Rig\nAddBone 40000000\nBoneName Root\n",
       {"object Rig 10000000", "bone Root 40000000"}},
      // Item lines within blocks are none.
      {5,
       "LoadObjectLayer 2 10000000 C:\\Objects\\box.lwo\nAddNullObject 10000001 My Null\n"
       "AddLight 20000000\nLightName Sun\nAddCamera 30000000\n{ Block\n  AddLight\n"
       "  { Inner\n  }\n  AddLight\n}\nPlugin Handler 1 X\nAddCamera\nEndPlugin\n",
       {"object box 10000000", "object My Null 10000001", "light Sun 20000000",
        "camera Camera 30000000"}},
  };
  for (const Case& c : cases) {
    for (Reading reading : {Reading::POSITIONS, Reading::LIST_ONLY}) {
      SCOPED_TRACE(c.version);
      SceneResult scene = itemsOfText(sceneOfVersion(c.version, c.body), "scene.lws", reading);
      ASSERT_TRUE(scene.ok) << scene.error;
      EXPECT_EQ(described(scene), c.expected);
      EXPECT_EQ(scene.items[0].worldPosition == nullptr, reading == Reading::LIST_ONLY);
      EXPECT_EQ(scene.items[0].line, 4);  // the first line of every body
      if (scene.items.size() > 1) {
        EXPECT_EQ(scene.items[1].line, 5);
      }
    }
  }
}

// A file that ends before its version names its last line, never one past
// the end of the file.
TEST(SceneVersions, VersionOutsideOneToFiveIsRefusedNamingALineOfTheFile) {
  struct Case {
    std::string text;
    std::string error;
  };
  const Case cases[] = {
      {"LWSC\n0\n", "a.lws:2: scene version 0 is not supported (1 to 5 are)"},
      {"LWSC\n6\nAddNullObject 10000000 N\n",
       "a.lws:2: scene version 6 is not supported (1 to 5 are)"},
      {"LWSC\nsix\n", "a.lws:2: expected the scene version, found \"six\""},
      {"LWSC\n", "a.lws:1: expected the scene version on line 2, found the end of the file"},
      {"LWSC", "a.lws:1: expected the scene version on line 2, found the end of the file"},
      {"", "a.lws:1: expected the scene version on line 2, found the end of the file"},
  };
  for (const Case& c : cases) {
    for (Reading reading : {Reading::POSITIONS, Reading::LIST_ONLY}) {
      SceneResult scene = itemsOfText(c.text, "a.lws", reading);
      EXPECT_FALSE(scene.ok);
      EXPECT_EQ(scene.error, c.error);
    }
  }
}

// The same motion in the layouts of version 2 (degrees) and 3 (radians): x
// runs 0 to 10 over a second and repeats, y stands at 5 and heading turns 0
// to 90 degrees. Two keys of a TCB or linear span make a straight line, so
// at 0.5 s the object is at (5, 5, 0) turned 45 degrees, and its child,
// at (0, 0, 1) of its parent, is at (5 + sin 45, 5, cos 45). At 1.5 s x has
// repeated to 5 and the heading stays at 90: the child is at (6, 5, 0).
// The version 3 envelope holds a block and a line the host does not know,
// and its motion leaves out channel 2, which stays at 0.
TEST(SceneVersions, MotionsOfVersionTwoAndThreeMoveAndTurnAlike) {
  const std::string child = "AddNullObject Child\nParentObject 1\nParentItem 10000000\n";
  const std::string childMotion2 = "ObjectMotion (unnamed)\n  3\n  1\n  0 0 2 0 0 0\n  1\n"
                                   "  0 0 2 0 0 0\n  1\n  1 0 2 0 0 0\nPre/PostBehavior 1 1 1 1 1 1\n";
  const std::string version2 =
      "AddNullObject Parent\nObjectMotion (unnamed)\n  4\n  2\n  0 0 2 0 0 0\n  10 1 2 0 0 0\n"
      "  1\n  5 0 2 0 0 0\n  1\n  0 0 2 0 0 0\n  2\n  0 0 2 0 0 0\n  90 1 2 0 0 0\n"
      "Pre/PostBehavior 1 2 1 1 1 1 1 1\n" + child + childMotion2;
  const std::string version3 =
      "AddNullObject Parent\nObjectMotion\nNumChannels 3\n"
      "Channel 0\n{ Envelope\n  2\n  Key 0 0 0 0 0 0 0 0 0\n  Key 10 1 3 0 0 0 0 0 0\n"
      "  { Modifiers\n    Behaviors 9 9\n  }\n  Unknown 1\n  Behaviors 1 2\n}\n"
      "Channel 1\n{ Envelope\n  1\n  Key 5 0 0 0 0 0 0 0 0\n  Behaviors 1 1\n}\n\n"
      "Channel 3\n{ Envelope\n  2\n  Key 0 0 0 0 0 0 0 0 0\n"
      "  Key 1.5707963267948966 1 3 0 0 0 0 0 0\n  Behaviors 1 1\n}\n" +
      child + resting("ObjectMotion", {0, 0, 1});
  const double half = 0.70710678118654752;
  for (const auto& [version, body] : {std::pair{2, version2}, std::pair{3, version3}}) {
    SCOPED_TRACE(version);
    SceneResult scene = itemsOfText(sceneOfVersion(version, body));
    ASSERT_TRUE(scene.ok) << scene.error;
    expectNear(positionOf(scene, "Parent", 0.5), {5, 5, 0});
    expectNear(positionOf(scene, "Child", 0.5), {5 + half, 5, half});
    expectNear(positionOf(scene, "Child", 1), {11, 5, 0});
    expectNear(positionOf(scene, "Child", 1.5), {6, 5, 0});
  }
}

// A at (1, 0, 0); B, parent A, at (0, 2, 0); light L, parent B, at (0, 0, 3);
// camera C, parent L, at (1, 1, 1). Version 3 lines carry no IDs: they come
// from each item's type and index. Version 5 lines carry them.
TEST(SceneVersions, ParentItemNamesItemsByTheirIds) {
  auto scene = [](bool ids) {
    auto id = [ids](const char* text) { return ids ? std::string(text) + " " : std::string(); };
    return "AddNullObject " + id("10000000") + "A\n" + resting("ObjectMotion", {1}) +
           "AddNullObject " + id("10000001") + "B\nParentItem 10000000\n" +
           resting("ObjectMotion", {0, 2}) + "AddLight " + id("20000000") +
           "\nLightName L\nParentItem 10000001\n" + resting("LightMotion", {0, 0, 3}) +
           "AddCamera " + id("30000000") + "\nCameraName C\nParentItem 20000000\n" +
           resting("CameraMotion", {1, 1, 1});
  };
  for (int version : {3, 5}) {
    SCOPED_TRACE(version);
    SceneResult result = itemsOfText(sceneOfVersion(version, scene(version == 5)));
    ASSERT_TRUE(result.ok) << result.error;
    expectNear(positionOf(result, "B", 0), {1, 2, 0});
    expectNear(positionOf(result, "L", 0), {1, 2, 3});
    expectNear(positionOf(result, "C", 0), {2, 3, 4});
  }
}

// Parent at (10, 0, 0), heading 90 degrees, pivot (1, 0, 0); its child at
// (0, 0, 1): less the pivot (-1, 0, 1), turned (1, 0, 1), moved (11, 0, 1).
// The pivot leaves the parent's own position alone.
TEST(SceneVersions, PivotsTurnChildrenAboutThemselves) {
  const std::string version1 =
      "AddNullObject Parent\nObjectMotion (unnamed)\n  9\n  1\n  10 0 0 90 0 0 1 1 1\n"
      "  0 0 0 0 0\nEndBehavior 1\nPivotPoint 1 0 0\n"
      "AddNullObject Child\nObjectMotion (unnamed)\n  9\n  1\n  0 0 1 0 0 0 1 1 1\n"
      "  0 0 0 0 0\nEndBehavior 1\nParentObject 1\n";
  const std::string version3 =
      "AddNullObject Parent\n" + resting("ObjectMotion", {10, 0, 0, 1.5707963267948966}) +
      "PivotPosition 1 0 0\nAddNullObject Child\n" + resting("ObjectMotion", {0, 0, 1}) +
      "ParentItem 10000000\n";
  for (const auto& [version, body] : {std::pair{1, version1}, std::pair{3, version3}}) {
    SCOPED_TRACE(version);
    SceneResult scene = itemsOfText(sceneOfVersion(version, body));
    ASSERT_TRUE(scene.ok) << scene.error;
    expectNear(positionOf(scene, "Parent", 0), {10, 0, 0});
    expectNear(positionOf(scene, "Child", 0), {11, 0, 1});
  }
}

// Each broken scene, the file line its error must name and a word it must
// use. A scene whose only fault lies in a motion, pivot or parent is still
// listed.
TEST(SceneVersions, RejectsBrokenScenesNamingFileAndLine) {
  const std::string v2Head = "AddNullObject N\nObjectMotion (unnamed)\n";  // lines 4, 5
  const std::string v3Head = "AddNullObject N\nObjectMotion\nNumChannels 1\nChannel 0\n"
                             "{ Envelope\n";  // lines 4 to 8
  struct Case {
    const char* what;
    int version;
    std::string body;
    int line;
    const char* word;
    bool listed;
  };
  const Case cases[] = {
      {"v2 ten channels", 2, v2Head + "  10\n", 6, "channels", true},
      {"v2 no keys", 2, v2Head + "  1\n  0\n", 7, "at least one key", true},
      {"v2 five numbers", 2, v2Head + "  1\n  1\n  0 0 2 0 0\n", 8, "6 numbers", true},
      {"v2 span kind", 2, v2Head + "  1\n  1\n  0 0 3 0 0 0\n", 8, "span kind 3", true},
      {"v2 times not rising", 2, v2Head + "  1\n  2\n  0 1 2 0 0 0\n  0 1 2 0 0 0\n", 9,
       "key 2 of channel 0", true},
      {"v2 behaviour count", 2, v2Head + "  1\n  1\n  0 0 2 0 0 0\nPre/PostBehavior 1\n", 9,
       "2 codes", true},
      {"v2 behaviour code", 2, v2Head + "  1\n  1\n  0 0 2 0 0 0\nPre/PostBehavior 1 6\n", 9,
       "0 to 5", true},
      {"v2 cut off", 2, v2Head + "  1\n  2\n  0 0 2 0 0 0\n", 8, "key 2 of channel 0", true},
      {"v3 no NumChannels", 3, "AddNullObject N\nObjectMotion\nChannel 0\n", 6, "NumChannels",
       true},
      {"v3 no Channel", 3, "AddNullObject N\nObjectMotion\nNumChannels 1\n{ Envelope\n", 7,
       "Channel", true},
      {"v3 no envelope", 3, "AddNullObject N\nObjectMotion\nNumChannels 1\nChannel 0\n  1\n", 8,
       "{ Envelope", true},
      {"v3 eight numbers", 3, v3Head + "  1\n  Key 0 0 0 0 0 0 0 0\n", 10, "9 numbers", true},
      {"v3 span kind 2", 3, v3Head + "  1\n  Key 0 0 2 0 0 0 0 0 0\n", 10, "span kind 2", true},
      {"v3 not closed", 3, v3Head + "  1\n  Key 0 0 0 0 0 0 0 0 0\n  Behaviors 1 1\n", 8,
       "not closed", true},
      {"v3 no Behaviors", 3, v3Head + "  1\n  Key 0 0 0 0 0 0 0 0 0\n}\n", 11, "Behaviors",
       true},
      {"v3 behaviour code", 3, v3Head + "  1\n  Key 0 0 0 0 0 0 0 0 0\n  Behaviors 0 6\n}\n", 11,
       "0 to 5", true},
      {"v3 channel twice", 3,
       "AddNullObject N\nObjectMotion\nNumChannels 2\n" + channelAt(1, 0) + channelAt(1, 0), 13,
       "channel 1 is given twice", true},
      {"v4 pivot", 4, "AddNullObject 10000000 N\nPivotPosition 1 2\n", 5, "three numbers", true},
      {"v3 ParentItem not an ID", 3, "AddNullObject N\nParentItem 1\n", 5, "eight hex", true},
      {"v3 ParentItem of no item", 3, "AddNullObject N\nParentItem 20000000\n", 5, "no item",
       true},
      {"v5 cycle", 5, "AddNullObject 10000000 N\nParentItem 10000000\n", 5, "cycle", true},
      {"v5 ID given twice", 5, "AddNullObject 10000000 N\nAddNullObject 10000000 M\n", 5,
       "10000000", true},
      {"v5 null without an ID", 5, "AddNullObject Null\n", 4, "eight hex digits", false},
      {"v5 light ID", 5, "AddLight 2\n", 4, "eight hex digits", false},
      {"v4 null without a name", 4, "AddNullObject 10000000\n", 4, "without a name", false},
      {"v3 layer", 3, "LoadObjectLayer one box.lwo\n", 4, "layer number", false},
      {"v3 bone before any object", 3, "AddBone\nBoneName Lost\n", 4, "before any object",
       false},
      {"v3 controller", 3, "AddNullObject N\nHController one\n", 5, "rotation controller", true},
      {"v3 pivot rotation", 3, "AddNullObject N\nPivotRotation 0 1\n", 5, "three numbers", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SceneResult scene = itemsOfText(sceneOfVersion(c.version, c.body), "s.lws");
    EXPECT_FALSE(scene.ok);
    std::string prefix = "s.lws:" + std::to_string(c.line) + ": ";
    EXPECT_EQ(scene.error.substr(0, prefix.size()), prefix) << scene.error;
    EXPECT_NE(scene.error.find(c.word), std::string::npos) << scene.error;
    EXPECT_EQ(itemsOfText(sceneOfVersion(c.version, c.body), "s.lws", Reading::LIST_ONLY).ok,
              c.listed);
  }
}

// Each null the parent of the next; the first moves to (1, 2, 3), so every
// one of them is there. Closing the chain into a ring is refused, naming
// the first null's parent line.
TEST(SceneVersions, LongParentChainsResolveAndRingsAreRefused) {
  constexpr int COUNT = 5000;
  std::string chain = "AddNullObject N\nObjectMotion (unnamed)\n  9\n  1\n  1 2 3 0 0 0 1 1 1\n"
                      "  0 0 0 0 0\nEndBehavior 1\n";
  for (int i = 1; i < COUNT; ++i) chain += "AddNullObject N\nParentObject " + std::to_string(i) + "\n";
  SceneResult scene = itemsOfText(sceneOfVersion(1, chain));
  ASSERT_TRUE(scene.ok) << scene.error;
  ASSERT_EQ(scene.items.size(), static_cast<std::size_t>(COUNT));
  EXPECT_EQ(scene.items.back().name, "N (" + std::to_string(COUNT) + ")");
  expectNear(scene.items.back().worldPosition(0), {1, 2, 3});

  std::string ring = "AddNullObject N\nParentObject " + std::to_string(COUNT) + "\n";
  for (int i = 1; i < COUNT; ++i) ring += "AddNullObject N\nParentObject " + std::to_string(i) + "\n";
  SceneResult refused = itemsOfText(sceneOfVersion(1, ring));
  EXPECT_EQ(refused.error, "scene.lws:5: \"ParentObject 5000\" makes a cycle of parents");
}

}  // namespace
}  // namespace scene_eval
