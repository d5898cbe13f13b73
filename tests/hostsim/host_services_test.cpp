// The stand-in host's lookup, messages, items and directories.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "hostsim/hostsim.h"

namespace hostsim {
namespace {

using ::testing::ElementsAre;

TEST(Lookup, AnswersEveryServiceUntilItIsRemoved) {
  const char* names[] = {"Info Messages", "LW Item Info",   "LW Object Info",
                         "LW Scene Info", "Directory Info", "LWPanelServices"};
  for (const char* name : names) {
    HostSim host;
    GlobalLookup lookup = HostSim::lookup();
    EXPECT_NE(lookup(name, 0), nullptr) << name;
    host.removeService(name);
    EXPECT_EQ(lookup(name, 0), nullptr) << name;
    EXPECT_THAT(host.calls(), ElementsAre("lookup(\"" + std::string(name) + "\", 0) -> found",
                                          "lookup(\"" + std::string(name) + "\", 0) -> null"));
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
  void* outerPanels = HostSim::lookup()("LWPanelServices", 0);
  EXPECT_EQ(outerPanels, outer.panelServices());
  {
    HostSim inner;
    EXPECT_EQ(HostSim::lookup()("LWPanelServices", 0), inner.panelServices());
    EXPECT_EQ(inner.calls().size(), 1u);
  }
  EXPECT_EQ(HostSim::lookup()("LWPanelServices", 0), outerPanels);
  EXPECT_EQ(outer.calls().size(), 2u);
}

TEST(Messages, KeepsBothLinesAndLogsANullSecondLine) {
  HostSim host;
  auto* messages = static_cast<MessageServices*>(HostSim::lookup()("Info Messages", 0));
  host.clearCalls();
  messages->errorMessage("Error", "Unable to create panel");
  messages->errorMessage("/no/such/dir/x.env", nullptr);
  EXPECT_THAT(host.messages(),
              ElementsAre(Message{"Error", "Unable to create panel"},
                          Message{"/no/such/dir/x.env", std::nullopt}));
  EXPECT_THAT(host.calls(), ElementsAre("errorMessage(\"Error\", \"Unable to create panel\")",
                                        "errorMessage(\"/no/such/dir/x.env\", null)"));
}

TEST(Directories, AnswersTheSetPathPerKindAndNullOtherwise) {
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

class Items : public ::testing::Test {
 protected:
  Items() {
    info_ = static_cast<ItemInfoServices*>(HostSim::lookup()("LW Item Info", 0));
    host_.clearCalls();
  }
  HostSim host_;
  ItemInfoServices* info_;
};

TEST_F(Items, AreNumberedFromOneAndFoundByName) {
  EXPECT_EQ(host_.addItem({ItemKind::Object, "Ball", nullptr}), 1u);
  EXPECT_EQ(host_.addItem({ItemKind::Camera, "Camera", nullptr}), 2u);
  EXPECT_EQ(host_.addItem({ItemKind::Camera, "Camera (2)", nullptr}), 3u);
  EXPECT_EQ(host_.itemNamed("Camera (2)"), 3u);
  EXPECT_EQ(host_.itemNamed("Nothing"), 0u);
}

TEST_F(Items, FirstItemFindsTheFirstOfAKind) {
  EXPECT_EQ(info_->firstItem(ITEM_CAMERA, 0), 0u);
  host_.addItem({ItemKind::Object, "Ball", nullptr});
  host_.addItem({ItemKind::Light, "Light", nullptr});
  host_.addItem({ItemKind::Camera, "Camera", nullptr});
  host_.addItem({ItemKind::Camera, "Second", nullptr});
  EXPECT_EQ(info_->firstItem(ITEM_CAMERA, 0), 3u);
  EXPECT_EQ(info_->firstItem(1, 0), 2u);
  EXPECT_EQ(info_->firstItem(0, 0), 1u);
  EXPECT_EQ(info_->firstItem(7, 0), 0u);
  EXPECT_THAT(host_.callsTo("firstItem"),
              ElementsAre("firstItem(2, 0) -> 0", "firstItem(2, 0) -> 3", "firstItem(1, 0) -> 2",
                          "firstItem(0, 0) -> 1", "firstItem(7, 0) -> 0"));
}

TEST_F(Items, WorldPositionFollowsTheItemsFunctionOfTime) {
  ItemId ball = host_.addItem(
      {ItemKind::Object, "Ball", [](double t) { return Vector3{t, 2 * t, -1.5}; }});
  double xyz[3] = {9, 9, 9};
  info_->itemParam(ball, PARAM_WORLD_POSITION, 0.5, xyz);
  EXPECT_DOUBLE_EQ(xyz[0], 0.5);
  EXPECT_DOUBLE_EQ(xyz[1], 1.0);
  EXPECT_DOUBLE_EQ(xyz[2], -1.5);
  info_->itemParam(ball, PARAM_WORLD_POSITION, 1.0 / 30.0, xyz);
  EXPECT_THAT(host_.calls(), ElementsAre("itemParam(1, 8, 0.5)", "itemParam(1, 8, 0.0333333)"));
}

TEST_F(Items, UnknownItemsOrParametersFillZeros) {
  ItemId ball = host_.addItem({ItemKind::Object, "Ball", [](double) { return Vector3{1, 2, 3}; }});
  ItemId still = host_.addItem({ItemKind::Object, "Still", nullptr});
  struct Case {
    ItemId item;
    std::int32_t parameter;
  } cases[] = {{0, PARAM_WORLD_POSITION}, {99, PARAM_WORLD_POSITION}, {ball, 3},
               {still, PARAM_WORLD_POSITION}};
  for (const Case& c : cases) {
    double xyz[3] = {9, 9, 9};
    info_->itemParam(c.item, c.parameter, 1.0, xyz);
    EXPECT_EQ(xyz[0], 0.0) << c.item << " " << c.parameter;
    EXPECT_EQ(xyz[1], 0.0) << c.item << " " << c.parameter;
    EXPECT_EQ(xyz[2], 0.0) << c.item << " " << c.parameter;
  }
}

}  // namespace
}  // namespace hostsim
