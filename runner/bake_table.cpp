#include "runner/bake_table.h"

#include <charconv>
#include <cstdio>

#include "envelope/envelope.h"
#include "file_replace/file_replace.h"

namespace {

// A field as RFC 4180 has it: quoted, with its quotes doubled, when it holds
// a comma, a quote or a line break.
std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

// The shortest text that reads back as `value`, in every locale.
std::string shortestNumber(double value) {
  char text[32];
  auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

// The digits the module writes for a distance: "%f" in the C locale.
std::string envelopeDigits(double value) {
  char text[400];
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
  return std::string(text, result.ptr);
}

std::string positionFields(const scene_eval::Vector3& at) {
  return shortestNumber(at.x) + "," + shortestNumber(at.y) + "," + shortestNumber(at.z);
}

std::string headerRow(bool withPairNames) {
  return std::string(withPairNames ? "item,target," : "") +
         "frame,seconds,distance,item_x,item_y,item_z,target_x,target_y,target_z\r\n";
}

// Writes the rows of one pair; false with `error` set when its envelope
// cannot be read or the stream refuses a row.
bool writePairRows(std::FILE* stream, const BakedPair& pair, bool withPairNames,
                   double framesPerSecond, std::string* error) {
  std::string names =
      withPairNames ? csvField(pair.itemName) + "," + csvField(pair.targetName) + "," : "";
  bool written = true;
  bool read = readEnvelopeFile(
      pair.envelopePath,
      [&](const EnvelopeKey& key) {
        double seconds = key.frame / framesPerSecond;
        std::string row = names + std::to_string(key.frame) + "," + shortestNumber(seconds) + "," +
                          envelopeDigits(key.value) + "," + positionFields(pair.item(seconds)) +
                          "," + positionFields(pair.target(seconds)) + "\r\n";
        written = written && std::fwrite(row.data(), 1, row.size(), stream) == row.size();
      },
      error);
  return read && written;
}

bool writeRows(std::FILE* stream, const std::vector<BakedPair>& pairs, bool withPairNames,
               double framesPerSecond, std::string* error) {
  std::string header = headerRow(withPairNames);
  if (std::fwrite(header.data(), 1, header.size(), stream) != header.size()) return false;
  for (const BakedPair& pair : pairs) {
    if (!writePairRows(stream, pair, withPairNames, framesPerSecond, error)) return false;
  }
  return true;
}

}  // namespace

bool writeBakeTable(const std::string& path, const std::vector<BakedPair>& pairs,
                    bool withPairNames, double framesPerSecond, std::string* error) {
  error->clear();
  if (path == "-") {
    bool written = writeRows(stdout, pairs, withPairNames, framesPerSecond, error) &&
                   std::fflush(stdout) == 0;
    if (!written && error->empty()) *error = "cannot write the table to standard output";
    return written;
  }
  FileReplacement replacement;
  if (!beginFileReplacement(path.c_str(), &replacement)) {
    *error = "cannot write the table file " + path;
    return false;
  }
  bool written = writeRows(replacement.stream, pairs, withPairNames, framesPerSecond, error);
  if (!finishFileReplacement(&replacement, written) && error->empty()) {
    *error = "cannot write the table file " + path;
  }
  return error->empty();
}
