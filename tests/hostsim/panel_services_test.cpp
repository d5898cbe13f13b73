// Panels and controls of the stand-in host: creation and its failures, the
// descriptors in the log, the walk over a panel's controls, destruction and
// drawing.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "hostsim/hostsim.h"

namespace hostsim {
namespace {

using ::testing::ElementsAre;

ControlDescriptor descriptor(std::intptr_t w0, std::intptr_t w1 = 0, std::intptr_t w2 = 0) {
  return ControlDescriptor{{w0, w1, w2, 0, 0, 0}};
}

class Panels : public ::testing::Test {
 protected:
  PanelControl* add(PanelHandle panel, const char* type, ControlDescriptor d, const char* label) {
    return services_->addControl(panel, type, &d, label);
  }
  HostSim host_;
  PanelServices* services_ = host_.panelServices();
};

TEST_F(Panels, AreNamedInCreationOrderOverTheHostsLife) {
  PanelHandle first = services_->createPanel("Quorvel  ver.1.0  by Nemra", services_);
  services_->destroyPanel(first);
  PanelHandle second = services_->createPanel("Other", services_);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(host_.livePanelCount(), 1);
  EXPECT_THAT(host_.livePanels(), ElementsAre(second));
  EXPECT_THAT(host_.calls(), ElementsAre("createPanel(\"Quorvel  ver.1.0  by Nemra\") -> panel1",
                                         "destroyPanel(panel1)", "createPanel(\"Other\") -> panel2"));
}

TEST_F(Panels, FailCreatePanelFailsEveryLaterCreation) {
  host_.failCreatePanel();
  EXPECT_EQ(services_->createPanel("A", services_), nullptr);
  EXPECT_EQ(services_->createPanel("B", services_), nullptr);
  EXPECT_EQ(host_.livePanelCount(), 0);
  EXPECT_THAT(host_.calls(),
              ElementsAre("createPanel(\"A\") -> null", "createPanel(\"B\") -> null"));
}

TEST_F(Panels, FailAddControlAtCountsCallsOverTheHostsLife) {
  PanelHandle p1 = services_->createPanel("A", services_);
  PanelHandle p2 = services_->createPanel("B", services_);
  host_.failAddControlAt(3);
  EXPECT_NE(add(p1, "NumControl", descriptor(2), "One"), nullptr);
  EXPECT_NE(add(p2, "NumControl", descriptor(2), "Two"), nullptr);
  EXPECT_EQ(add(p2, "NumControl", descriptor(2), "Three"), nullptr);
  EXPECT_NE(add(p2, "NumControl", descriptor(2), "Four"), nullptr);
  EXPECT_EQ(host_.controlLabelled("Three"), nullptr);
  EXPECT_THAT(host_.callsTo("addControl"),
              ElementsAre("addControl(panel1, \"NumControl\", [2, 0, 0, 0, 0, 0], \"One\") -> One",
                          "addControl(panel2, \"NumControl\", [2, 0, 0, 0, 0, 0], \"Two\") -> Two",
                          "addControl(panel2, \"NumControl\", [2, 0, 0, 0, 0, 0], \"Three\") -> null",
                          "addControl(panel2, \"NumControl\", [2, 0, 0, 0, 0, 0], \"Four\") -> Four"));
}

TEST_F(Panels, DescriptorsShowTheLookupAndTheChoiceLabels) {
  PanelHandle panel = services_->createPanel("A", services_);
  const char* choices[] = {"Object", "Camera", nullptr};
  auto lookup = reinterpret_cast<std::intptr_t>(HostSim::lookup());
  host_.clearCalls();
  add(panel, "LWListControl", descriptor(16, lookup), "Item");
  add(panel, "FileControl", descriptor(1, 30), "env_name");
  add(panel, "ChoiceControl", descriptor(9, reinterpret_cast<std::intptr_t>(choices)), "TargetVar");
  add(panel, "ChoiceControl", descriptor(9), "Empty");
  add(panel, "NumControl", descriptor(2, -4), nullptr);
  EXPECT_THAT(
      host_.calls(),
      ElementsAre("addControl(panel1, \"LWListControl\", [16, lookup, 0, 0, 0, 0], \"Item\") -> Item",
                  "addControl(panel1, \"FileControl\", [1, 30, 0, 0, 0, 0], \"env_name\") -> env_name",
                  "addControl(panel1, \"ChoiceControl\", [9, [\"Object\", \"Camera\"], 0, 0, 0, 0], "
                  "\"TargetVar\") -> TargetVar",
                  "addControl(panel1, \"ChoiceControl\", [9, null, 0, 0, 0, 0], \"Empty\") -> Empty",
                  "addControl(panel1, \"NumControl\", [2, -4, 0, 0, 0, 0], null) -> control5"));
}

TEST_F(Panels, RefuseControlsWithoutAPanelTypeOrDescriptor) {
  PanelHandle panel = services_->createPanel("A", services_);
  ControlDescriptor d = descriptor(2);
  int stranger = 0;
  EXPECT_EQ(services_->addControl(nullptr, "NumControl", &d, "A"), nullptr);
  EXPECT_EQ(services_->addControl(&stranger, "NumControl", &d, "B"), nullptr);
  EXPECT_EQ(services_->addControl(panel, nullptr, &d, "C"), nullptr);
  EXPECT_EQ(services_->addControl(panel, "NumControl", nullptr, "D"), nullptr);
  EXPECT_EQ(services_->nextControl(panel, nullptr), nullptr);
  EXPECT_THAT(host_.callsTo("addControl"),
              ElementsAre("addControl(null, \"NumControl\", [2, 0, 0, 0, 0, 0], \"A\") -> null",
                          "addControl(unknown, \"NumControl\", [2, 0, 0, 0, 0, 0], \"B\") -> null",
                          "addControl(panel1, null, [2, 0, 0, 0, 0, 0], \"C\") -> null",
                          "addControl(panel1, \"NumControl\", null, \"D\") -> null"));
}

TEST_F(Panels, NextControlWalksInCreationOrder) {
  PanelHandle panel = services_->createPanel("A", services_);
  PanelHandle other = services_->createPanel("B", services_);
  EXPECT_EQ(services_->nextControl(panel, nullptr), nullptr);
  PanelControl* item = add(panel, "LWListControl", descriptor(16), "Item");
  PanelControl* foreign = add(other, "NumControl", descriptor(2), "Foreign");
  PanelControl* target = add(panel, "LWListControl", descriptor(16), "Target");
  host_.clearCalls();
  EXPECT_EQ(services_->nextControl(panel, nullptr), item);
  EXPECT_EQ(services_->nextControl(panel, item), target);
  EXPECT_EQ(services_->nextControl(panel, target), nullptr);
  EXPECT_EQ(services_->nextControl(panel, foreign), nullptr);
  EXPECT_THAT(host_.calls(), ElementsAre("nextControl(panel1, null) -> Item",
                                         "nextControl(panel1, Item) -> Target",
                                         "nextControl(panel1, Target) -> null",
                                         "nextControl(panel1, Foreign) -> null"));
}

TEST_F(Panels, DestroyFreesThePanelsControlsOnly) {
  PanelHandle panel = services_->createPanel("A", services_);
  PanelHandle other = services_->createPanel("B", services_);
  add(panel, "NumControl", descriptor(2), "Gone");
  PanelControl* kept = add(other, "NumControl", descriptor(2), "Kept");
  services_->destroyPanel(panel);
  services_->destroyPanel(panel);
  EXPECT_EQ(host_.controlLabelled("Gone"), nullptr);
  EXPECT_EQ(host_.controlLabelled("Kept"), kept);
  EXPECT_EQ(services_->nextControl(panel, nullptr), nullptr);
  EXPECT_THAT(host_.callsTo("destroyPanel"),
              ElementsAre("destroyPanel(panel1)", "destroyPanel(unknown)"));
  // Whatever is still alive is freed with the host (LeakSanitizer checks).
}

TEST_F(Panels, SetPanelAttrStoresTheHeight) {
  PanelHandle panel = services_->createPanel("A", services_);
  std::intptr_t height = 182;
  EXPECT_EQ(services_->setPanelAttr(panel, PANEL_ATTR_H, &height), 1);
  EXPECT_EQ(host_.panelHeight(panel), 182);
  std::intptr_t other = 5;
  EXPECT_EQ(services_->setPanelAttr(panel, 2, &other), 0);
  EXPECT_EQ(services_->setPanelAttr(panel, PANEL_ATTR_H, nullptr), 0);
  EXPECT_EQ(host_.panelHeight(panel), 182);
  EXPECT_THAT(host_.callsTo("setPanelAttr"),
              ElementsAre("setPanelAttr(panel1, PANEL_ATTR_H, 182)",
                          "setPanelAttr(panel1, 2, 5) -> refused",
                          "setPanelAttr(panel1, PANEL_ATTR_H, null) -> refused"));
}

TEST_F(Panels, DrawingIsLogged) {
  PanelHandle panel = services_->createPanel("A", services_);
  PanelControl* target = add(panel, "LWListControl", descriptor(16), "Target");
  host_.clearCalls();
  services_->drawTable->drawLine(panel, 4100, 10, 20, 110, 20);
  services_->drawTable->drawBox(panel, 1, 5, 20, 105, 60);
  target->drawControl(target, DRAW_GHOSTED);
  EXPECT_EQ(host_.control(target).drawMode, DRAW_GHOSTED);
  EXPECT_THAT(host_.calls(), ElementsAre("drawLine(panel1, 4100, 10, 20, 110, 20)",
                                         "drawBox(panel1, 1, 5, 20, 105, 60)",
                                         "drawControl(Target, 2)"));
}

}  // namespace
}  // namespace hostsim
