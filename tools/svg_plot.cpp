#include "tools/svg_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <vector>

#include "tools/axis_scale.h"

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
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
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

struct Chart {
  AxisMap frames;
  AxisMap distances;
};

bool isDrawn(const EnvelopeKey& key) { return std::isfinite(key.value); }

Chart chartFor(const Envelope& envelope) {
  double firstFrame = 0;
  double lastFrame = 1;
  double largest = 0;
  double smallest = 0;  // distances are measured up from 0
  bool any = false;
  for (const EnvelopeKey& key : envelope.keys) {
    if (!isDrawn(key)) continue;
    firstFrame = any ? std::min(firstFrame, double(key.frame)) : key.frame;
    lastFrame = any ? std::max(lastFrame, double(key.frame)) : std::max(1.0, double(key.frame));
    largest = std::max(largest, key.value);
    smallest = std::min(smallest, key.value);
    any = true;
  }
  firstFrame = std::min(firstFrame, 0.0);
  return {{roundAxisScale(firstFrame, lastFrame, FRAME_TICKS, 1), PLOT_LEFT, PLOT_RIGHT},
          {roundAxisScale(smallest, largest, DISTANCE_TICKS, 0), PLOT_BOTTOM, PLOT_TOP}};
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

// The keys as polylines, broken where a value cannot be drawn, and a dot
// on every key when there are few enough to tell apart.
void addKeys(std::string* svg, const Envelope& envelope, const Chart& chart) {
  std::string points;
  auto endLine = [&] {
    if (!points.empty()) {
      *svg += std::string("<polyline fill=\"none\" stroke=\"") + LINE_COLOUR +
              "\" stroke-width=\"2\" points=\"" + points + "\"/>\n";
    }
    points.clear();
  };
  for (const EnvelopeKey& key : envelope.keys) {
    if (!isDrawn(key)) {
      endLine();
      continue;
    }
    if (!points.empty()) points += ' ';
    points += number(chart.frames.at(key.frame)) + "," + number(chart.distances.at(key.value));
  }
  endLine();
  if (envelope.keys.size() > MOST_MARKED_KEYS) return;
  for (const EnvelopeKey& key : envelope.keys) {
    if (!isDrawn(key)) continue;
    *svg += "<circle cx=\"" + number(chart.frames.at(key.frame)) + "\" cy=\"" +
            number(chart.distances.at(key.value)) + "\" r=\"3\" fill=\"" + LINE_COLOUR + "\"/>\n";
  }
}

std::string subtitle(const Envelope& envelope, const std::string& envelopeName) {
  std::size_t count = envelope.keys.size();
  return envelopeName + ": " + std::to_string(count) + (count == 1 ? " key" : " keys");
}

}  // namespace

std::string distancePlot(const Envelope& envelope, const std::string& itemName,
                         const std::string& targetName, const std::string& envelopeName) {
  Chart chart = chartFor(envelope);
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
          subtitle(envelope, envelopeName));
  addFrameAxis(&svg, chart.frames);
  addDistanceAxis(&svg, chart.distances);
  addLine(&svg, PLOT_LEFT, PLOT_TOP, PLOT_LEFT, PLOT_BOTTOM, "#000");
  addLine(&svg, PLOT_LEFT, PLOT_BOTTOM, PLOT_RIGHT, PLOT_BOTTOM, "#000");
  if (std::none_of(envelope.keys.begin(), envelope.keys.end(), isDrawn)) {
    addText(&svg, (PLOT_LEFT + PLOT_RIGHT) / 2, (PLOT_TOP + PLOT_BOTTOM) / 2,
            "text-anchor=\"middle\" fill=\"#555\"", "no keys to draw");
  }
  addKeys(&svg, envelope, chart);
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
