// A chart of an envelope's distance over frame, as an SVG file a browser can
// open: title naming the two items, axes with round ticks, the keys joined
// by a line.

#ifndef QUORVEL_TOOLS_SVG_PLOT_H_
#define QUORVEL_TOOLS_SVG_PLOT_H_

#include <string>

#include "tools/envelope_file.h"

// The SVG text of the chart of `envelope`, the distance from `itemName` to
// `targetName`; `envelopeName` is named under the title. Names may hold any
// text; they are escaped. Keys whose value is not finite are left out.
std::string distancePlot(const Envelope& envelope, const std::string& itemName,
                         const std::string& targetName, const std::string& envelopeName);

// Writes `svg` to `path`, replacing the file. On failure returns false and
// sets `error` to a message naming the file.
bool writePlotFile(const std::string& path, const std::string& svg, std::string* error);

#endif  // QUORVEL_TOOLS_SVG_PLOT_H_
