// One whole default run of the command, call by call, as the host sees it:
// the lookups, the panel and its six controls, their placement and initial
// values, the callback registration, the user's picks, the read-back and the
// envelope's samples.

#include <string>
#include <vector>

#include "gmock/gmock.h"
#include "gtest/gtest.h"
#include "module/module.h"
#include "tests/command/command_test_support.h"

using hostsim::HostSim;
using hostsim::ItemKind;
using hostsim::userSetsValue;

namespace {

std::vector<std::string> withoutSamples(const std::vector<std::string>& calls) {
  std::vector<std::string> kept;
  for (const std::string& call : calls) {
    if (call.rfind("itemParam(", 0) != 0) kept.push_back(call);
  }
  return kept;
}

TEST(GoldenRunTest, DefaultRunMakesExactlyTheseHostCalls) {
  HostSim host;
  ScratchDirectory scratch;
  const std::string directory = scratch.root().string();
  const std::string path = directory + PATH_SEPARATOR + "quorvel.env";
  host.setDirectory("Envelopes", directory);
  ItemId ball = host.addItem({ItemKind::OBJECT, "Ball", standingAt(0, 0, 0)});
  ItemId box = host.addItem({ItemKind::OBJECT, "Box", standingAt(3, 4, 0)});
  host.scriptUser({userSetsValue("Item", ball), userSetsValue("Target", box)});

  ASSERT_EQ(activateCommand(1, HostSim::lookup(), nullptr, nullptr), 0);

  const std::vector<std::string> expected = {
      "lookup(\"Info Messages\", 0) -> found",
      "lookup(\"LW Item Info\", 0) -> found",
      "lookup(\"LW Object Info\", 0) -> found",
      "lookup(\"LW Scene Info\", 0) -> found",
      "lookup(\"Directory Info\", 0) -> found",
      "lookup(\"LWPanelServices\", 0) -> found",
      "createPanel(\"Quorvel  ver.1.0  by Nemra\") -> panel1",
      "addControl(panel1, \"LWListControl\", [16, lookup, 0, 0, 0, 0], \"Item\") -> Item",
      "addControl(panel1, \"LWListControl\", [16, lookup, 0, 0, 0, 0], \"Target\") -> Target",
      "addControl(panel1, \"FileControl\", [1, 30, 0, 0, 0, 0], \"env_name\") -> env_name",
      "addControl(panel1, \"NumControl\", [2, 30, 0, 0, 0, 0], \"Max Frame\") -> Max Frame",
      "addControl(panel1, \"NumControl\", [2, 30, 0, 0, 0, 0], \"Frame Step\") -> Frame Step",
      "addControl(panel1, \"ChoiceControl\", [9, [\"Object\", \"Camera\"], 0, 0, 0, 0], "
      "\"TargetVar\") -> TargetVar",
      // Each field at its column (label widths are 8 units a character), rows 20 apart.
      "getAttr(Item, ATTR_LABEL_WIDTH) -> 32",
      "setAttr(Item, ATTR_X, 68)",
      "setAttr(Item, ATTR_Y, 0)",
      "getAttr(TargetVar, ATTR_LABEL_WIDTH) -> 72",
      "setAttr(TargetVar, ATTR_X, 28)",
      "setAttr(TargetVar, ATTR_Y, 40)",
      "getAttr(Target, ATTR_LABEL_WIDTH) -> 48",
      "setAttr(Target, ATTR_X, 52)",
      "setAttr(Target, ATTR_Y, 60)",
      "getAttr(env_name, ATTR_LABEL_WIDTH) -> 64",
      "setAttr(env_name, ATTR_X, 36)",
      "setAttr(env_name, ATTR_Y, 100)",
      "getAttr(Max Frame, ATTR_LABEL_WIDTH) -> 72",
      "setAttr(Max Frame, ATTR_X, 28)",
      "setAttr(Max Frame, ATTR_Y, 120)",
      "getAttr(Frame Step, ATTR_LABEL_WIDTH) -> 80",
      "setAttr(Frame Step, ATTR_X, 170)",
      "setAttr(Frame Step, ATTR_Y, 120)",
      "setPanelAttr(panel1, PANEL_ATTR_H, 182)",
      "setAttr(Item, ATTR_VALUE, 0)",
      "setAttr(Target, ATTR_VALUE, 0)",
      "setAttr(Max Frame, ATTR_VALUE, 60)",
      "setAttr(Frame Step, ATTR_VALUE, 1)",
      "setAttr(TargetVar, ATTR_VALUE, 0)",
      "directoryPath(\"Envelopes\") -> \"" + directory + "\"",
      "setAttr(env_name, ATTR_VALUE, \"" + path + "\")",
      "setAttr(TargetVar, ATTR_USER_DATA, <pointer>)",
      "setAttr(TargetVar, ATTR_USER_EVENT, <function>)",
      "openPanel(panel1, 7) -> 1",
      "user: Item = 1",
      "user: Target = 2",
      "user: OK",
      "getAttr(Item, ATTR_VALUE) -> 1",
      "getAttr(Target, ATTR_VALUE) -> 2",
      "getAttr(Max Frame, ATTR_VALUE) -> 60",
      "getAttr(Frame Step, ATTR_VALUE) -> 1",
      "getAttr(env_name, ATTR_VALUE) -> \"" + path + "\"",
      "getAttr(TargetVar, ATTR_VALUE) -> 0",
      "destroyPanel(panel1)",
  };
  EXPECT_EQ(withoutSamples(host.calls()), expected);
  // Between the read-back and destroyPanel: item then target, at each of the
  // sixty frames.
  std::vector<std::string> samples = host.callsTo("itemParam");
  ASSERT_EQ(samples.size(), 120u);
  EXPECT_EQ(samples[0], "itemParam(1, 8, 0)");
  EXPECT_EQ(samples[1], "itemParam(2, 8, 0)");
  EXPECT_EQ(samples[119], "itemParam(2, 8, 1.96667)");
  EXPECT_EQ(host.calls()[host.calls().size() - 2], "itemParam(2, 8, 1.96667)");
}

}  // namespace
