// A chart of an envelope's distance over frame, as an SVG file a browser can
// open: title naming the two items, axes with round ticks, the keys joined
// by a line.

#ifndef QUORVEL_TOOLS_SVG_PLOT_H_
#define QUORVEL_TOOLS_SVG_PLOT_H_

#include <cstdint>
#include <string>
#include <vector>

#include "tools/axis_scale.h"
#include "tools/envelope_file.h"

// The chart of one envelope, gathered key by key so that its memory stays
// bounded: it keeps every key of an envelope of at most MOST_KEPT_KEYS keys,
// and of a larger one the least and the greatest value in each pixel column
// of the plot, which draws the same line at the picture's resolution.
class DistanceChart {
 public:
  static constexpr std::uint64_t MOST_KEPT_KEYS = 1380;  // two per pixel column

  // A chart whose axes cover the keys `summary` describes; those keys are
  // then to be added in file order. REQUIRES finite key values.
  explicit DistanceChart(const EnvelopeSummary& summary);

  void add(const EnvelopeKey& key);

  // The SVG text of the chart of the distance from `itemName` to
  // `targetName`; `envelopeName` is named under the title. Names may hold
  // any text; they are escaped.
  std::string svg(const std::string& itemName, const std::string& targetName,
                  const std::string& envelopeName) const;

 private:
  struct Column {  // the keys that fall into one pixel column
    bool used = false;
    double least = 0;
    double greatest = 0;
    bool leastFirst = true;  // the least value came before the greatest
  };

  EnvelopeSummary summary_;
  AxisScale frames_;
  AxisScale distances_;
  std::vector<EnvelopeKey> keys_;  // every key, while they are few
  std::vector<Column> columns_;    // per pixel column, when they are many
};

// Writes `svg` to `path`, replacing the file. On failure returns false and
// sets `error` to a message naming the file.
bool writePlotFile(const std::string& path, const std::string& svg, std::string* error);

#endif  // QUORVEL_TOOLS_SVG_PLOT_H_
