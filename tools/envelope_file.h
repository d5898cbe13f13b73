// An envelope file ("LWEN" text, one channel) read back after the module
// wrote it, and the one-line summary quorvel-run prints of it.
//
// The file: "LWEN", "1", "1", the key count, then per key a value line and a
// frame line (the frame, then the linear, tension, continuity and bias
// fields). Lines end in CR LF or LF.

#ifndef QUORVEL_TOOLS_ENVELOPE_FILE_H_
#define QUORVEL_TOOLS_ENVELOPE_FILE_H_

#include <cstdint>
#include <string>
#include <vector>

struct EnvelopeKey {
  std::int32_t frame = 0;
  double value = 0;
};

struct Envelope {
  std::vector<EnvelopeKey> keys;  // in file order
};

// Parses the text of an envelope file. On a malformed text returns false and
// sets `error` to a message naming `sourceName` and the line.
bool parseEnvelope(const std::string& text, const std::string& sourceName, Envelope* envelope,
                   std::string* error);

// Reads and parses the envelope file at `path`; false with `error` set when
// it cannot be read or is malformed.
bool readEnvelope(const std::string& path, Envelope* envelope, std::string* error);

// "PATH: N keys, distance MIN to MAX", the distances with six decimals
// ("1 key" for one); just "PATH: 0 keys" for an envelope without keys.
std::string envelopeSummary(const std::string& path, const Envelope& envelope);

#endif  // QUORVEL_TOOLS_ENVELOPE_FILE_H_
