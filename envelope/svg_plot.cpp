#include "envelope/envelope.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <vector>

#include "envelope/axis_scale.h"

namespace {

constexpr double WIDTH = 800;
constexpr double HEIGHT = 480;
constexpr double PLOT_LEFT = 80;
constexpr double PLOT_RIGHT = WIDTH - 30;
constexpr double PLOT_TOP = 70;
constexpr double PLOT_BOTTOM = HEIGHT - 60;
constexpr int FRAME_TICKS = 10;
constexpr int DISTANCE_TICKS = 6;
constexpr std::size_t MOST_MARKED_KEYS = 120;  // more keys are drawn as a line only
constexpr char LINE_COLOUR[] = "#1f6fb4";

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        // XML allows no control characters but tab, newline and return.
        out +=
            (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') ? '?' : c;
    }
  }
  return out;
}

std::string number(double value) {
  char text[400];
  auto [end, failure] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
  return failure == std::errc() ? std::string(text, end) : "0.00";
}

// Maps values from an axis scale onto a span of the picture.
struct AxisMap {
  AxisScale scale;
  double from;  // picture coordinate of scale.low
  double to;    // picture coordinate of scale.high
  double at(double value) const {
    return from + (value - scale.low) / (scale.high - scale.low) * (to - from);
  }
};

AxisMap frameMap(const AxisScale& scale) { return {scale, PLOT_LEFT, PLOT_RIGHT}; }
AxisMap distanceMap(const AxisScale& scale) { return {scale, PLOT_BOTTOM, PLOT_TOP}; }

// The pixel columns between the plot's left and right edges.
constexpr std::size_t COLUMNS = static_cast<std::size_t>(PLOT_RIGHT - PLOT_LEFT);
static_assert(DistanceChart::MOST_KEPT_KEYS == 2 * COLUMNS);

std::size_t columnAt(double x) {
  double column = std::floor(x - PLOT_LEFT);
  return static_cast<std::size_t>(std::clamp(column, 0.0, double(COLUMNS - 1)));
}

void addText(std::string* svg, double x, double y, const std::string& attributes,
             const std::string& text) {
  *svg += "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\" " + attributes + ">" +
          escaped(text) + "</text>\n";
}

void addLine(std::string* svg, double x1, double y1, double x2, double y2,
             const std::string& stroke) {
  *svg += "<line x1=\"" + number(x1) + "\" y1=\"" + number(y1) + "\" x2=\"" + number(x2) +
          "\" y2=\"" + number(y2) + "\" stroke=\"" + stroke + "\"/>\n";
}

void addFrameAxis(std::string* svg, const AxisMap& frames) {
  for (double tick : axisTicks(frames.scale)) {
    double x = frames.at(tick);
    addLine(svg, x, PLOT_TOP, x, PLOT_BOTTOM, "#e4e4e4");
    addLine(svg, x, PLOT_BOTTOM, x, PLOT_BOTTOM + 6, "#000");
    addText(svg, x, PLOT_BOTTOM + 22, "text-anchor=\"middle\"", tickLabel(tick, frames.scale));
  }
  addText(svg, (PLOT_LEFT + PLOT_RIGHT) / 2, PLOT_BOTTOM + 46, "text-anchor=\"middle\"", "frame");
}

void addDistanceAxis(std::string* svg, const AxisMap& distances) {
  for (double tick : axisTicks(distances.scale)) {
    double y = distances.at(tick);
    addLine(svg, PLOT_LEFT, y, PLOT_RIGHT, y, "#e4e4e4");
    addLine(svg, PLOT_LEFT - 6, y, PLOT_LEFT, y, "#000");
    addText(svg, PLOT_LEFT - 10, y + 5, "text-anchor=\"end\"", tickLabel(tick, distances.scale));
  }
  double middle = (PLOT_TOP + PLOT_BOTTOM) / 2;
  addText(svg, 24, middle,
          "text-anchor=\"middle\" transform=\"rotate(-90 24 " + number(middle) + ")\"", "distance");
}

void addPoint(std::string* points, double x, double y) {
  if (!points->empty()) *points += ' ';
  *points += number(x) + "," + number(y);
}

void addPolyline(std::string* svg, const std::string& points) {
  if (points.empty()) return;
  *svg += std::string("<polyline fill=\"none\" stroke=\"") + LINE_COLOUR +
          "\" stroke-width=\"2\" points=\"" + points + "\"/>\n";
}

