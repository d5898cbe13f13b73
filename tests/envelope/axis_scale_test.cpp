// Round chart axes: every range gets a few ticks on round numbers covering it.

#include "envelope/axis_scale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// True when `step` is 1, 2 or 5 times a power of ten.
bool isRoundStep(double step) {
  double leading = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
  return std::fabs(leading - 1) < 1e-9 || std::fabs(leading - 2) < 1e-9 ||
         std::fabs(leading - 5) < 1e-9;
}

TEST(AxisScale, CoversTheRangeWithAFewRoundTicks) {
  struct Range {
    double minimum, maximum;
    int ticks;
    double smallestStep;
  };
  const Range cases[] = {{0, 59, 10, 1}, {0, 3, 10, 1}, {0, 10.049876, 6, 0}, {2.3, 2.31, 6, 0},
                         {-7, 3, 6, 0},  {5, 5, 6, 0},  {0, 1e-7, 6, 0},      {0, 123456789, 6, 0}};
  for (const Range& range : cases) {
    AxisScale scale = roundAxisScale(range.minimum, range.maximum, range.ticks, range.smallestStep);
    std::vector<double> ticks = axisTicks(scale);
    SCOPED_TRACE(std::to_string(range.minimum) + ".." + std::to_string(range.maximum));
    EXPECT_LE(scale.low, range.minimum);
    EXPECT_GE(scale.high, range.maximum);
    EXPECT_GE(scale.step, range.smallestStep);
    EXPECT_TRUE(isRoundStep(scale.step)) << scale.step;
    EXPECT_GE(ticks.size(), 2u);
    EXPECT_LE(ticks.size(), static_cast<std::size_t>(2 * range.ticks + 1));
  }
}

TEST(AxisScale, BoundsThatCannotBeDrawnGiveZeroToOne) {
  const std::pair<double, double> cases[] = {
      {std::nan(""), 1.0}, {0.0, HUGE_VAL}, {-1e308, 1e308}, {2.0, 1.0}};
  for (auto [minimum, maximum] : cases) {
    AxisScale scale = roundAxisScale(minimum, maximum, 6, 0);
    EXPECT_EQ(axisTicks(scale), (std::vector<double>{0, 1})) << minimum << ".." << maximum;
  }
}

TEST(AxisScale, LabelsCarryTheDecimalsTheStepNeeds) {
  EXPECT_EQ(tickLabel(0.6000000000000001, AxisScale{0, 1, 0.2}), "0.6");
  EXPECT_EQ(tickLabel(0.05, AxisScale{0, 0.1, 0.05}), "0.05");
  EXPECT_EQ(tickLabel(-1e-17, AxisScale{0, 1, 0.2}), "0.0");
  EXPECT_EQ(tickLabel(40, AxisScale{0, 100, 20}), "40");
  EXPECT_EQ(tickLabel(2e20, AxisScale{0, 5e20, 1e20}), "2e+20");
}

}  // namespace
