#include "tools/envelope_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <string_view>

namespace {

// No line the module writes comes near this: a value line of the largest
// finite distance in fixed-point notation takes 318 bytes.
constexpr std::streamsize LONGEST_LINE = 512;

// Reads a stream line by line, counting lines from 1, holding one line at a
// time.
class LineReader {
 public:
  explicit LineReader(std::istream& in) : in_(in) {}

  enum class Result { kLine, kEnd, kTooLong };

  // The next line without its line end.
  Result next(std::string_view* line) {
    in_.getline(buffer_, sizeof buffer_);
    std::streamsize length = in_.gcount();
    if (in_.fail() && length == 0) return Result::kEnd;
    ++number_;
    // A full buffer and no line end: the line does not fit.
    if (in_.fail()) return Result::kTooLong;
    // gcount counts the line end that getline took out, unless the text
    // ended first.
    if (!in_.eof()) --length;
    std::string_view text(buffer_, static_cast<std::size_t>(length));
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    *line = text;
    return Result::kLine;
  }

  int number() const { return number_; }

 private:
  std::istream& in_;
  char buffer_[LONGEST_LINE + 1];
  int number_ = 0;
};

// The whole of `text` as a number of type Number, read as in the C locale.
template <typename Number>
bool parseWhole(std::string_view text, Number* value) {
  const char* end = text.data() + text.size();
  auto [stop, failure] = std::from_chars(text.data(), end, *value);
  return failure == std::errc() && stop == end && !text.empty();
}

// The frame: the first field of a frame line, followed by the four key
// fields, separated by runs of spaces and tabs.
bool parseFrameLine(std::string_view text, std::int32_t* frame) {
  constexpr int FIELDS = 5;
  constexpr std::string_view SEPARATORS = " \t";
  int keyField = 0;
  std::size_t start = text.find_first_not_of(SEPARATORS);
  for (int field = 0; field < FIELDS; ++field) {
    if (start == std::string_view::npos) return false;
    std::size_t end = std::min(text.find_first_of(SEPARATORS, start), text.size());
    std::string_view digits = text.substr(start, end - start);
    if (!(field == 0 ? parseWhole(digits, frame) : parseWhole(digits, &keyField))) return false;
    start = text.find_first_not_of(SEPARATORS, end);
  }
  return start == std::string_view::npos;
}

class EnvelopeParser {
 public:
  EnvelopeParser(std::istream& in, const std::string& sourceName, std::string* error)
      : lines_(in), sourceName_(sourceName), error_(error) {}

  bool parse(const EnvelopeKeyVisitor& visit) {
    long long count = 0;
    if (!expectLine("LWEN", "does not begin with \"LWEN\"") ||
        !expectLine("1", "lacks the \"1\" after \"LWEN\"") ||
        !expectLine("1", "has a channel count other than 1") || !readCount(&count)) {
      return false;
    }
    for (long long index = 0; index < count; ++index) {
      EnvelopeKey key;
      if (!readKey(&key)) return false;
      visit(key);
    }
    std::string_view extra;
    for (;;) {
      LineReader::Result result = lines_.next(&extra);
      if (result == LineReader::Result::kEnd) return true;
      if (result == LineReader::Result::kTooLong || !extra.empty()) {
        return fail("holds more than its " + std::to_string(count) + " keys");
      }
    }
  }

 private:
  bool fail(const std::string& problem) {
    *error_ = sourceName_ + ": line " + std::to_string(lines_.number()) + " " + problem;
    return false;
  }

  bool nextLine(std::string_view* line) {
    switch (lines_.next(line)) {
      case LineReader::Result::kLine:
        return true;
      case LineReader::Result::kTooLong:
        return fail("is longer than " + std::to_string(LONGEST_LINE) + " bytes");
      case LineReader::Result::kEnd:
        break;
    }
    *error_ = sourceName_ + ": ends early, after line " + std::to_string(lines_.number());
    return false;
  }

  bool expectLine(std::string_view expected, const std::string& problem) {
    std::string_view line;
    if (!nextLine(&line)) return false;
    return line == expected || fail(problem);
  }

  bool readCount(long long* count) {
    std::string_view line;
    if (!nextLine(&line)) return false;
    if (!parseWhole(line, count) || *count < 0) return fail("is not a key count");
    return true;
  }

  bool readKey(EnvelopeKey* key) {
    std::string_view line;
    if (!nextLine(&line)) return false;
    if (!parseWhole(line, &key->value)) return fail("is not a key value");
    if (!std::isfinite(key->value)) return fail("holds a value that is not a finite number");
    if (!nextLine(&line)) return false;
    if (!parseFrameLine(line, &key->frame)) return fail("is not a key's frame line");
    return true;
  }

  LineReader lines_;
  const std::string& sourceName_;
  std::string* error_;
};

// A distance with six decimals, as "%f" writes it in the C locale.
std::string sixDecimals(double value) {
  char text[400];
  auto [end, failure] =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
  return failure == std::errc() ? std::string(text, end) : "?";
}

}  // namespace

bool readEnvelopeKeys(std::istream& in, const std::string& sourceName,
                      const EnvelopeKeyVisitor& visit, std::string* error) {
  return EnvelopeParser(in, sourceName, error).parse(visit);
}

bool readEnvelopeFile(const std::string& path, const EnvelopeKeyVisitor& visit,
                      std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *error = "cannot read envelope file " + path;
    return false;
  }
  if (!readEnvelopeKeys(file, path, visit, error)) return false;
  if (file.bad()) {
    *error = "cannot read envelope file " + path;
    return false;
  }
  return true;
}

void EnvelopeSummary::add(const EnvelopeKey& key) {
  if (keys == 0) {
    smallest = largest = key.value;
    firstFrame = lastFrame = key.frame;
  }
  smallest = std::min(smallest, key.value);
  largest = std::max(largest, key.value);
  firstFrame = std::min(firstFrame, key.frame);
  lastFrame = std::max(lastFrame, key.frame);
  ++keys;
}

std::string envelopeSummaryLine(const std::string& path, const EnvelopeSummary& summary) {
  std::string line =
      path + ": " + std::to_string(summary.keys) + (summary.keys == 1 ? " key" : " keys");
  if (summary.keys == 0) return line;
  return line + ", distance " + sixDecimals(summary.smallest) + " to " +
         sixDecimals(summary.largest);
}
