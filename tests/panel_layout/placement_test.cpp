// Placing, measuring and aligning controls: the exact reads and writes each
// helper makes through the host, in order.

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <utility>

#include "panel_layout/panel_layout.h"
#include "tests/panel_layout/panel_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::int32_t INT_MAX32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t INT_MIN32 = std::numeric_limits<std::int32_t>::min();

using PlacementTest = PanelFixture;

TEST_F(PlacementTest, PlaceControlPutsTheFieldAtTheColumnWritingXThenY) {
  struct Case {
    std::int32_t labelWidth, x, row, expectedX, expectedY;
  };
  const Case cases[] = {{60, 100, 3, 40, 60}, {120, 100, 3, -20, 60}, {0, 250, 0, 250, 0}};
  for (const Case& c : cases) {
    PanelControl* item = addControl("Item", {.x = 7, .y = 9, .labelWidth = c.labelWidth});
    host.clearCalls();
    placeControl(item, c.x, c.row);
    EXPECT_THAT(calls(), ElementsAre(readLine("Item", "ATTR_LABEL_WIDTH", c.labelWidth),
                                     writeLine("Item", "ATTR_X", c.expectedX),
                                     writeLine("Item", "ATTR_Y", c.expectedY)));
  }
}

// What the last setPanelAttr through a capturing table received.
std::intptr_t* capturedAddress = nullptr;
int captureSetPanelAttr(PanelHandle, std::int32_t, std::intptr_t* value) {
  capturedAddress = value;
  return 1;
}

TEST_F(PlacementTest, SetPanelRowsGivesTwentySixUnitsPerRowThroughThePayloadInteger) {
  setPanelRows(services, panel, 7);
  setPanelRows(services, panel, 0);
  EXPECT_THAT(calls(), ElementsAre("setPanelAttr(panel1, PANEL_ATTR_H, 182)",
                                   "setPanelAttr(panel1, PANEL_ATTR_H, 0)"));

  PanelServices capturing = *services;
  capturing.setPanelAttr = captureSetPanelAttr;
  setPanelRows(&capturing, panel, 7);
  EXPECT_EQ(capturedAddress, &layoutValue.integer.value);
  EXPECT_EQ(layoutValue.type, VALUE_INTEGER);
}

TEST_F(PlacementTest, MeasuringAnEmptyPanelAsksForOneControlAndGivesZero) {
  for (auto measure : {maxLabelWidth, maxControlWidth}) {
    host.clearCalls();
    EXPECT_EQ(measure(services, panel), 0);
    EXPECT_THAT(calls(), ElementsAre("nextControl(panel1, null) -> null"));
  }
}

TEST_F(PlacementTest, MeasuringWalksEveryControlAndNeverGoesBelowZero) {
  PanelControl* a = addControl("A", {.w = -4, .labelWidth = 30});
  PanelControl* b = addControl("B", {.w = -1, .labelWidth = 55});
  addControl("C", {.w = -30, .labelWidth = 55});
  host.clearCalls();

  EXPECT_EQ(maxLabelWidth(services, panel), 55);
  EXPECT_THAT(calls(),
              ElementsAre("nextControl(panel1, null) -> A", "getAttr(A, ATTR_LABEL_WIDTH) -> 30",
                          "nextControl(panel1, A) -> B", "getAttr(B, ATTR_LABEL_WIDTH) -> 55",
                          "nextControl(panel1, B) -> C", "getAttr(C, ATTR_LABEL_WIDTH) -> 55",
                          "nextControl(panel1, C) -> null"));
  EXPECT_EQ(maxControlWidth(services, panel), 0);
  host.control(a).w = 10;
  host.control(b).w = 70;
  EXPECT_EQ(maxControlWidth(services, panel), 70);
}

TEST_F(PlacementTest, CenterControlMovesByHalfTheSpareRoomTruncatedTowardZero) {
  struct Case {
    std::int32_t span, x, w, expectedX;
  };
  // Spare room 51 moves by 25; spare room -3 by -1, not -2.
  const Case cases[] = {{101, 10, 50, 35}, {10, 10, 13, 9}};
  for (const Case& c : cases) {
    PanelControl* field = addControl("Field", {.x = c.x, .y = 44, .w = c.w});
    host.clearCalls();
    centerControl(c.span, field);
    EXPECT_THAT(
        calls(),
        ElementsAre(readLine("Field", "ATTR_X", c.x), readLine("Field", "ATTR_W", c.w),
                    "getAttr(Field, ATTR_Y) -> 44", writeLine("Field", "ATTR_X", c.expectedX),
                    "setAttr(Field, ATTR_Y, 44)"));
  }
}

