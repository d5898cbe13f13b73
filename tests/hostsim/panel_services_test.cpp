// Panels and controls of the stand-in host: creation and its failures, the
// descriptors in the log, the walk over a panel's controls, destruction and
// drawing.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "hostsim/hostsim.h"

namespace hostsim {
namespace {

using ::testing::ElementsAre;

class Panels : public ::testing::Test {
 protected:
  PanelControl* add(PanelHandle panel, const char* type, const char* label,
                    std::intptr_t kind = CONTROL_KIND_INTEGER, std::intptr_t word1 = 0) {
    ControlDescriptor d{{kind, word1, 0, 0, 0, 0}};
    return services_->addControl(panel, type, &d, label);
  }
  HostSim host_;
  PanelServices* services_ = host_.panelServices();
};

TEST_F(Panels, AreNamedOverTheHostsLifeAndFailOnceAsked) {
  services_->destroyPanel(services_->createPanel("Quorvel  ver.1.0  by Nemra", services_));
  PanelHandle second = services_->createPanel("Other", services_);
  host_.failCreatePanel();
  EXPECT_EQ(services_->createPanel("A", services_), nullptr);
  EXPECT_EQ(services_->createPanel("B", services_), nullptr);
  EXPECT_THAT(host_.livePanels(), ElementsAre(second));
  EXPECT_THAT(host_.calls(),
              ElementsAre("createPanel(\"Quorvel  ver.1.0  by Nemra\") -> panel1",
                          "destroyPanel(panel1)", "createPanel(\"Other\") -> panel2",
                          "createPanel(\"A\") -> null", "createPanel(\"B\") -> null"));
}

TEST_F(Panels, FailAddControlAtCountsCallsOverTheHostsLife) {
  PanelHandle p1 = services_->createPanel("A", services_);
  PanelHandle p2 = services_->createPanel("B", services_);
  host_.failAddControlAt(3);
  EXPECT_NE(add(p1, "NumControl", "One"), nullptr);
  EXPECT_NE(add(p2, "NumControl", "Two"), nullptr);
  EXPECT_EQ(add(p2, "NumControl", "Three"), nullptr);
  EXPECT_NE(add(p2, "NumControl", "Four"), nullptr);
  EXPECT_EQ(host_.controlLabelled("Three"), nullptr);
  EXPECT_EQ(host_.callsTo("addControl")[2],
            "addControl(panel2, \"NumControl\", [2, 0, 0, 0, 0, 0], \"Three\") -> null");
}

TEST_F(Panels, DescriptorsShowTheLookupAndTheChoiceLabels) {
  PanelHandle panel = services_->createPanel("A", services_);
  const char* choices[] = {"Object", "Camera", nullptr};
  host_.clearCalls();
  add(panel, "LWListControl", "Item", 16, reinterpret_cast<std::intptr_t>(HostSim::lookup()));
  add(panel, "ChoiceControl", "TargetVar", 9, reinterpret_cast<std::intptr_t>(choices));
  add(panel, "ChoiceControl", "Empty", 9);
  add(panel, "NumControl", nullptr, 2, -4);
  int stranger = 0;
  add(&stranger, "NumControl", "Lost");
  EXPECT_THAT(host_.calls(),
              ElementsAre("addControl(panel1, \"LWListControl\", [16, lookup, 0, 0, 0, 0], "
                          "\"Item\") -> Item",
                          "addControl(panel1, \"ChoiceControl\", [9, [\"Object\", \"Camera\"], "
                          "0, 0, 0, 0], \"TargetVar\") -> TargetVar",
                          "addControl(panel1, \"ChoiceControl\", [9, null, 0, 0, 0, 0], "
                          "\"Empty\") -> Empty",
                          "addControl(panel1, \"NumControl\", [2, -4, 0, 0, 0, 0], null) "
                          "-> control4",
                          "addControl(unknown, \"NumControl\", [2, 0, 0, 0, 0, 0], \"Lost\") "
                          "-> null"));
}

TEST_F(Panels, NextControlWalksOnePanelInCreationOrder) {
  PanelHandle panel = services_->createPanel("A", services_);
  PanelHandle other = services_->createPanel("B", services_);
  EXPECT_EQ(services_->nextControl(panel, nullptr), nullptr);
  PanelControl* item = add(panel, "LWListControl", "Item");
  PanelControl* foreign = add(other, "NumControl", "Foreign");
  PanelControl* target = add(panel, "LWListControl", "Target");
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

// Whatever is still alive is freed with the host; LeakSanitizer checks it.
TEST_F(Panels, DestroyFreesThatPanelsControlsOnly) {
  PanelHandle panel = services_->createPanel("A", services_);
  PanelHandle other = services_->createPanel("B", services_);
  add(panel, "NumControl", "Gone");
  PanelControl* kept = add(other, "NumControl", "Kept");
  services_->destroyPanel(panel);
  services_->destroyPanel(panel);
  EXPECT_EQ(host_.controlLabelled("Gone"), nullptr);
  EXPECT_EQ(host_.controlLabelled("Kept"), kept);
  EXPECT_THAT(host_.callsTo("destroyPanel"),
              ElementsAre("destroyPanel(panel1)", "destroyPanel(unknown)"));
}

TEST_F(Panels, SetPanelAttrStoresOnlyTheHeight) {
  PanelHandle panel = services_->createPanel("A", services_);
  std::intptr_t height = 182;
  std::intptr_t other = 5;
  EXPECT_EQ(services_->setPanelAttr(panel, PANEL_ATTR_H, &height), 1);
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
  PanelControl* target = add(panel, "LWListControl", "Target");
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