std::string subtitle(std::uint64_t count, const std::string& envelopeName) {
  return envelopeName + ": " + std::to_string(count) + (count == 1 ? " key" : " keys");
}

}  // namespace

// The axes start at frame 0 and distance 0 at the latest, and reach frame 1
// at the least.
DistanceChart::DistanceChart(const EnvelopeSummary& summary)
    : summary_(summary),
      frames_(roundAxisScale(summary.keys ? std::min(summary.firstFrame, 0) : 0,
                             summary.keys ? std::max(summary.lastFrame, 1) : 1, FRAME_TICKS, 1)),
      distances_(roundAxisScale(summary.keys ? std::min(summary.smallest, 0.0) : 0,
                                summary.keys ? std::max(summary.largest, 0.0) : 0,
                                DISTANCE_TICKS, 0)) {
  if (summary.keys > MOST_KEPT_KEYS) columns_.resize(COLUMNS);
}

void DistanceChart::add(const EnvelopeKey& key) {
  if (columns_.empty()) {
    if (keys_.size() < MOST_KEPT_KEYS) keys_.push_back(key);
    return;
  }
  Column& column = columns_[columnAt(frameMap(frames_).at(key.frame))];
  if (!column.used) {
    column = {true, key.value, key.value, true};
  } else if (key.value < column.least) {
    column.least = key.value;
    column.leastFirst = false;
  } else if (key.value > column.greatest) {
    column.greatest = key.value;
    column.leastFirst = true;
  }
}

std::string DistanceChart::svg(const std::string& itemName, const std::string& targetName,
                               const std::string& envelopeName) const {
  AxisMap frames = frameMap(frames_);
  AxisMap distances = distanceMap(distances_);
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
      number(WIDTH) + "\" height=\"" + number(HEIGHT) + "\" viewBox=\"0 0 " + number(WIDTH) + " " +
      number(HEIGHT) +
      "\" font-family=\"sans-serif\" font-size=\"13\">\n"
      "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
  addText(&svg, WIDTH / 2, 32, "text-anchor=\"middle\" font-size=\"20\" font-weight=\"bold\"",
          "Distance from " + itemName + " to " + targetName);
  addText(&svg, WIDTH / 2, 54, "text-anchor=\"middle\" fill=\"#555\"",
          subtitle(summary_.keys, envelopeName));
  addFrameAxis(&svg, frames);
  addDistanceAxis(&svg, distances);
  addLine(&svg, PLOT_LEFT, PLOT_TOP, PLOT_LEFT, PLOT_BOTTOM, "#000");
  addLine(&svg, PLOT_LEFT, PLOT_BOTTOM, PLOT_RIGHT, PLOT_BOTTOM, "#000");
  if (summary_.keys == 0) {
    addText(&svg, (PLOT_LEFT + PLOT_RIGHT) / 2, (PLOT_TOP + PLOT_BOTTOM) / 2,
            "text-anchor=\"middle\" fill=\"#555\"", "no keys to draw");
  }
  std::string points;
  for (const EnvelopeKey& key : keys_) {
    addPoint(&points, frames.at(key.frame), distances.at(key.value));
  }
  for (std::size_t index = 0; index < columns_.size(); ++index) {
    const Column& column = columns_[index];
    if (!column.used) continue;
    double x = PLOT_LEFT + double(index) + 0.5;
    double first = column.leastFirst ? column.least : column.greatest;
    double second = column.leastFirst ? column.greatest : column.least;
    addPoint(&points, x, distances.at(first));
    if (second != first) addPoint(&points, x, distances.at(second));
  }
  addPolyline(&svg, points);
  // A dot on every key when there are few enough to tell apart.
  if (keys_.size() <= MOST_MARKED_KEYS) {
    for (const EnvelopeKey& key : keys_) {
      svg += "<circle cx=\"" + number(frames.at(key.frame)) + "\" cy=\"" +
             number(distances.at(key.value)) + "\" r=\"3\" fill=\"" + LINE_COLOUR + "\"/>\n";
    }
  }
  svg += "</svg>\n";
  return svg;
}

bool writePlotFile(const std::string& path, const std::string& svg, std::string* error) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (file) file << svg;
  if (file) file.close();
  if (!file) {
    *error = "cannot write plot file " + path;
    return false;
  }
  return true;
}
