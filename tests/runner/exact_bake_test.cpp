// Every bake is exact or refused: quorvel-run on small version 3 scenes with
// one feature it does not evaluate, placed on the item measured, on its
// parent or on an item that has nothing to do with it; --keyed-only; bones.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/runner/quorvel_run_fixture.h"
#include "tests/support/run_support.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// The envelope of two keys both 5 apart, as the module writes it.
const std::string FIVE_APART =
    "LWEN\r\n1\r\n1\r\n2\r\n5.000000\r\n0 1 0 0 0\r\n5.000000\r\n1 1 0 0 0\r\n";

// A version 3 null resting at (x, y, z): a nine-channel motion whose
// envelope of `channel` also holds `inEnvelope`, then `after`.
std::string null3(const std::string& name, double x, double y, double z,
                  const std::string& after = "", std::optional<std::size_t> channel = std::nullopt,
                  const std::string& inEnvelope = "") {
  const double values[9] = {x, y, z, 0, 0, 0, 1, 1, 1};
  std::string text = "AddNullObject " + name + "\nObjectMotion\nNumChannels 9\n";
  for (std::size_t c = 0; c < 9; ++c) {
    text += "Channel " + std::to_string(c) + "\n{ Envelope\n  1\n  Key " +
            std::to_string(values[c]) + " 0 0 0 0 0 0 0 0\n" +
            (channel == c ? inEnvelope : "") + "  Behaviors 1 1\n}\n";
  }
  return text + after;
}

std::string scene3(const std::string& items) {
  return "LWSC\n3\n\nFramesPerSecond 30\n\n" + items + "AddCamera\nCameraName Camera\n";
}

// The line of `text` on which `statement` first stands, from 1.
int lineOf(const std::string& text, const std::string& statement) {
  std::size_t at = text.find(statement);
  EXPECT_NE(at, std::string::npos) << statement;
  int line = 1;
  for (std::size_t i = 0; i < at && i < text.size(); ++i) line += text[i] == '\n' ? 1 : 0;
  return line;
}

// Where a row puts its feature.
enum class On { ITEM, PARENT, UNRELATED };

// Child, the item measured, hangs from Mover at (3, 4, 0); Anchor, the
// target, stands at the origin; Unrelated stands apart. The feature goes
// into the lines (or a motion channel) of the item `on` names.
std::string sceneWithFeature(On on, const std::string& feature,
                             std::optional<std::size_t> channel) {
  auto lines = [&](On here, const std::string& after) {
    if (here != on) return std::make_pair(after, std::string());
    return channel ? std::make_pair(after, feature) : std::make_pair(feature + after, std::string());
  };
  auto [moverAfter, moverEnvelope] = lines(On::PARENT, "");
  auto [childAfter, childEnvelope] = lines(On::ITEM, "ParentItem 10000000\n");
  auto [otherAfter, otherEnvelope] = lines(On::UNRELATED, "");
  return scene3(null3("Mover", 3, 4, 0, moverAfter, channel, moverEnvelope) +
                null3("Child", 0, 0, 0, childAfter, channel, childEnvelope) +
                null3("Anchor", 0, 0, 0) +
                null3("Unrelated", 9, 9, 9, otherAfter, channel, otherEnvelope));
}