TEST_F(PlacementTest, AlignLabelRightStartsTheFieldAtTheColumn) {
  PanelControl* name = addControl("Name", {.x = 0, .y = 12, .labelWidth = 35});
  host.clearCalls();
  alignLabelRight(100, name);
  EXPECT_THAT(calls(),
              ElementsAre("getAttr(Name, ATTR_X) -> 0", "getAttr(Name, ATTR_LABEL_WIDTH) -> 35",
                          "getAttr(Name, ATTR_Y) -> 12", "setAttr(Name, ATTR_X, 65)",
                          "setAttr(Name, ATTR_Y, 12)"));
}

TEST_F(PlacementTest, PlaceBelowKeepsTheControlsXAndTakesTheAnchorsBottom) {
  PanelControl* anchor = addControl("Anchor", {.x = 300, .y = 20, .w = 90, .h = 18});
  PanelControl* below = addControl("Below", {.x = 7, .y = 500, .w = 40, .h = 10});
  host.clearCalls();
  placeBelow(anchor, below);
  EXPECT_THAT(calls(), ElementsAre("getAttr(Anchor, ATTR_Y) -> 20", "getAttr(Anchor, ATTR_H) -> 18",
                                   "getAttr(Below, ATTR_X) -> 7", "setAttr(Below, ATTR_X, 7)",
                                   "setAttr(Below, ATTR_Y, 38)"));
}

TEST_F(PlacementTest, PlaceInRowStopsAtTheFirstNullAndLeavesLaterControlsAlone) {
  PanelControl* anchor = addControl("Anchor", {.x = 10, .y = 40, .w = 80});
  PanelControl* one = addControl("One", {.x = 1, .y = 1, .w = 30});
  PanelControl* two = addControl("Two", {.x = 2, .y = 2, .w = 25});
  PanelControl* four = addControl("Four", {.x = 4, .y = 4, .w = 15});
  host.clearCalls();

  placeInRow(anchor, one, two, nullptr, four, nullptr);

  EXPECT_THAT(calls(), ElementsAre("getAttr(Anchor, ATTR_X) -> 10", "getAttr(Anchor, ATTR_Y) -> 40",
                                   "getAttr(Anchor, ATTR_W) -> 80", "setAttr(One, ATTR_X, 90)",
                                   "setAttr(One, ATTR_Y, 40)", "getAttr(One, ATTR_W) -> 30",
                                   "setAttr(Two, ATTR_X, 120)", "setAttr(Two, ATTR_Y, 40)"));
}

TEST_F(PlacementTest, PlaceInRowCarriesTheEdgeThroughAllFive) {
  PanelControl* anchor = addControl("Anchor", {.x = 0, .y = 60, .w = 50});
  PanelControl* row[5];
  for (int i = 0; i < 5; ++i) {
    // Each starts far from the row, so an X read back after placing would show.
    row[i] = addControl("Cell", {.x = 1000, .w = 10 * (i + 1)});
  }
  placeInRow(anchor, row[0], row[1], row[2], row[3], row[4]);
  const std::int32_t expectedX[] = {50, 60, 80, 110, 150};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(host.control(row[i]).x, expectedX[i]);
    EXPECT_EQ(host.control(row[i]).y, 60);
  }
}

TEST_F(PlacementTest, NullHandlesMakeNoHostCall) {
  PanelControl* a = addControl("A", {.x = 1, .y = 2, .w = 3, .h = 4, .labelWidth = 5});
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"centerControl", [] { centerControl(100, nullptr); }},
      {"alignLabelRight", [] { alignLabelRight(100, nullptr); }},
      {"placeBelow without anchor", [&] { placeBelow(nullptr, a); }},
      {"placeBelow without control", [&] { placeBelow(a, nullptr); }},
      {"placeInRow without anchor", [&] { placeInRow(nullptr, a, a, a, a, a); }},
      {"placeInRow without first", [&] { placeInRow(a, nullptr, a, a, a, a); }},
  };
  for (const auto& [name, call] : cases) {
    host.clearCalls();
    call();
    EXPECT_THAT(calls(), IsEmpty()) << name;
  }
}

TEST_F(PlacementTest, CoordinatesBeyondTheIntegerRangeStopAtItsEnds) {
  PanelControl* placed = addControl("Placed", {.labelWidth = 100});
  placeControl(placed, INT_MIN32 + 5, INT_MAX32 / 10);
  EXPECT_EQ(host.control(placed).x, INT_MIN32);
  EXPECT_EQ(host.control(placed).y, INT_MAX32);

  PanelControl* centred = addControl("Centred", {.x = INT_MAX32 - 10, .w = 0});
  centerControl(100, centred);
  EXPECT_EQ(host.control(centred).x, INT_MAX32);

  PanelControl* anchor = addControl("Anchor", {.y = INT_MAX32 - 5, .h = 20});
  PanelControl* below = addControl("Below", {.y = INT_MAX32 - 1});
  placeBelow(anchor, below);
  EXPECT_EQ(host.control(below).y, INT_MAX32);
}

}  // namespace
