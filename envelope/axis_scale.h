// Round axis ranges for charts: ends and tick step on multiples of 1, 2 or 5
// times a power of ten, so that every tick label is a short round number.

#ifndef QUORVEL_ENVELOPE_AXIS_SCALE_H_
#define QUORVEL_ENVELOPE_AXIS_SCALE_H_

#include <string>
#include <vector>

struct AxisScale {
  double low = 0;   // the first tick, at or below the smallest value
  double high = 1;  // the last tick, at or above the largest value
  double step = 1;  // between ticks; low and high are multiples of it
};

// A scale covering `minimum` to `maximum` with about `tickCount` steps
// (at least one) and a step no smaller than `smallestStep` (0 for none). A
// single value v is taken as the range from v to v + max(|v|, 1); bounds that
// are not finite, or too far apart to subtract, give the scale 0 to 1. REQUIRES tickCount >= 1.
AxisScale roundAxisScale(double minimum, double maximum, int tickCount, double smallestStep);

// The tick values from low to high, both included.
std::vector<double> axisTicks(const AxisScale& scale);

// A tick value as a label with just the decimals the step needs ("2.5",
// "10", "0.05"); in exponent notation from 10^15 up.
std::string tickLabel(double value, const AxisScale& scale);

#endif  // QUORVEL_ENVELOPE_AXIS_SCALE_H_