class ExactBakeTest : public QuorvelRunTest {
 protected:
  RunResult bakeChild(const std::string& scene, std::vector<std::string> more = {}) {
    std::vector<std::string> arguments = {"--item", "Child", "--target", "Anchor",
                                          "--last-frame", "2", "--output", "out.env"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return runOnScene(scene, arguments);
  }
};

// Rules b to e, each placed on the item, its parent and an unrelated item.
// A rotation controller, a target or a pivot rotation turns only the item
// carrying it, so on the item itself it leaves the item's position exact;
// so does a modifier on a channel other than position.
TEST_F(ExactBakeTest, EachRuleRefusesOnTheItemOrItsParentAndNotOnAnUnrelatedItem) {
  struct Rule {
    const char* rule;
    std::string feature;
    std::optional<std::size_t> channel;  // where in the motion, if there
    const char* says;
    bool exactOnTheItem;
  };
  const std::string modifier = "  Plugin ChannelHandler 1 LW_Noisy\n  EndPlugin\n";
  const Rule rules[] = {
      {"b", "Plugin ItemMotionHandler 1 LW_Follower\n\"268435457  1\"\n}\nEndPlugin\n",
       std::nullopt, "is moved by a motion modifier plug-in (\"Plugin ItemMotionHandler", false},
      {"c", "GoalObject 3\nGoalStrength 1\n", std::nullopt,
       "ends a chain solved by inverse kinematics (\"GoalObject 3\")", false},
      {"d controller", "PController 3\n", std::nullopt,
       "turns by inverse kinematics (\"PController 3\")", true},
      {"d target", "HController 1\nTargetItem 10000002\n", std::nullopt,
       "points at a target item (\"HController 1\")", true},
      {"d pivot rotation", "PivotRotation 0 1.5 0\n", std::nullopt,
       "has a pivot rotation (\"PivotRotation 0 1.5 0\")", true},
      {"e position", modifier, 2,
       "has a modifier or expression on its z position channel (\"Plugin ChannelHandler", false},
      {"e heading", modifier, 3,
       "has a modifier or expression on its heading channel (\"Plugin ChannelHandler", true},
  };
  for (const Rule& rule : rules) {
    for (On on : {On::ITEM, On::PARENT, On::UNRELATED}) {
      SCOPED_TRACE(std::string(rule.rule) + " on " +
                   (on == On::ITEM ? "the item" : on == On::PARENT ? "its parent" : "another"));
      std::filesystem::remove(directory_.path("out.env"));
      std::string scene = sceneWithFeature(on, rule.feature, rule.channel);
      RunResult run = bakeChild(scene);
      bool exact = on == On::UNRELATED || (on == On::ITEM && rule.exactOnTheItem);
      if (exact) {
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(read("out.env"), FIVE_APART);
        continue;
      }
      std::string firstLine = rule.feature.substr(0, rule.feature.find('\n'));
      std::string subject = on == On::ITEM ? "it " : "its parent \"Mover\" ";
      EXPECT_EQ(run.status, 3);
      EXPECT_THAT(run.err, StartsWith("quorvel-run: scene.lws:" +
                                      std::to_string(lineOf(scene, firstLine)) +
                                      ": cannot bake \"Child\" exactly: " + subject + rule.says));
      EXPECT_THAT(run.err, HasSubstr("--keyed-only"));
      EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one message";
      EXPECT_EQ(run.out, "");
      EXPECT_FALSE(exists("out.env"));
    }
  }
}

// The item's own features come before its parent's, each item's in file
// order, although the parent's lines come first in the file.
TEST_F(ExactBakeTest, TheRefusalNamesTheFirstFeatureMetWalkingUpFromTheItem) {
  std::string scene = scene3(null3("Mover", 3, 4, 0, "BController 2\nGoalObject 3\n") +
                             null3("Child", 0, 0, 0, "GoalObject 3\nParentItem 10000000\n") +
                             null3("Anchor", 0, 0, 0));
  RunResult run = bakeChild(scene);
  EXPECT_EQ(run.status, 3);
  EXPECT_THAT(run.err, HasSubstr("scene.lws:" + std::to_string(lineOf(scene, "GoalObject 3\nParentItem")) +
                                 ": cannot bake \"Child\" exactly: it ends a chain"));

  writeFile(directory_.path("out.env"), "kept\n");
  RunResult camera = runOnScene(
      scene3(null3("Rig", 0, 0, 0, "PivotRotation 1 0 0\n")) + "ParentItem 10000000\n",
      {"--item", "Rig", "--camera", "--output", "out.env"});
  EXPECT_EQ(camera.status, 3);
  EXPECT_THAT(camera.err, HasSubstr("cannot bake \"Camera\" exactly: its parent \"Rig\" has a pivot "
                                    "rotation"));
  EXPECT_EQ(read("out.env"), "kept\n");
}

// --keyed-only bakes the keyed motion, naming on standard error each
// feature it leaves out, of the item and of the target.
TEST_F(ExactBakeTest, KeyedOnlyBakesTheKeyedMotionAndWarnsOfWhatItLeavesOut) {
  std::string scene = scene3(
      null3("Mover", 3, 4, 0, "HController 3\n") +
      null3("Child", 0, 0, 0, "ParentItem 10000000\nPlugin ItemMotionHandler 1 Wobble\nEndPlugin\n") +
      null3("Anchor", 0, 0, 0, "GoalObject 1\n"));
  RunResult run = bakeChild(scene, {"--keyed-only"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(read("out.env"), FIVE_APART);
  auto warning = [&](const std::string& statement, const std::string& what) {
    return "quorvel-run: warning: scene.lws:" + std::to_string(lineOf(scene, statement)) +
           ": --keyed-only: " + what + "\n";
  };
  EXPECT_EQ(run.err,
            warning("Plugin ItemMotionHandler", "\"Child\" is baked without what moves it here: it "
                    "is moved by a motion modifier plug-in (\"Plugin ItemMotionHandler 1 Wobble\")") +
            warning("HController 3", "\"Child\" is baked without what moves it here: its parent "
                    "\"Mover\" turns by inverse kinematics (\"HController 3\")") +
            warning("GoalObject 1", "\"Anchor\" is baked without what moves it here: it ends a "
                    "chain solved by inverse kinematics (\"GoalObject 1\")"));
}

// Rule a: bones are not evaluated, so a bone, or an item hanging from one,
// is refused even with --keyed-only; an object with bones, and any item not
// hanging from a bone, bakes exactly.
TEST_F(ExactBakeTest, BonesAreListedAndRefusedAndPairsBesideThemBake) {
  std::string scene = scene3(null3("Mover", 3, 4, 0, "AddBone\nBoneName Arm\nParentItem 10000000\n"
                                   "BoneRestLength 1\nShadowOptions 7\n") +
                             null3("Child", 0, 0, 0, "ParentItem 10000000\n") +
                             null3("Anchor", 0, 0, 0) +
                             null3("Hand", 0, 0, 0, "ParentItem 40000000\n"));
  RunResult list = runOnScene(scene, {"--list-items"});
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out, "object\tMover\t-\nbone\tArm\t-\nobject\tChild\t-\nobject\tAnchor\t-\n"
                      "object\tHand\t-\ncamera\tCamera\t-\n");

  EXPECT_EQ(bakeChild(scene).status, 0);
  EXPECT_EQ(read("out.env"), FIVE_APART);

  const std::string boneLine = "scene.lws:" + std::to_string(lineOf(scene, "AddBone")) + ": ";
  struct Refused {
    const char* item;
    std::vector<std::string> more;
    std::string message;
  };
  const Refused refused[] = {
      {"Arm", {}, boneLine + "cannot bake \"Arm\" exactly: it is a bone (\"AddBone\")"},
      {"Arm", {"--keyed-only"}, boneLine + "cannot bake \"Arm\" exactly: it is a bone"},
      {"Hand", {"--keyed-only"},
       boneLine + "cannot bake \"Hand\" exactly: its parent \"Arm\" is a bone (\"AddBone\"), "
                  "which quorvel-run does not evaluate, not even with --keyed-only\n"},
  };
  for (const Refused& r : refused) {
    SCOPED_TRACE(r.item);
    writeFile(directory_.path("out.env"), "kept\n");
    std::vector<std::string> arguments = {"--item", r.item, "--target", "Anchor", "--output",
                                          "out.env"};
    arguments.insert(arguments.end(), r.more.begin(), r.more.end());
    RunResult run = runOnScene(scene, arguments);
    EXPECT_EQ(run.status, 3);
    EXPECT_THAT(run.err, HasSubstr(r.message));
    EXPECT_EQ(read("out.env"), "kept\n");
  }
}

// --verbose adds each item's parent and whether it is exact; the plain
// listing stays as scripts read it.
TEST_F(ExactBakeTest, VerboseListingGivesParentsAndWhatMovesEachItem) {
  std::string scene = scene3(null3("Mover", 3, 4, 0, "HController 3\nPivotRotation 0 1 0\n") +
                             null3("Child", 0, 0, 0, "ParentItem 10000000\n"));
  RunResult run = runOnScene(scene, {"--list-items", "--verbose"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "object\tMover\t-\t-\texact\n"
                     "object\tChild\t-\tMover\tnot exact, line " +
                         std::to_string(lineOf(scene, "HController 3")) +
                         ": its parent \"Mover\" turns by inverse kinematics (\"HController 3\"), "
                         "and 1 more\n"
                         "camera\tCamera\t-\t-\texact\n");
  EXPECT_EQ(runOnScene(scene, {"--verbose"}).status, 3);  // only with --list-items
}

}  // namespace
