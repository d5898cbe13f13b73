// A control's attributes as the module reads and writes them: geometry and
// its hot rectangle, integer values, bounded text copies, the panel it
// reports, and the records the host refuses.

#include <cstring>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "hostsim/hostsim.h"

namespace hostsim {
namespace {

using ::testing::ElementsAre;

class Controls : public ::testing::Test {
 protected:
  PanelControl* add(const char* type, std::intptr_t kind, const char* label) {
    ControlDescriptor d{{kind, 0, 0, 0, 0, 0}};
    return services_->addControl(panel_, type, &d, label);
  }
  std::intptr_t get(PanelControl* control, std::int32_t attribute) {
    ControlValue value{};
    value.integer = IntegerValue{VALUE_INTEGER, -12345};
    EXPECT_EQ(control->getAttr(control, attribute, &value), 1) << attribute;
    return value.integer.value;
  }
  int set(PanelControl* control, std::int32_t attribute, std::intptr_t integer) {
    ControlValue value{};
    value.integer = IntegerValue{VALUE_INTEGER, integer};
    return control->setAttr(control, attribute, &value);
  }
  int text(PanelControl* control, bool set, const char* text, std::int32_t length) {
    ControlValue value{};
    value.string = StringValue{VALUE_STRING, const_cast<char*>(text), length};
    return set ? control->setAttr(control, ATTR_VALUE, &value)
               : control->getAttr(control, ATTR_VALUE, &value);
  }

