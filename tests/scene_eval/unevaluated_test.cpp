// What moves items beyond keyed channels, parents and pivots: each feature
// found on the line that states it, the walk up through parents that
// gathers them, bones as items of their own, and the quirks of real files
// (fused lines, comment lines, plug-in bodies of their own grammar).

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "scene_eval/scene_eval.h"
#include "tests/scene_eval/scene_text_support.h"

namespace scene_eval {
namespace {

// The line of the scene `text` on which `statement` first stands, from 1.
int lineOf(const std::string& text, const std::string& statement) {
  std::size_t at = text.find(statement);
  EXPECT_NE(at, std::string::npos) << statement;
  int line = 1;
  for (std::size_t i = 0; i < at && i < text.size(); ++i) line += text[i] == '\n' ? 1 : 0;
  return line;
}

// A nine-channel motion at rest, the envelope of `channel` holding `extra`
// before its Behaviors line.
std::string motionWith(std::size_t channel, const std::string& extra) {
  std::string text = "ObjectMotion\nNumChannels 9\n";
  for (std::size_t c = 0; c < 9; ++c) {
    text += "Channel " + std::to_string(c) + "\n{ Envelope\n  1\n  Key " +
            (c >= 6 ? "1" : "0") + " 0 0 0 0 0 0 0 0\n" + (c == channel ? extra : "") +
            "  Behaviors 1 1\n}\n";
  }
  return text;
}

const std::string AT_REST = motionWith(9, "");

struct Found {
  Unevaluated kind;
  std::string statement;
  bool movesOwnPosition;
  long number = 0;  // the controller, or the channel of a channel modifier
};

TEST(UnevaluatedFeatures, EachFeatureIsFoundOnItsLineWithWhatItMoves) {
  using U = Unevaluated;
  const std::string expression = "  { Expression\n    \"Value * 2\"\n  }\n";
  const std::string noise = "  Plugin ChannelHandler 1 LW_Noisy\n  \"0.5\"\n  EndPlugin\n";
  struct Case {
    const char* what;
    std::string body;  // the item's lines after its item line
    std::vector<Found> expected;
  };
  const Case cases[] = {
      {"motion modifier",
       AT_REST + "Plugin ItemMotionHandler 1 LW_Follower\n\"268435457  1\"\nEndPlugin\n",
       {{U::MOTION_MODIFIER, "Plugin ItemMotionHandler 1 LW_Follower", true}}},
      // Other plug-ins move nothing; a morph mixer's envelopes are not channels.
      {"other plug-ins",
       AT_REST + "Plugin LightHandler 1 DistantLight\nEndPlugin\n"
                 "Plugin DisplacementHandler 1 LW_MorphMixer\n  { Envelope\n    1\n"
                 "    Key 0 0 0 0 0 0 0 0 0\n" + expression + "    Behaviors 1 1\n  }\nEndPlugin\n",
       {}},
      {"goal", AT_REST + "IKAnchor 1\nGoalObject 17\nGoalStrength 1\n",
       {{U::INVERSE_KINEMATICS, "GoalObject 17", true}}},
      {"controllers", AT_REST + "HController 1\nPController 0\nBController 3\n",
       {{U::ROTATION_CONTROLLER, "HController 1", false, 1},
        {U::ROTATION_CONTROLLER, "BController 3", false, 3}}},
      {"target item", AT_REST + "TargetItem 10000000\n", {{U::TARGET, "TargetItem 10000000", false}}},
      {"target object", AT_REST + "TargetObject 1\n", {{U::TARGET, "TargetObject 1", false}}},
      {"pivot rotation", AT_REST + "PivotRotation 0 0.5 0\n",
       {{U::PIVOT_ROTATION, "PivotRotation 0 0.5 0", false}}},
      {"still pivot rotation", AT_REST + "PivotRotation 0 0 0\nGoalStrength 1\n", {}},
      // The writer's fused lines hold a second statement.
      {"fused", AT_REST + "HJointStiffness 600PController 3\n",
       {{U::ROTATION_CONTROLLER, "PController 3", false, 3}}},
      {"fused after an exponent", AT_REST + "BJointStiffness 1e-005BController 2\n",
       {{U::ROTATION_CONTROLLER, "BController 2", false, 2}}},
      {"stiffness alone", AT_REST + "HJointStiffness 600\nHLimits -45 90\n", {}},
      {"position channel", motionWith(1, expression),
       {{U::CHANNEL_MODIFIER, "{ Expression", true, 1}}},
      {"heading channel", motionWith(3, noise),
       {{U::CHANNEL_MODIFIER, "Plugin ChannelHandler 1 LW_Noisy", false, 3}}},
      // Only the motion's channels count, not an envelope of another value.
      {"other envelope",
       AT_REST + "ObjectDissolve (envelope)\n{ Envelope\n  1\n  Key 0 0 0 0 0 0 0 0 0\n" +
           expression + "  Behaviors 1 1\n}\n",
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string text = sceneOfVersion(3, "AddNullObject N\n" + c.body + "AddNullObject M\n");
    for (Reading reading : {Reading::POSITIONS, Reading::STRUCTURE}) {
      SceneResult scene = itemsOfText(text, "s.lws", reading);
      ASSERT_TRUE(scene.ok) << scene.error;
      const std::vector<UnevaluatedFeature>& found = scene.items[0].unevaluated;
      ASSERT_EQ(found.size(), c.expected.size());
      for (std::size_t i = 0; i < found.size(); ++i) {
        const Found& expected = c.expected[i];
        EXPECT_EQ(found[i].kind, expected.kind);
        EXPECT_EQ(found[i].statement, expected.statement);
        EXPECT_EQ(found[i].line, lineOf(text, expected.statement));
        EXPECT_EQ(found[i].movesOwnPosition, expected.movesOwnPosition);
        long number = expected.kind == U::CHANNEL_MODIFIER ? static_cast<long>(found[i].channel)
                                                          : found[i].controller;
        EXPECT_EQ(number, expected.number);
      }
      EXPECT_TRUE(scene.items[1].unevaluated.empty());
    }
  }
}

// Grand, Parent and Child each the parent of the next, and an unrelated
// item, each with features of its own. Child's walk meets its own features
// that move its position (not its rotation controller, not its pitch
// channel), then all of Parent's, then all of Grand's, each item's in file
// order.
TEST(UnevaluatedFeatures, TheWalkMeetsTheItemsFeaturesThenEachAncestorsInFileOrder) {
  const std::string noise = "  Plugin ChannelHandler 1 LW_Noisy\n  EndPlugin\n";
  const std::string text = sceneOfVersion(
      3, "AddNullObject Grand\n" + AT_REST + "PivotRotation 0 1 0\nGoalObject 4\n" +
             "AddNullObject Parent\n" + motionWith(6, "  { Scale\n  }\n") +
             "HController 3\nParentItem 10000000\n" + "AddNullObject Child\n" +
             motionWith(1, noise) + "PController 1\nParentItem 10000001\n" +
             "Plugin ItemMotionHandler 1 LW_Jitter\nEndPlugin\n" +
             "AddNullObject Unrelated\nGoalObject 1\n" + "AddNullObject Still\n" + AT_REST);
  SceneResult scene = itemsOfText(text);
  ASSERT_TRUE(scene.ok) << scene.error;
  struct Met {
    const char* carrier;
    std::string statement;
  };
  const std::pair<const char*, std::vector<Met>> walks[] = {
      {"Child",
       {{"Child", "Plugin ChannelHandler 1 LW_Noisy"},
        {"Child", "Plugin ItemMotionHandler 1 LW_Jitter"},
        {"Parent", "{ Scale"},
        {"Parent", "HController 3"},
        {"Grand", "PivotRotation 0 1 0"},
        {"Grand", "GoalObject 4"}}},
      {"Grand", {{"Grand", "GoalObject 4"}}},
      {"Still", {}},
  };
  for (const auto& [item, expected] : walks) {
    SCOPED_TRACE(item);
    std::vector<LeftOut> walk = leftOutOf(scene.items, indexOf(scene, item));
    ASSERT_EQ(walk.size(), expected.size());
    for (std::size_t i = 0; i < walk.size(); ++i) {
      EXPECT_EQ(scene.items[walk[i].carrier].name, expected[i].carrier);
      EXPECT_EQ(walk[i].feature.statement, expected[i].statement);
      EXPECT_EQ(walk[i].feature.line, lineOf(text, expected[i].statement));
    }
  }
}

// Rig at (1, 0, 0) has two bones, Hip and Knee, whose lines (their parent
// lines among them) are theirs, not Rig's. Prop hangs from Knee; Stand from
// Rig. A bone and what hangs from one have no position; the rest do.
TEST(UnevaluatedFeatures, BonesAreItemsWhoseLinesAreTheirOwn) {
  const std::string text = sceneOfVersion(
      3, "AddNullObject Rig\n" + resting("ObjectMotion", {1}) +
             "AddBone\nBoneName Hip\nBoneRestPosition 0 1 0\nBoneRestLength 1\n" +
             resting("BoneMotion", {0, 1}) + "AddBone\nBoneName Knee\nParentItem 40000000\n" +
             "Plugin DeformationHandler 1 Flex\nEndPlugin\nShadowOptions 7\n" +
             "AddNullObject Prop\nParentItem 40010000\n" + "AddNullObject Stand\n" +
             resting("ObjectMotion", {0, 2}) + "ParentItem 10000000\n");
  SceneResult scene = itemsOfText(text);
  ASSERT_TRUE(scene.ok) << scene.error;
  struct Expected {
    const char* name;
    ItemKind kind;
    const char* parent;  // null for none
    bool placed;
  };
  const Expected expected[] = {{"Rig", ItemKind::OBJECT, nullptr, true},
                               {"Hip", ItemKind::BONE, "Rig", false},
                               {"Knee", ItemKind::BONE, "Hip", false},
                               {"Prop", ItemKind::OBJECT, "Knee", false},
                               {"Stand", ItemKind::OBJECT, "Rig", true}};
  ASSERT_EQ(scene.items.size(), std::size(expected));
  for (std::size_t i = 0; i < scene.items.size(); ++i) {
    const ItemSpec& item = scene.items[i];
    SCOPED_TRACE(item.name);
    EXPECT_EQ(item.name, expected[i].name);
    EXPECT_EQ(item.kind, expected[i].kind);
    EXPECT_EQ(item.parent.has_value(), expected[i].parent != nullptr);
    if (item.parent && expected[i].parent) {
      EXPECT_EQ(scene.items[*item.parent].name, expected[i].parent);
    }
    EXPECT_EQ(static_cast<bool>(item.worldPosition), expected[i].placed);
  }
  expectNear(positionOf(scene, "Stand", 0), {1, 2, 0});
  std::vector<LeftOut> walk = leftOutOf(scene.items, indexOf(scene, "Prop"));
  ASSERT_EQ(walk.size(), 2u);
  EXPECT_EQ(walk[0].feature.kind, Unevaluated::BONE);
  EXPECT_EQ(walk[0].feature.line, lineOf(text, "AddBone\nBoneName Knee"));
  EXPECT_EQ(walk[1].feature.line, lineOf(text, "AddBone\nBoneName Hip"));
  EXPECT_TRUE(leftOutOf(scene.items, indexOf(scene, "Stand")).empty());
}

// Bone IDs are 4BBBOOOO in hex: 40100001 is the seventeenth bone (index
// 0x010) of the second object.
TEST(UnevaluatedFeatures, ABonesIdCountsItsObjectsBonesAndTheObjectsInHex) {
  std::string body = "AddNullObject First\nAddBone\nAddNullObject Second\n";
  for (int i = 0; i < 17; ++i) body += "AddBone\nBoneName B\n";
  body += "AddNullObject Hanging\nParentItem 40100001\n";
  SceneResult scene = itemsOfText(sceneOfVersion(3, body));
  ASSERT_TRUE(scene.ok) << scene.error;
  const ItemSpec& hanging = scene.items[indexOf(scene, "Hanging")];
  ASSERT_TRUE(hanging.parent.has_value());
  EXPECT_EQ(scene.items[*hanging.parent].name, "B (17)");
}

// A plug-in's body, whatever it holds, ends at its EndPlugin: item lines,
// parent lines, unmatched braces and envelopes within it are the plug-in's.
TEST(UnevaluatedFeatures, PluginBodiesOfAnyGrammarAreSteppedOverToTheirEndPlugin) {
  const std::string text = sceneOfVersion(
      3, "AddNullObject Rigged\n" + resting("ObjectMotion", {3, 4}) +
             "Plugin DisplacementHandler 1 Anything\nBEGIN settings\n# a comment {\n}\n}\n\n42\n"
             "\"quoted { text\"\nAddLight\nParentItem 10000001\nGoalObject 2\n"
             "  Plugin Inner 1 Nested\n  { Envelope\n  EndPlugin\nEndPlugin\n"
             "AddNullObject Anchor\n");
  SceneResult scene = itemsOfText(text);
  ASSERT_TRUE(scene.ok) << scene.error;
  ASSERT_EQ(scene.items.size(), 2u);
  EXPECT_FALSE(scene.items[0].parent.has_value());
  EXPECT_TRUE(scene.items[0].unevaluated.empty());
  expectNear(positionOf(scene, "Rigged", 0), {3, 4, 0});
}

// Comment lines are skipped wherever they stand, even between the lines of
// a motion that is read line by line.
TEST(UnevaluatedFeatures, CommentLinesAreSkipped) {
  SceneResult scene = itemsOfText(sceneOfVersion(
      2, "AddNullObject Labelled\n// LABEL=Left Hand\nObjectMotion (unnamed)\n  1\n"
         "// LABEL=x\n  1\n  7 0 2 0 0 0\nPre/PostBehavior 1 1\n"));
  ASSERT_TRUE(scene.ok) << scene.error;
  expectNear(positionOf(scene, "Labelled", 0), {7, 0, 0});
}

// Parents and features are told even when a motion cannot be read.
TEST(UnevaluatedFeatures, DescribingItemsReadsNoMotion) {
  const std::string text = sceneOfVersion(
      3, "AddNullObject Broken\nObjectMotion\nNumChannels 1\nChannel 0\n{ Envelope\n  1\n"
         "  Key 0 0 2 0 0 0 0 0 0\n  Behaviors 1 1\n}\nHController 3\n"
         "AddNullObject Child\nParentItem 10000000\n");
  EXPECT_FALSE(itemsOfText(text).ok);
  SceneResult scene = itemsOfText(text, "scene.lws", Reading::STRUCTURE);
  ASSERT_TRUE(scene.ok) << scene.error;
  EXPECT_FALSE(scene.items[1].worldPosition);
  ASSERT_EQ(scene.items[1].parent, std::optional<std::size_t>(0));
  ASSERT_EQ(leftOutOf(scene.items, 1).size(), 1u);
  EXPECT_EQ(leftOutOf(scene.items, 1)[0].feature.line, 13);
}

}  // namespace
}  // namespace scene_eval
