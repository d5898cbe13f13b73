#include "runner/bake_table.h"

#include <charconv>

#include "envelope/envelope.h"

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

// A number as every column gives it: 6 decimals, as the module writes a
// distance ("%f" in the C locale), in every locale; a value that rounds to
// zero is "0.000000" whatever its sign.
std::string tableNumber(double value) {
  char text[400];
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
  std::string number(text, result.ptr);
  if (number == "-0.000000") number.erase(0, 1);
  return number;
}

std::string positionFields(const scene_eval::Vector3& at) {
  return tableNumber(at.x) + "," + tableNumber(at.y) + "," + tableNumber(at.z);
}

bool writeAll(std::FILE* stream, const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

}  // namespace

BakeTable::~BakeTable() {
  if (stream_ && !toStandardOutput_) finishFileReplacement(&replacement_, false);
}

bool BakeTable::begin(const std::string& path, double framesPerSecond, std::string* error) {
  path_ = path;
  framesPerSecond_ = framesPerSecond;
  toStandardOutput_ = path == "-";
  if (toStandardOutput_) {
    stream_ = stdout;
  } else if (beginFileReplacement(path.c_str(), &replacement_)) {
    stream_ = replacement_.stream;
  } else {
    *error = "cannot write the table file " + path;
    return false;
  }
  failed_ = !writeAll(stream_, std::string(BAKE_TABLE_HEADER) + "\r\n");
  return true;
}

bool BakeTable::add(const BakedPair& pair, std::string* error) {
  std::string names = csvField(pair.itemName) + "," + csvField(pair.targetName) + ",";
  bool read = readEnvelopeFile(
      pair.envelopePath,
      [&](const EnvelopeKey& key) {
        double seconds = key.frame / framesPerSecond_;
        std::string row = names + std::to_string(key.frame) + "," + tableNumber(seconds) + "," +
                          tableNumber(key.value) + "," + positionFields(pair.item(seconds)) + "," +
                          positionFields(pair.target(seconds)) + "\r\n";
        failed_ = failed_ || !writeAll(stream_, row);
      },
      error);
  if (!read) {
    failed_ = true;
    return false;
  }
  if (failed_) *error = "cannot write the table " + destination();
  return !failed_;
}

std::string BakeTable::destination() const {
  return toStandardOutput_ ? "to standard output" : "file " + path_;
}

bool BakeTable::finish(std::string* error) {
  std::FILE* stream = stream_;
  stream_ = nullptr;
  bool written = toStandardOutput_ ? !failed_ && std::fflush(stream) == 0
                                   : finishFileReplacement(&replacement_, !failed_);
  if (!written) *error = "cannot write the table " + destination();
  return written;
}
