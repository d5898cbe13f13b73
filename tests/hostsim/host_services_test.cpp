// The stand-in host's lookup, messages, items and directories.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "hostsim/hostsim.h"

namespace hostsim {
namespace {

using ::testing::ElementsAre;

TEST(Lookup, AnswersEveryServiceUntilItIsRemoved) {
  for (std::string name : {"Info Messages", "LW Item Info", "LW Object Info", "LW Scene Info",
                           "Directory Info", "LWPanelServices"}) {
    HostSim host;
    EXPECT_NE(HostSim::lookup()(name.c_str(), 0), nullptr) << name;
    host.removeService(name);
    EXPECT_EQ(HostSim::lookup()(name.c_str(), 0), nullptr) << name;
    EXPECT_THAT(host.calls(), ElementsAre("lookup(\"" + name + "\", 0) -> found",
                                          "lookup(\"" + name + "\", 0) -> null"));
  }
}

TEST(Lookup, AnswersNullForUnknownNamesAndWithoutAHost) {
  {
    HostSim host;
    EXPECT_EQ(HostSim::lookup()("LW Nothing", 0), nullptr);
    EXPECT_EQ(HostSim::lookup()(nullptr, 0), nullptr);
    EXPECT_THAT(host.calls(),
                ElementsAre("lookup(\"LW Nothing\", 0) -> null", "lookup(null, 0) -> null"));
  }
  EXPECT_EQ(HostSim::lookup()("Info Messages", 0), nullptr);
}

TEST(Lookup, AnswersForTheMostRecentLiveHost) {
  HostSim outer;
  {
    HostSim inner;
    EXPECT_EQ(HostSim::lookup()("LWPanelServices", 0), inner.panelServices());
  }
  EXPECT_EQ(HostSim::lookup()("LWPanelServices", 0), outer.panelServices());
  EXPECT_EQ(outer.calls().size(), 1u);
}

TEST(Messages, KeepsBothLinesAndLogsANullSecondLine) {
  HostSim host;
  auto* messages = static_cast<MessageServices*>(HostSim::lookup()("Info Messages", 0));
  host.clearCalls();
  messages->errorMessage("Error", "Unable to create panel");
  messages->errorMessage("/no/dir/x.env", nullptr);
  EXPECT_THAT(host.messages(), ElementsAre(Message{"Error", "Unable to create panel"},
                                           Message{"/no/dir/x.env", std::nullopt}));
  EXPECT_THAT(host.calls(), ElementsAre("errorMessage(\"Error\", \"Unable to create panel\")",
                                        "errorMessage(\"/no/dir/x.env\", null)"));
}

TEST(Directories, AnswerTheSetPathPerKindAndNullOtherwise) {
  HostSim host;
  host.setDirectory("Envelopes", "/some/dir");
  auto directoryPath =
      reinterpret_cast<DirectoryPathFunction>(HostSim::lookup()("Directory Info", 0));
  host.clearCalls();
  EXPECT_STREQ(directoryPath("Envelopes"), "/some/dir");
  EXPECT_EQ(directoryPath("Scenes"), nullptr);
  EXPECT_EQ(directoryPath(nullptr), nullptr);
  EXPECT_THAT(host.calls(), ElementsAre("directoryPath(\"Envelopes\") -> \"/some/dir\"",
                                        "directoryPath(\"Scenes\") -> null",
                                        "directoryPath(null) -> null"));
}

TEST(Items, FirstItemFindsTheFirstOfAKindInOrderOfAdding) {
  HostSim host;
  auto* info = static_cast<ItemInfoServices*>(HostSim::lookup()("LW Item Info", 0));
  host.clearCalls();
  EXPECT_EQ(info->firstItem(ITEM_CAMERA, 0), 0u);
  EXPECT_EQ(host.addItem({ItemKind::OBJECT, "Ball", nullptr}), 1u);
  EXPECT_EQ(host.addItem({ItemKind::LIGHT, "Light", nullptr}), 2u);
  EXPECT_EQ(host.addItem({ItemKind::CAMERA, "Camera", nullptr}), 3u);
  EXPECT_EQ(host.addItem({ItemKind::CAMERA, "Second", nullptr}), 4u);
  EXPECT_EQ(host.itemNamed("Second"), 4u);
  EXPECT_EQ(host.itemNamed("Nothing"), 0u);
  EXPECT_EQ(info->firstItem(ITEM_CAMERA, 0), 3u);
  EXPECT_EQ(info->firstItem(1, 0), 2u);
  EXPECT_EQ(info->firstItem(7, 0), 0u);
  EXPECT_THAT(host.calls(), ElementsAre("firstItem(2, 0) -> 0", "firstItem(2, 0) -> 3",
                                        "firstItem(1, 0) -> 2", "firstItem(7, 0) -> 0"));
}

TEST(Items, WorldPositionFollowsTheItemAndIsZeroWhenUnknown) {
  HostSim host;
  auto* info = static_cast<ItemInfoServices*>(HostSim::lookup()("LW Item Info", 0));
  ItemId ball = host.addItem(
      {ItemKind::OBJECT, "Ball", [](double t) { return Vector3{t, 2 * t, -1.5}; }});
  ItemId still = host.addItem({ItemKind::OBJECT, "Still", nullptr});
  host.clearCalls();
  struct Case {
    ItemId item;
    std::int32_t parameter;
    double seconds;
    Vector3 expected;
  } cases[] = {{ball, PARAM_WORLD_POSITION, 0.5, {0.5, 1.0, -1.5}},
               {ball, PARAM_WORLD_POSITION, 1.0 / 30.0, {1.0 / 30.0, 2.0 / 30.0, -1.5}},
               {ball, 3, 0.5, {}},
               {still, PARAM_WORLD_POSITION, 0.5, {}},
               {99, PARAM_WORLD_POSITION, 0.5, {}}};
  for (const Case& c : cases) {
    double xyz[3] = {9, 9, 9};
    info->itemParam(c.item, c.parameter, c.seconds, xyz);
    EXPECT_THAT(xyz, ElementsAre(c.expected.x, c.expected.y, c.expected.z)) << host.calls().back();
  }
  EXPECT_EQ(host.calls()[1], "itemParam(1, 8, 0.0333333)");
}

// A bone's position is never served: whatever its function gives, the host
// answers not a number, so a bake of it ends unwritten.
TEST(Items, ABoneIsNeverServedAPosition) {
  HostSim host;
  auto* info = static_cast<ItemInfoServices*>(HostSim::lookup()("LW Item Info", 0));
  ItemId bone = host.addItem({ItemKind::BONE, "Arm", [](double) { return Vector3{1, 2, 3}; }});
  double xyz[3] = {9, 9, 9};
  info->itemParam(bone, PARAM_WORLD_POSITION, 0.5, xyz);
  for (double coordinate : xyz) EXPECT_TRUE(std::isnan(coordinate));
}

}  // namespace
}  // namespace hostsim
