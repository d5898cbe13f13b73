#include "tools/envelope_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

// Walks a text line by line, counting lines from 1.
class LineReader {
 public:
  explicit LineReader(const std::string& text) : text_(text) {}

  // The next line without its line end; false at the end of the text.
  bool next(std::string* line) {
    if (position_ >= text_.size()) return false;
    std::size_t end = text_.find('\n', position_);
    if (end == std::string::npos) end = text_.size();
    *line = text_.substr(position_, end - position_);
    if (!line->empty() && line->back() == '\r') line->pop_back();
    position_ = end + 1;
    ++number_;
    return true;
  }

  int number() const { return number_; }

 private:
  const std::string& text_;
  std::size_t position_ = 0;
  int number_ = 0;
};

// The whole of `text` as a decimal integer.
bool parseInteger(const std::string& text, long long* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  *value = std::strtoll(text.c_str(), &end, 10);
  return errno == 0 && *end == '\0';
}

// The whole of `text` as a number.
bool parseNumber(const std::string& text, double* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  *value = std::strtod(text.c_str(), &end);
  return *end == '\0';
}

// The frame: the first field of a frame line, followed by the four key fields.
bool parseFrameLine(const std::string& text, std::int32_t* frame) {
  std::istringstream fields(text);
  long long value = 0;
  int keyField = 0;
  if (!(fields >> value) || value < INT32_MIN || value > INT32_MAX) return false;
  for (int index = 0; index < 4; ++index) {
    if (!(fields >> keyField)) return false;
  }
  std::string rest;
  if (fields >> rest) return false;
  *frame = static_cast<std::int32_t>(value);
  return true;
}

class EnvelopeParser {
 public:
  EnvelopeParser(const std::string& text, const std::string& sourceName, std::string* error)
      : lines_(text), sourceName_(sourceName), error_(error) {}

  bool parse(Envelope* envelope) {
    long long count = 0;
    if (!expectLine("LWEN", "does not begin with \"LWEN\"") ||
        !expectLine("1", "lacks the \"1\" after \"LWEN\"") ||
        !expectLine("1", "has a channel count other than 1") || !readCount(&count)) {
      return false;
    }
    envelope->keys.clear();
    for (long long index = 0; index < count; ++index) {
      EnvelopeKey key;
      if (!readKey(&key)) return false;
      envelope->keys.push_back(key);
    }
    std::string extra;
    while (lines_.next(&extra)) {
      if (!extra.empty()) return fail("holds more than its " + std::to_string(count) + " keys");
    }
    return true;
  }

 private:
  bool fail(const std::string& problem) {
    *error_ = sourceName_ + ": line " + std::to_string(lines_.number()) + " " + problem;
    return false;
  }

  bool nextLine(std::string* line) {
    if (lines_.next(line)) return true;
    *error_ = sourceName_ + ": ends early, after line " + std::to_string(lines_.number());
    return false;
  }

  bool expectLine(const char* expected, const std::string& problem) {
    std::string line;
    if (!nextLine(&line)) return false;
    return line == expected || fail(problem);
  }

  bool readCount(long long* count) {
    std::string line;
    if (!nextLine(&line)) return false;
    if (!parseInteger(line, count) || *count < 0) return fail("is not a key count");
    return true;
  }

  bool readKey(EnvelopeKey* key) {
    std::string line;
    if (!nextLine(&line)) return false;
    if (!parseNumber(line, &key->value)) return fail("is not a key value");
    if (!nextLine(&line)) return false;
    if (!parseFrameLine(line, &key->frame)) return fail("is not a key's frame line");
    return true;
  }

  LineReader lines_;
  const std::string& sourceName_;
  std::string* error_;
};

}  // namespace

bool parseEnvelope(const std::string& text, const std::string& sourceName, Envelope* envelope,
                   std::string* error) {
  return EnvelopeParser(text, sourceName, error).parse(envelope);
}

bool readEnvelope(const std::string& path, Envelope* envelope, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!file && !file.eof()) {
    *error = "cannot read envelope file " + path;
    return false;
  }
  return parseEnvelope(text, path, envelope, error);
}

std::string envelopeSummary(const std::string& path, const Envelope& envelope) {
  std::size_t count = envelope.keys.size();
  std::string summary = path + ": " + std::to_string(count) + (count == 1 ? " key" : " keys");
  if (envelope.keys.empty()) return summary;
  auto [smallest, largest] = std::minmax_element(
      envelope.keys.begin(), envelope.keys.end(),
      [](const EnvelopeKey& a, const EnvelopeKey& b) { return a.value < b.value; });
  return summary + ", distance " + std::to_string(smallest->value) + " to " +
         std::to_string(largest->value);
}
