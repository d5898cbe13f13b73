// Round chart axes: every range gets ticks on round numbers that cover it.

#include "tools/axis_scale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// True when `step` is 1, 2 or 5 times a power of ten.
bool isRoundStep(double step) {
  double magnitude = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
  double leading = step / magnitude;
  return std::fabs(leading - 1) < 1e-9 || std::fabs(leading - 2) < 1e-9 ||
         std::fabs(leading - 5) < 1e-9;
}

struct Range {
  double minimum;
  double maximum;
  int ticks;
  double smallestStep;
};

TEST(AxisScale, CoversTheRangeWithAFewRoundTicks) {
  const Range cases[] = {
      {0, 59, 10, 1},     {0, 1, 10, 1},    {0, 10.049876, 6, 0}, {2.3, 2.31, 6, 0},
      {-7, 3, 6, 0},      {0, 0, 6, 0},     {5, 5, 6, 0},         {0, 123456789, 6, 0},
      {0, 1e-7, 6, 0},    {0, 3, 10, 1},
  };
  for (const Range& range : cases) {
    AxisScale scale = roundAxisScale(range.minimum, range.maximum, range.ticks, range.smallestStep);
    std::vector<double> ticks = axisTicks(scale);
    EXPECT_LE(scale.low, range.minimum) << range.minimum << ".." << range.maximum;
    EXPECT_GE(scale.high, range.maximum) << range.minimum << ".." << range.maximum;
    EXPECT_LT(scale.low, scale.high) << range.minimum << ".." << range.maximum;
    EXPECT_GE(scale.step, range.smallestStep);
    EXPECT_TRUE(isRoundStep(scale.step)) << scale.step;
    EXPECT_GE(ticks.size(), 2u);
    EXPECT_LE(ticks.size(), static_cast<std::size_t>(2 * range.ticks + 1));
    EXPECT_DOUBLE_EQ(ticks.front(), scale.low);
    EXPECT_NEAR(ticks.back(), scale.high, scale.step * 1e-9);
  }
}

TEST(AxisScale, FrameAxesStepByWholeFrames) {
  AxisScale scale = roundAxisScale(0, 3, 10, 1);
  EXPECT_EQ(scale.step, 1);
  EXPECT_EQ(axisTicks(scale), (std::vector<double>{0, 1, 2, 3}));
}

TEST(AxisScale, BoundsThatCannotBeDrawnGiveZeroToOne) {
  const std::pair<double, double> cases[] = {
      {std::nan(""), 1.0}, {0.0, HUGE_VAL}, {-1e308, 1e308}, {2.0, 1.0}};
  for (auto [minimum, maximum] : cases) {
    AxisScale scale = roundAxisScale(minimum, maximum, 6, 0);
    EXPECT_EQ(scale.low, 0);
    EXPECT_EQ(scale.high, 1);
    EXPECT_LE(axisTicks(scale).size(), 13u);
  }
}

TEST(AxisScale, LabelsCarryTheDecimalsTheStepNeeds) {
  AxisScale tenths{0, 1, 0.2};
  AxisScale hundredths{0, 0.1, 0.05};
  AxisScale tens{0, 100, 20};
  EXPECT_EQ(tickLabel(0.6000000000000001, tenths), "0.6");
  EXPECT_EQ(tickLabel(0.05, hundredths), "0.05");
  EXPECT_EQ(tickLabel(40, tens), "40");
  EXPECT_EQ(tickLabel(-1e-17, tenths), "0.0");
  EXPECT_EQ(tickLabel(2e20, AxisScale{0, 5e20, 1e20}), "2e+20");
}

}  // namespace
