// Framing and outlining controls: what each helper reads, in order, and the
// boxes and lines it draws, with their colours and on which panel.

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "panel_layout/panel_layout.h"
#include "tests/panel_layout/panel_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using OutlineTest = PanelFixture;

TEST_F(OutlineTest, FrameControlsDrawsTheBoundingBoxOnTheFirstControlsPanel) {
  PanelControl* first = addControl("First", {.x = 10, .y = 20, .w = 100, .h = 18});
  PanelControl* fourth = addControl("Fourth", {.x = 5, .y = 60, .w = 50, .h = 20});
  host.control(fourth).panelServices = nullptr;  // never asked: only the first one's panel counts
  host.clearCalls();

  frameControls(first, nullptr, nullptr, fourth, nullptr, nullptr);

  EXPECT_THAT(calls(),
              ElementsAre("getAttr(First, ATTR_PANEL_SERVICES) -> services",
                          "getAttr(First, ATTR_PANEL) -> panel1", "getAttr(First, ATTR_X) -> 10",
                          "getAttr(First, ATTR_Y) -> 20", "getAttr(First, ATTR_W) -> 100",
                          "getAttr(First, ATTR_H) -> 18", "getAttr(Fourth, ATTR_X) -> 5",
                          "getAttr(Fourth, ATTR_W) -> 50", "getAttr(Fourth, ATTR_Y) -> 60",
                          "getAttr(Fourth, ATTR_H) -> 20", "drawBox(panel1, 1, 5, 20, 105, 60)"));
}

TEST_F(OutlineTest, FrameControlsBoxesExactlyTheControlsGiven) {
  PanelControl* first = addControl("First", {.x = 10, .y = 20, .w = 100, .h = 18});
  PanelControl* inside = addControl("Inside", {.x = 30, .y = 30, .w = 5, .h = 5});
  PanelControl* last = addControl("Last", {.x = 100, .y = 0, .w = 50, .h = 100});

  frameControls(first, nullptr, nullptr, nullptr, nullptr, nullptr);
  frameControls(first, nullptr, inside, nullptr, nullptr, last);  // nulls skipped, not an end

  EXPECT_THAT(host.callsTo("drawBox"), ElementsAre("drawBox(panel1, 1, 10, 20, 100, 18)",
                                                   "drawBox(panel1, 1, 10, 0, 140, 100)"));
}

TEST_F(OutlineTest, OutlineControlDrawsNineLinesInTheirColours) {
  PanelControl* field =
      addControl("Field", {.x = 10, .y = 20, .w = 100, .h = 18, .labelWidth = 40});
  hostsim::ControlState& state = host.control(field);
  state.hotX = 50;
  state.hotY = 22;
  state.hotW = 56;
  state.hotH = 14;
  host.clearCalls();

  outlineControl(field);

  EXPECT_THAT(
      calls(),
      ElementsAre(
          "getAttr(Field, ATTR_PANEL_SERVICES) -> services", "getAttr(Field, ATTR_PANEL) -> panel1",
          "getAttr(Field, ATTR_X) -> 10", "getAttr(Field, ATTR_Y) -> 20",
          "getAttr(Field, ATTR_W) -> 100", "getAttr(Field, ATTR_H) -> 18",
          "getAttr(Field, ATTR_LABEL_WIDTH) -> 40", "drawLine(panel1, 4100, 10, 20, 110, 20)",
          "drawLine(panel1, 4100, 10, 38, 110, 38)", "drawLine(panel1, 4100, 10, 20, 10, 38)",
          "drawLine(panel1, 4100, 50, 20, 50, 38)", "drawLine(panel1, 4100, 110, 20, 110, 38)",
          "getAttr(Field, ATTR_HOT_X) -> 50", "getAttr(Field, ATTR_HOT_Y) -> 22",
          "getAttr(Field, ATTR_HOT_W) -> 56", "getAttr(Field, ATTR_HOT_H) -> 14",
          "drawLine(panel1, 4105, 50, 22, 106, 22)", "drawLine(panel1, 4105, 50, 36, 106, 36)",
          "drawLine(panel1, 4105, 50, 22, 50, 36)", "drawLine(panel1, 4105, 106, 22, 106, 36)"));
}

TEST_F(OutlineTest, OutlineControlDrawsTheDividerEvenOnTheLeftEdge) {
  outlineControl(addControl("Field", {.x = 10, .y = 20, .w = 100, .h = 18, .labelWidth = 0}));
  const std::vector<std::string> lines = host.callsTo("drawLine");
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[2], "drawLine(panel1, 4100, 10, 20, 10, 38)");
  EXPECT_EQ(lines[3], lines[2]);
}

