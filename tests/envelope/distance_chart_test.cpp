// The chart of an envelope keeps every key of a small envelope and a bounded
// number of points of a large one, without losing its extremes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "envelope/envelope.h"

namespace {

using ::testing::HasSubstr;

// The svg of a chart of `count` keys at frames 0, 1, ... with the value
// `valueAt(frame)`.
template <typename Value>
std::string chartOf(std::uint64_t count, Value valueAt) {
  EnvelopeSummary summary;
  for (std::uint64_t frame = 0; frame < count; ++frame) {
    summary.add({static_cast<std::int32_t>(frame), valueAt(frame)});
  }
  DistanceChart chart(summary);
  for (std::uint64_t frame = 0; frame < count; ++frame) {
    chart.add({static_cast<std::int32_t>(frame), valueAt(frame)});
  }
  return chart.svg("A", "B", "e.env");
}

// The points of the chart's polyline, as "x,y" texts. (Searched for without
// std::regex, whose matching recurses once per character: 1 MB of stack, as
// a Windows program has, is too little for a large chart's points.)
std::vector<std::string> polylinePoints(const std::string& svg) {
  const std::string attribute = "points=\"";
  std::size_t polyline = svg.find("<polyline ");
  std::size_t start = polyline == std::string::npos ? polyline : svg.find(attribute, polyline);
  if (start == std::string::npos) return {};
  start += attribute.size();
  std::istringstream all(svg.substr(start, svg.find('"', start) - start));
  std::vector<std::string> points;
  for (std::string point; all >> point;) points.push_back(point);
  return points;
}

TEST(DistanceChart, KeepsEverySmallEnvelopesKeyAndBoundsALargeOnesPoints) {
  auto wave = [](std::uint64_t frame) { return 5 + 4 * std::sin(double(frame) / 997); };
  for (std::uint64_t count : {1u, 120u, 1380u}) {
    EXPECT_EQ(polylinePoints(chartOf(count, wave)).size(), count) << count;
  }
  for (std::uint64_t count : {1381u, 200000u}) {
    std::size_t points = polylinePoints(chartOf(count, wave)).size();
    EXPECT_LE(points, DistanceChart::MOST_KEPT_KEYS) << count;
    EXPECT_GE(points, DistanceChart::MOST_KEPT_KEYS / 2) << count;  // every column drawn
  }
}

TEST(DistanceChart, ALargeEnvelopesSingleSpikeStillReachesItsHeight) {
  // One key of 100 among 200000 of 1: the distance axis runs to 100, the
  // top of the plot at y 70, and the line must reach it.
  std::string svg = chartOf(200000, [](std::uint64_t frame) { return frame == 123457 ? 100.0 : 1.0; });
  std::vector<std::string> points = polylinePoints(svg);
  EXPECT_EQ(std::count_if(points.begin(), points.end(),
                          [](const std::string& point) { return point.ends_with(",70.00"); }),
            1);
  EXPECT_THAT(svg, HasSubstr("e.env: 200000 keys"));
}

}  // namespace
