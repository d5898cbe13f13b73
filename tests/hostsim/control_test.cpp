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
  int setText(PanelControl* control, const char* text, std::int32_t length) {
    ControlValue value{};
    value.string = StringValue{VALUE_STRING, const_cast<char*>(text), length};
    return control->setAttr(control, ATTR_VALUE, &value);
  }
  int getText(PanelControl* control, char* buffer, std::int32_t capacity) {
    ControlValue value{};
    value.string = StringValue{VALUE_STRING, buffer, capacity};
    return control->getAttr(control, ATTR_VALUE, &value);
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
  } cases[] = {{"LWListControl", "Item", 32, 150},    {"FileControl", "env_name", 64, 240},
               {"NumControl", "Max Frame", 72, 64},   {"ChoiceControl", "TargetVar", 72, 120},
               {"ButtonControl", "", 0, 100},         {"NumControl", nullptr, 0, 64}};
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

TEST_F(Controls, HotRectangleMovesWithTheControl) {
  PanelControl* item = add("LWListControl", CONTROL_KIND_ITEM_LIST, "Item");
  EXPECT_EQ(set(item, ATTR_X, 68), 1);
  EXPECT_EQ(set(item, ATTR_Y, 60), 1);
  EXPECT_EQ(set(item, ATTR_W, 132), 1);
  ControlState& state = host_.control(item);
  EXPECT_EQ(state.hotX, 100);
  EXPECT_EQ(state.hotY, 60);
  EXPECT_EQ(state.hotW, 100);
  EXPECT_EQ(state.hotH, 20);
  EXPECT_EQ(set(item, ATTR_LABEL_WIDTH, 40), 1);
  EXPECT_EQ(get(item, ATTR_HOT_X), 108);
  EXPECT_EQ(get(item, ATTR_HOT_W), 92);
  EXPECT_THAT(host_.callsTo("setAttr"),
              ElementsAre("setAttr(Item, ATTR_X, 68)", "setAttr(Item, ATTR_Y, 60)",
                          "setAttr(Item, ATTR_W, 132)", "setAttr(Item, ATTR_LABEL_WIDTH, 40)"));
}

TEST_F(Controls, IntegerValuesCarryIdsAndPointers) {
  PanelControl* choice = add("ChoiceControl", CONTROL_KIND_CHOICE, "TargetVar");
  int context = 0;
  UserEventFunction event = [](PanelControl*, void*) {};
  host_.clearCalls();
  set(choice, ATTR_VALUE, 1);
  set(choice, ATTR_USER_DATA, reinterpret_cast<std::intptr_t>(&context));
  set(choice, ATTR_USER_EVENT, reinterpret_cast<std::intptr_t>(event));
  EXPECT_EQ(get(choice, ATTR_VALUE), 1);
  EXPECT_EQ(host_.control(choice).userData, &context);
  EXPECT_EQ(host_.control(choice).userEvent, event);
  EXPECT_EQ(get(choice, ATTR_USER_EVENT), reinterpret_cast<std::intptr_t>(event));
  EXPECT_THAT(host_.calls(),
              ElementsAre("setAttr(TargetVar, ATTR_VALUE, 1)",
                          "setAttr(TargetVar, ATTR_USER_DATA, <pointer>)",
                          "setAttr(TargetVar, ATTR_USER_EVENT, <function>)",
                          "getAttr(TargetVar, ATTR_VALUE) -> 1",
                          "getAttr(TargetVar, ATTR_USER_EVENT) -> <function>"));
}

TEST_F(Controls, ReportTheirPanelAndServicesUnlessATestChangedThem) {
  PanelControl* k = add("NumControl", CONTROL_KIND_INTEGER, "k");
  EXPECT_EQ(get(k, ATTR_PANEL), reinterpret_cast<std::intptr_t>(panel_));
  EXPECT_EQ(get(k, ATTR_PANEL_SERVICES), reinterpret_cast<std::intptr_t>(services_));
  host_.control(k).panel = nullptr;
  host_.control(k).panelServices = nullptr;
  EXPECT_EQ(get(k, ATTR_PANEL), 0);
  EXPECT_EQ(get(k, ATTR_PANEL_SERVICES), 0);
  EXPECT_EQ(set(k, ATTR_PANEL, 5), 0);
  EXPECT_THAT(host_.callsTo("getAttr"),
              ElementsAre("getAttr(k, ATTR_PANEL) -> panel1",
                          "getAttr(k, ATTR_PANEL_SERVICES) -> services",
                          "getAttr(k, ATTR_PANEL) -> null", "getAttr(k, ATTR_PANEL_SERVICES) -> null"));
}

