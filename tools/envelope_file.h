// An envelope file ("LWEN" text, one channel) read back after the module
// wrote it, key by key so that a file of any size can be read, and the
// one-line summary quorvel-run prints of it.
//
// The file: "LWEN", "1", "1", the key count, then per key a value line and a
// frame line (the frame, then the linear, tension, continuity and bias
// fields). Lines end in CR LF or LF. Numbers are read the same in every
// locale.

#ifndef QUORVEL_TOOLS_ENVELOPE_FILE_H_
#define QUORVEL_TOOLS_ENVELOPE_FILE_H_

#include <cstdint>
#include <functional>
#include <istream>
#include <string>

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

#endif  // QUORVEL_TOOLS_ENVELOPE_FILE_H_
