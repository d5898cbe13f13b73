// Envelope files as quorvel-run and the tests read them back, and the chart
// of one envelope's distance over frame.
//
// An envelope file ("LWEN" text, one channel) read back after the module
// wrote it, key by key so that a file of any size can be read, and the
// one-line summary quorvel-run prints of it.
//
// The file: "LWEN", "1", "1", the key count, then per key a value line and a
// frame line (the frame, then the linear, tension, continuity and bias
// fields). Lines end in CR LF or LF. Numbers are read the same in every
// locale.

#ifndef QUORVEL_ENVELOPE_ENVELOPE_H_
#define QUORVEL_ENVELOPE_ENVELOPE_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <vector>

#include "envelope/axis_scale.h"

struct EnvelopeKey {
  std::int32_t frame = 0;
  double value = 0;
};

// Called with each key in file order.
using EnvelopeKeyVisitor = std::function<void(const EnvelopeKey& key)>;

// Reads an envelope text from `in`, handing each key to `visit` as it is
// read; memory does not grow with the file. On a malformed text (a value
// that is not a finite number such as "nan" or "inf" included) returns false
// and sets `error` to a message naming `sourceName` and the line; the keys
// before the fault have been visited by then.
bool readEnvelopeKeys(std::istream& in, const std::string& sourceName,
                      const EnvelopeKeyVisitor& visit, std::string* error);

// As readEnvelopeKeys, from the file at `path`; false with `error` set also
// when it cannot be read.
bool readEnvelopeFile(const std::string& path, const EnvelopeKeyVisitor& visit,
                      std::string* error);

// What the summary and a chart's axes need of an envelope, gathered key by
// key.
struct EnvelopeSummary {
  std::uint64_t keys = 0;
  double smallest = 0;  // the least value; meaningful when keys > 0
  double largest = 0;   // the greatest value; meaningful when keys > 0
  std::int32_t firstFrame = 0;  // the least frame; meaningful when keys > 0
  std::int32_t lastFrame = 0;   // the greatest frame; meaningful when keys > 0

  void add(const EnvelopeKey& key);
};

// "PATH: N keys, distance MIN to MAX", the distances with six decimals
// ("1 key" for one); just "PATH: 0 keys" for an envelope without keys.
std::string envelopeSummaryLine(const std::string& path, const EnvelopeSummary& summary);

// --- Fewer keys
// Chooses, key by key, which keys of an envelope to keep so that linear
// interpolation between the kept keys stays within `tolerance` of every
// key's value (up to the rounding of double arithmetic). The first and the
// last key are always kept.
//
// A greedy scan: from each kept key it keeps the furthest key that the cone
// of admissible slopes still reaches, looking ahead until the cone closes.
// So no kept key but the first and last can be dropped without breaking the
// tolerance, unless the scan had to stop looking after MOST_LOOKED_AHEAD
// keys that the cone held but no line could end at. Memory holds at most
// those keys; time is linear in the keys for every envelope a smooth motion
// gives.
class KeyReducer {
 public:
  static constexpr std::size_t MOST_LOOKED_AHEAD = 4096;
  using Keep = std::function<void(const EnvelopeKey& key)>;

  // `keep` is called with each kept key, in order. REQUIRES a finite
  // tolerance of 0 or more.
  KeyReducer(double tolerance, Keep keep);

  // The next key. REQUIRES a finite value and a frame above the last key's.
  void add(const EnvelopeKey& key);
  // Keeps what is left to keep, the last key included. Call once, at the end.
  void finish();

 private:
  std::vector<EnvelopeKey> step(const EnvelopeKey& key);
  std::vector<EnvelopeKey> restartFromBest();
  void resetCone();

  double tolerance_;
  Keep keep_;
  bool hasAnchor_ = false;
  EnvelopeKey anchor_;  // the last kept key
  bool hasBest_ = false;
  EnvelopeKey best_;    // the furthest key a line from the anchor may end at
  std::vector<EnvelopeKey> pending_;  // the keys after best_, in order
  double least_ = 0;     // the slopes from the anchor that pass within the
  double greatest_ = 0;  // tolerance of every key since it
};

struct EnvelopeReduction {
  std::uint64_t keysBefore = 0;
  std::uint64_t keysAfter = 0;
};

// Replaces the envelope file at `path`, whole or not at all, with the keys
// KeyReducer keeps of it, in the layout the module writes (linear keys, CR
// LF). Reads the file twice and holds no more of it than KeyReducer does. On
// failure (unreadable or malformed, frames that do not rise, cannot be
// replaced) returns false with `error` set and the file as it was.
// REQUIRES a finite tolerance of 0 or more.
bool reduceEnvelopeFile(const std::string& path, double tolerance, EnvelopeReduction* counts,
                        std::string* error);

// --- The chart
// A chart of an envelope's distance over frame, as an SVG file a browser can
// open: title naming the two items, axes with round ticks, the keys joined
// by a line.

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

#endif  // QUORVEL_ENVELOPE_ENVELOPE_H_