TEST_F(Controls, TextIsCopiedTerminatedWithinTheCapacity) {
  PanelControl* path = add("FileControl", CONTROL_KIND_TEXT, "env_name");
  const char source[] = "/dir/quorvel.env and more";
  EXPECT_EQ(setText(path, source, 16), 1);
  EXPECT_EQ(host_.control(path).text, "/dir/quorvel.env");
  struct Case {
    std::int32_t capacity;
    const char* expected;
  } cases[] = {{256, "/dir/quorvel.env"}, {17, "/dir/quorvel.env"}, {16, "/dir/quorvel.en"},
               {1, ""}};
  for (const Case& c : cases) {
    char buffer[256];
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(getText(path, buffer, c.capacity), 1);
    EXPECT_STREQ(buffer, c.expected) << c.capacity;
    EXPECT_EQ(buffer[std::strlen(c.expected) + 1], 'X') << "wrote past the NUL";
  }
  EXPECT_THAT(host_.callsTo("setAttr"),
              ElementsAre("setAttr(env_name, ATTR_VALUE, \"/dir/quorvel.env\")"));
  EXPECT_EQ(host_.callsTo("getAttr")[2], "getAttr(env_name, ATTR_VALUE) -> \"/dir/quorvel.en\"");
}

TEST_F(Controls, UnterminatedCopiesFillTheCapacityWithoutANul) {
  PanelControl* path = add("FileControl", CONTROL_KIND_TEXT, "env_name");
  setText(path, "abcdef", 6);
  host_.copyTextsUnterminated(true);
  struct Case {
    std::int32_t capacity;
    const char* expected;  // the buffer's first 8 bytes after the copy
  } cases[] = {{4, "abcdXXXX"}, {6, "abcdefXX"}, {8, "abcdefXX"}};
  for (const Case& c : cases) {
    char buffer[8];
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(getText(path, buffer, c.capacity), 1);
    EXPECT_EQ(std::string(buffer, sizeof buffer), c.expected) << c.capacity;
  }
}

TEST_F(Controls, SetTextStopsAtANulAndRefusesBadLengths) {
  PanelControl* path = add("FileControl", CONTROL_KIND_TEXT, "env_name");
  const char withNul[] = {'a', 'b', '\0', 'c'};
  EXPECT_EQ(setText(path, withNul, 4), 1);
  EXPECT_EQ(host_.control(path).text, "ab");
  EXPECT_EQ(setText(path, "x", -1), 0);
  EXPECT_EQ(setText(path, nullptr, 3), 0);
  EXPECT_EQ(host_.control(path).text, "ab");
  EXPECT_EQ(setText(path, nullptr, 0), 1);
  EXPECT_EQ(host_.control(path).text, "");
}

TEST_F(Controls, RefusedRequestsChangeNothing) {
  PanelControl* path = add("FileControl", CONTROL_KIND_TEXT, "env_name");
  PanelControl* number = add("NumControl", CONTROL_KIND_INTEGER, "Max Frame");
  setText(path, "keep", 4);
  host_.clearCalls();
  ControlValue integer{};
  integer.integer = IntegerValue{VALUE_INTEGER, 7};
  char buffer[8] = "unused";
  ControlValue text{};
  text.string = StringValue{VALUE_STRING, buffer, sizeof buffer};
  EXPECT_EQ(path->setAttr(path, ATTR_VALUE, &integer), 0);   // a text takes no integer
  EXPECT_EQ(path->getAttr(path, ATTR_VALUE, &integer), 0);
  EXPECT_EQ(number->setAttr(number, ATTR_X, &text), 0);      // an integer takes no text
  EXPECT_EQ(number->getAttr(number, ATTR_VALUE, &text), 0);
  EXPECT_EQ(number->getAttr(number, 99, &integer), 0);
  EXPECT_EQ(number->setAttr(number, ATTR_X, nullptr), 0);
  char tiny[1] = {'Z'};
  text.string = StringValue{VALUE_STRING, tiny, 0};
  EXPECT_EQ(path->getAttr(path, ATTR_VALUE, &text), 0);
  EXPECT_EQ(tiny[0], 'Z');
  EXPECT_EQ(integer.integer.value, 7);
  EXPECT_STREQ(buffer, "unused");
  EXPECT_EQ(text.string.text, tiny);
  EXPECT_EQ(host_.control(path).text, "keep");
  EXPECT_EQ(host_.control(number).x, 0);
  EXPECT_THAT(host_.calls(),
              ElementsAre("setAttr(env_name, ATTR_VALUE, <record of type 2>) -> refused",
                          "getAttr(env_name, ATTR_VALUE) -> refused",
                          "setAttr(Max Frame, ATTR_X, <record of type 1>) -> refused",
                          "getAttr(Max Frame, ATTR_VALUE) -> refused",
                          "getAttr(Max Frame, 99) -> refused",
                          "setAttr(Max Frame, ATTR_X, null) -> refused",
                          "getAttr(env_name, ATTR_VALUE) -> refused"));
}

}  // namespace
}  // namespace hostsim