TEST_F(OutlineTest, NothingIsDrawnWithoutAControlServicesPanelOrDrawingTable) {
  PanelServices withoutDrawing = *services;
  withoutDrawing.drawTable = nullptr;
  PanelControl* loose = addControl("Loose");
  host.control(loose).panelServices = nullptr;
  PanelControl* orphan = addControl("Orphan");
  host.control(orphan).panel = nullptr;
  PanelControl* blind = addControl("Blind");
  host.control(blind).panelServices = &withoutDrawing;

  const std::pair<const char*, std::function<void(PanelControl*)>> drawers[] = {
      {"frameControls", [](PanelControl* k) { frameControls(k, k, k, k, k, k); }},
      {"outlineControl", outlineControl},
  };
  for (const auto& [name, draw] : drawers) {
    SCOPED_TRACE(name);
    host.clearCalls();
    draw(nullptr);
    EXPECT_THAT(calls(), IsEmpty());
    host.clearCalls();
    draw(loose);
    EXPECT_THAT(calls(), ElementsAre("getAttr(Loose, ATTR_PANEL_SERVICES) -> null"));
    host.clearCalls();
    draw(orphan);
    EXPECT_THAT(calls(), ElementsAre("getAttr(Orphan, ATTR_PANEL_SERVICES) -> services",
                                     "getAttr(Orphan, ATTR_PANEL) -> null"));
    host.clearCalls();
    draw(blind);
    EXPECT_THAT(calls(), ElementsAre("getAttr(Blind, ATTR_PANEL_SERVICES) -> <pointer>",
                                     "getAttr(Blind, ATTR_PANEL) -> panel1"));
  }
}

TEST_F(OutlineTest, OutlineAllControlsOnAnEmptyPanelOnlyAsksForTheFirstControl) {
  outlineAllControls(services, panel);
  EXPECT_THAT(calls(), ElementsAre("nextControl(panel1, null) -> null"));
}

TEST_F(OutlineTest, OutlineAllControlsDrawsEachControlWhereItReportsItself) {
  PanelHandle otherPanel = services->createPanel("Other", services);
  addControl("A", {.x = 0, .y = 0, .w = 10, .h = 10});
  PanelControl* b = addControl("B", {.x = 0, .y = 20, .w = 10, .h = 10});
  addControl("C", {.x = 0, .y = 40, .w = 10, .h = 10});
  host.control(b).panel = otherPanel;
  host.clearCalls();

  outlineAllControls(services, panel);

  EXPECT_THAT(host.callsTo("nextControl"),
              ElementsAre("nextControl(panel1, null) -> A", "nextControl(panel1, A) -> B",
                          "nextControl(panel1, B) -> C", "nextControl(panel1, C) -> null"));
  const std::vector<std::string> lines = host.callsTo("drawLine");
  ASSERT_EQ(lines.size(), 27u);
  EXPECT_EQ(lines[0], "drawLine(panel1, 4100, 0, 0, 10, 0)");
  EXPECT_EQ(lines[9], "drawLine(panel2, 4100, 0, 20, 10, 20)");
  EXPECT_EQ(lines[17].rfind("drawLine(panel2,", 0), 0u);
  EXPECT_EQ(lines[18], "drawLine(panel1, 4100, 0, 40, 10, 40)");
}

TEST_F(OutlineTest, EdgesBeyondTheIntegerRangeStopAtItsEnds) {
  const std::int32_t max = std::numeric_limits<std::int32_t>::max();
  const std::int32_t min = std::numeric_limits<std::int32_t>::min();
  PanelControl* far = addControl("Far", {.x = max - 5, .y = 0, .w = 100, .h = 8});
  PanelControl* wide = addControl("Wide", {.x = min, .y = 0, .w = 0, .h = 8});

  outlineControl(far);
  frameControls(wide, far, nullptr, nullptr, nullptr, nullptr);

  EXPECT_EQ(host.callsTo("drawLine").at(0), "drawLine(panel1, 4100, " + std::to_string(max - 5) +
                                                ", 0, " + std::to_string(max) + ", 0)");
  EXPECT_THAT(host.callsTo("drawBox"), ElementsAre("drawBox(panel1, 1, " + std::to_string(min) +
                                                   ", 0, " + std::to_string(max) + ", 8)"));
}

}  // namespace
