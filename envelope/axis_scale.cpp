#include "envelope/axis_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// The smallest of 1, 2, 5 and 10 times a power of ten at or above `raw`.
double roundStep(double raw) {
  double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  double normalised = raw / magnitude;
  if (normalised <= 1) return magnitude;
  if (normalised <= 2) return 2 * magnitude;
  if (normalised <= 5) return 5 * magnitude;
  return 10 * magnitude;
}

}  // namespace

AxisScale roundAxisScale(double minimum, double maximum, int tickCount, double smallestStep) {
  if (!std::isfinite(minimum) || !std::isfinite(maximum) || minimum > maximum) return {};
  if (maximum == minimum) maximum = minimum + std::max(std::fabs(minimum), 1.0);
  double range = maximum - minimum;
  double step = std::max(roundStep(range / tickCount), smallestStep);
  if (!std::isfinite(step)) return {};
  AxisScale scale;
  scale.step = step;
  scale.low = std::floor(minimum / step) * step;
  scale.high = std::ceil(maximum / step) * step;
  // Rounding in the division or the product can land an end a hair inside.
  if (scale.low > minimum) scale.low -= step;
  if (scale.high < maximum) scale.high += step;
  return scale;
}

std::vector<double> axisTicks(const AxisScale& scale) {
  std::vector<double> ticks;
  long count = std::lround((scale.high - scale.low) / scale.step);
  for (long index = 0; index <= count; ++index) ticks.push_back(scale.low + index * scale.step);
  return ticks;
}

std::string tickLabel(double value, const AxisScale& scale) {
  constexpr int MOST_DECIMALS = 12;
  int decimals =
      std::clamp(static_cast<int>(-std::floor(std::log10(scale.step) + 1e-9)), 0, MOST_DECIMALS);
  if (std::fabs(value) < scale.step * 1e-9) value = 0;  // no "-0"
  constexpr double LARGEST_PLAIN = 1e15;
  char text[64];
  if (std::fabs(value) >= LARGEST_PLAIN) {
    std::snprintf(text, sizeof text, "%.6g", value);
  } else {
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
  }
  return text;
}