  HostSim host_;
  PanelServices* services_ = host_.panelServices();
  PanelHandle panel_ = services_->createPanel("A", services_);
};

TEST_F(Controls, DefaultSizeIsLabelWidthPlusAFieldByType) {
  struct Case {
    const char* type;
    const char* label;
    std::int32_t labelWidth;
    std::int32_t fieldWidth;
  } cases[] = {{"LWListControl", "Item", 32, 150}, {"FileControl", "env_name", 64, 240},
               {"NumControl", "Max Frame", 72, 64}, {"ChoiceControl", "TargetVar", 72, 120},
               {"ButtonControl", "", 0, 100},       {"NumControl", nullptr, 0, 64}};
  for (const Case& c : cases) {
    PanelControl* control = add(c.type, CONTROL_KIND_INTEGER, c.label);
    SCOPED_TRACE(c.type);
    EXPECT_EQ(get(control, ATTR_LABEL_WIDTH), c.labelWidth);
    EXPECT_EQ(get(control, ATTR_W), c.labelWidth + c.fieldWidth);
    EXPECT_EQ(get(control, ATTR_H), 20);
    EXPECT_EQ(get(control, ATTR_HOT_X), c.labelWidth);
    EXPECT_EQ(get(control, ATTR_HOT_W), c.fieldWidth);
  }
}

TEST_F(Controls, HotRectangleMovesWithTheControlAndItsLabel) {
  PanelControl* item = add("LWListControl", CONTROL_KIND_ITEM_LIST, "Item");
  set(item, ATTR_X, 68);
  set(item, ATTR_Y, 60);
  set(item, ATTR_W, 132);
  const ControlState& state = host_.control(item);
  EXPECT_EQ(state.hotX, 100);
  EXPECT_EQ(state.hotY, 60);
  EXPECT_EQ(state.hotW, 100);
  EXPECT_EQ(state.hotH, 20);
  set(item, ATTR_LABEL_WIDTH, 40);
  EXPECT_EQ(state.hotX, 108);
  EXPECT_EQ(state.hotW, 92);
  EXPECT_THAT(host_.callsTo("setAttr"),
              ElementsAre("setAttr(Item, ATTR_X, 68)", "setAttr(Item, ATTR_Y, 60)",
                          "setAttr(Item, ATTR_W, 132)", "setAttr(Item, ATTR_LABEL_WIDTH, 40)"));
}

TEST_F(Controls, MovesAcrossTheWholeCoordinateRangeDoNotOverflow) {
  PanelControl* item = add("LWListControl", CONTROL_KIND_ITEM_LIST, "Item");
  set(item, ATTR_X, INT32_MIN);
  set(item, ATTR_X, INT32_MAX);
  set(item, ATTR_Y, INT32_MIN);
  const ControlState& state = host_.control(item);
  EXPECT_EQ(state.x, INT32_MAX);
  EXPECT_EQ(state.y, INT32_MIN);
  EXPECT_EQ(state.hotY, INT32_MIN);
  set(item, ATTR_X, 0);
  EXPECT_EQ(state.hotX, 32);
}

TEST_F(Controls, IntegerValuesCarryIdsPointersAndThePanel) {
  PanelControl* choice = add("ChoiceControl", CONTROL_KIND_CHOICE, "TargetVar");
  int context = 0;
  UserEventFunction event = [](PanelControl*, void*) {};
  host_.clearCalls();
  set(choice, ATTR_VALUE, 1);
  set(choice, ATTR_USER_DATA, reinterpret_cast<std::intptr_t>(&context));
  set(choice, ATTR_USER_EVENT, reinterpret_cast<std::intptr_t>(event));
  EXPECT_EQ(get(choice, ATTR_VALUE), 1);
  EXPECT_EQ(get(choice, ATTR_USER_DATA), reinterpret_cast<std::intptr_t>(&context));
  EXPECT_EQ(host_.control(choice).userEvent, event);
  EXPECT_EQ(get(choice, ATTR_PANEL), reinterpret_cast<std::intptr_t>(panel_));
  EXPECT_EQ(get(choice, ATTR_PANEL_SERVICES), reinterpret_cast<std::intptr_t>(services_));
  host_.control(choice).panelServices = nullptr;
  EXPECT_EQ(get(choice, ATTR_PANEL_SERVICES), 0);
  EXPECT_EQ(set(choice, ATTR_PANEL, 0), 0) << "the panel is the host's to say";
  EXPECT_THAT(host_.calls(),
              ElementsAre("setAttr(TargetVar, ATTR_VALUE, 1)",
                          "setAttr(TargetVar, ATTR_USER_DATA, <pointer>)",
                          "setAttr(TargetVar, ATTR_USER_EVENT, <function>)",
                          "getAttr(TargetVar, ATTR_VALUE) -> 1",
                          "getAttr(TargetVar, ATTR_USER_DATA) -> <pointer>",
                          "getAttr(TargetVar, ATTR_PANEL) -> panel1",
                          "getAttr(TargetVar, ATTR_PANEL_SERVICES) -> services",
                          "getAttr(TargetVar, ATTR_PANEL_SERVICES) -> null",
                          "setAttr(TargetVar, ATTR_PANEL, null) -> refused"));
}

TEST_F(Controls, TextCopiesStayWithinTheCallersCapacity) {
  PanelControl* path = add("FileControl", CONTROL_KIND_TEXT, "env_name");
  EXPECT_EQ(text(path, true, "/dir/quorvel.env and more", 16), 1);
  struct Case {
    bool unterminated;
    std::int32_t capacity;
    std::string expected;  // the buffer's first 20 bytes after the copy
  } cases[] = {{false, 256, std::string("/dir/quorvel.env\0XXX", 20)},
               {false, 16, std::string("/dir/quorvel.en\0XXXX", 20)},
               {false, 1, std::string("\0XXXXXXXXXXXXXXXXXXX", 20)},
               {true, 256, "/dir/quorvel.envXXXX"},
               {true, 4, "/dirXXXXXXXXXXXXXXXX"}};
  for (const Case& c : cases) {
    host_.copyTextsUnterminated(c.unterminated);
    char buffer[256];
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(text(path, false, buffer, c.capacity), 1);
    EXPECT_EQ(std::string(buffer, 20), c.expected) << c.capacity;
  }
  EXPECT_EQ(host_.callsTo("setAttr")[0], "setAttr(env_name, ATTR_VALUE, \"/dir/quorvel.env\")");
  EXPECT_EQ(host_.callsTo("getAttr")[1], "getAttr(env_name, ATTR_VALUE) -> \"/dir/quorvel.en\"");
}

TEST_F(Controls, RefusedRequestsChangeNothing) {
  PanelControl* path = add("FileControl", CONTROL_KIND_TEXT, "env_name");
  PanelControl* number = add("NumControl", CONTROL_KIND_INTEGER, "Max Frame");
  const char withNul[] = {'a', 'b', '\0', 'c'};
  EXPECT_EQ(text(path, true, withNul, 4), 1);
  host_.clearCalls();
  ControlValue integer{};
  integer.integer = IntegerValue{VALUE_INTEGER, 7};
  char buffer[] = "unused";
  ControlValue string{};
  string.string = StringValue{VALUE_STRING, buffer, sizeof buffer};
  EXPECT_EQ(path->setAttr(path, ATTR_VALUE, &integer), 0);
  EXPECT_EQ(path->getAttr(path, ATTR_VALUE, &integer), 0);
  EXPECT_EQ(number->setAttr(number, ATTR_X, &string), 0);
  EXPECT_EQ(number->getAttr(number, ATTR_VALUE, &string), 0);
  EXPECT_EQ(number->getAttr(number, 99, &integer), 0);
  EXPECT_EQ(number->setAttr(number, ATTR_X, nullptr), 0);
  EXPECT_EQ(text(path, true, nullptr, 3), 0);
  EXPECT_EQ(text(path, true, "x", -1), 0);
  EXPECT_EQ(text(path, false, buffer, 0), 0);
  EXPECT_EQ(integer.integer.value, 7);
  EXPECT_STREQ(buffer, "unused");
  EXPECT_EQ(host_.control(path).text, "ab");
  EXPECT_EQ(host_.control(number).x, 0);
  EXPECT_THAT(host_.calls(),
              ElementsAre("setAttr(env_name, ATTR_VALUE, <record of type 2>) -> refused",
                          "getAttr(env_name, ATTR_VALUE) -> refused",
                          "setAttr(Max Frame, ATTR_X, <record of type 1>) -> refused",
                          "getAttr(Max Frame, ATTR_VALUE) -> refused",
                          "getAttr(Max Frame, 99) -> refused",
                          "setAttr(Max Frame, ATTR_X, null) -> refused",
                          "setAttr(env_name, ATTR_VALUE, <bad text>) -> refused",
                          "setAttr(env_name, ATTR_VALUE, <bad text>) -> refused",
                          "getAttr(env_name, ATTR_VALUE) -> refused"));
}

}  // namespace
}  // namespace hostsim
