// The scripted user: what openPanel does with the script, the user events it
// fires, and how the result reads in the call log.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "hostsim/hostsim.h"

namespace hostsim {
namespace {

using ::testing::ElementsAre;

// What a user event saw when the host called it.
struct EventSeen {
  HostSim* host = nullptr;
  PanelControl* control = nullptr;
  std::intptr_t valueSeen = -1;
  int calls = 0;
};

void recordEvent(PanelControl* control, void* userData) {
  auto* seen = static_cast<EventSeen*>(userData);
  ++seen->calls;
  seen->control = control;
  seen->valueSeen = seen->host->control(control).value;
  control->drawControl(control, DRAW_GHOSTED);
}

class UserScript : public ::testing::Test {
 protected:
  UserScript() {
    ControlDescriptor list{{CONTROL_KIND_ITEM_LIST, 0, 0, 0, 0, 0}};
    ControlDescriptor text{{CONTROL_KIND_TEXT, 30, 0, 0, 0, 0}};
    ControlDescriptor choice{{CONTROL_KIND_CHOICE, 0, 0, 0, 0, 0}};
    item_ = services_->addControl(panel_, "LWListControl", &list, "Item");
    path_ = services_->addControl(panel_, "FileControl", &text, "env_name");
    choice_ = services_->addControl(panel_, "ChoiceControl", &choice, "TargetVar");
    seen_.host = &host_;
    host_.control(choice_).userEvent = &recordEvent;
    host_.control(choice_).userData = &seen_;
    host_.clearCalls();
  }
  HostSim host_;
  PanelServices* services_ = host_.panelServices();
  PanelHandle panel_ = services_->createPanel("A", services_);
  PanelControl* item_;
  PanelControl* path_;
  PanelControl* choice_;
  EventSeen seen_;
};

TEST_F(UserScript, ActionsRunInOrderAndFireTheUserEventAfterTheChange) {
  EXPECT_EQ(host_.lastOpenResult(), -1);
  host_.scriptUser({userSetsValue("Item", 3), userTypesText("env_name", "x.env"),
                    userSetsValue("Nope", 2), userSetsValue("TargetVar", 1)});
  EXPECT_EQ(services_->openPanel(panel_, 7), 1);
  EXPECT_EQ(host_.lastOpenResult(), 1);
  EXPECT_EQ(host_.control(item_).value, 3);
  EXPECT_EQ(host_.control(path_).text, "x.env");
  EXPECT_EQ(seen_.calls, 1);
  EXPECT_EQ(seen_.control, choice_);
  EXPECT_EQ(seen_.valueSeen, 1);
  EXPECT_THAT(host_.calls(),
              ElementsAre("openPanel(panel1, 7) -> 1", "user: Item = 3",
                          "user: env_name = \"x.env\"", "user: Nope = 2 -> no such control",
                          "user: TargetVar = 1", "drawControl(TargetVar, 2)", "user: OK"));
}

TEST_F(UserScript, CloseEndsTheScriptWithItsResultAndUsesItUp) {
  struct Case {
    UserAction close;
    int result;
    const char* line;
  } cases[] = {{userClosesWithOk(), 1, "user: OK"}, {userCancels(), 0, "user: cancel"}};
  for (const Case& c : cases) {
    host_.clearCalls();
    host_.scriptUser({c.close, userSetsValue("Item", 9)});
    EXPECT_EQ(services_->openPanel(panel_, 7), c.result);
    EXPECT_EQ(host_.lastOpenResult(), c.result);
    EXPECT_EQ(host_.control(item_).value, 0) << "an action after the close ran";
    EXPECT_THAT(host_.calls(), ElementsAre("openPanel(panel1, 7) -> " + std::to_string(c.result),
                                           c.line));
  }
  EXPECT_EQ(services_->openPanel(panel_, 7), 1) << "the script was not used up";
}

TEST_F(UserScript, AnEventThatDestroysThePanelEndsTheScriptAsCancelled) {
  static PanelServices* services;
  services = services_;
  host_.control(choice_).userData = panel_;
  host_.control(choice_).userEvent = [](PanelControl*, void* panel) {
    services->destroyPanel(panel);
  };
  host_.scriptUser({userSetsValue("TargetVar", 1), userSetsValue("Item", 4)});
  EXPECT_EQ(services_->openPanel(panel_, 7), 0);
  EXPECT_EQ(host_.livePanelCount(), 0);
  EXPECT_THAT(host_.calls(), ElementsAre("openPanel(panel1, 7) -> 0", "user: TargetVar = 1",
                                         "destroyPanel(panel1)"));
}

}  // namespace
}  // namespace hostsim
