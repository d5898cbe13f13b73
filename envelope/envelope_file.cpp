#include "envelope/envelope.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <string_view>

namespace {

// No line the module writes comes near this: a value line of the largest
// finite distance in fixed-point notation takes 318 bytes.
constexpr std::size_t LONGEST_LINE = 512;
// The stream is read in blocks of this size.
constexpr std::size_t BLOCK_SIZE = 64 * 1024;

// Reads a stream's bytes a block at a time and cuts them into lines,
// counting lines from 1; memory does not grow with the stream.
class LineReader {
 public:
  explicit LineReader(std::istream& in) : source_(in.rdbuf()) {}

  enum class Result { LINE, END, TOO_LONG };

  // The next line without its line end (LF, or CR LF). A last line without
  // a line end counts as a line.
  Result next(std::string_view* line) {
    fill();
    std::size_t unread = end_ - begin_;
    if (unread == 0) return Result::END;
    ++number_;
    const char* start = block_ + begin_;
    std::size_t limit = std::min(unread, LONGEST_LINE + 1);
    const char* lineEnd = static_cast<const char*>(std::memchr(start, '\n', limit));
    std::size_t length = 0;
    if (lineEnd) {
      length = static_cast<std::size_t>(lineEnd - start);
      begin_ += length + 1;
    } else if (streamEnded_ && unread <= LONGEST_LINE) {
      length = unread;
      begin_ = end_;
    } else {
      return Result::TOO_LONG;
    }
    std::string_view text(start, length);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    *line = text;
    return Result::LINE;
  }

  int number() const { return number_; }

 private:
  // Makes sure the longest line and its line end are unread, when the
  // stream still holds them.
  void fill() {
    if (streamEnded_ || end_ - begin_ > LONGEST_LINE || !source_) return;
    std::size_t unread = end_ - begin_;
    std::memmove(block_, block_ + begin_, unread);
    std::size_t wanted = BLOCK_SIZE - unread;
    std::streamsize got = source_->sgetn(block_ + unread, static_cast<std::streamsize>(wanted));
    begin_ = 0;
    end_ = unread + static_cast<std::size_t>(std::max<std::streamsize>(got, 0));
    if (end_ < BLOCK_SIZE) streamEnded_ = true;
  }

  std::streambuf* source_;
  char block_[BLOCK_SIZE];
  std::size_t begin_ = 0;  // the unread bytes are block_[begin_, end_)
  std::size_t end_ = 0;
  bool streamEnded_ = false;
  int number_ = 0;
};

// The whole of `text` as a number of type Number, read as in the C locale.
template <typename Number>
bool parseWhole(std::string_view text, Number* value) {
  const char* end = text.data() + text.size();
  auto [stop, failure] = std::from_chars(text.data(), end, *value);
  return failure == std::errc() && stop == end && !text.empty();
}

bool isSeparator(char c) { return c == ' ' || c == '\t'; }

// The frame: the first field of a frame line, followed by the four key
// fields, separated by runs of spaces and tabs.
bool parseFrameLine(std::string_view text, std::int32_t* frame) {
  constexpr int FIELDS = 5;
  int keyField = 0;
  const char* at = text.data();
  const char* end = at + text.size();
  for (int field = 0; field < FIELDS; ++field) {
    while (at < end && isSeparator(*at)) ++at;
    const char* start = at;
    while (at < end && !isSeparator(*at)) ++at;
    std::string_view digits(start, static_cast<std::size_t>(at - start));
    if (!(field == 0 ? parseWhole(digits, frame) : parseWhole(digits, &keyField))) return false;
  }
  while (at < end && isSeparator(*at)) ++at;
  return at == end;
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
      if (result == LineReader::Result::END) return true;
      if (result == LineReader::Result::TOO_LONG || !extra.empty()) {
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
      case LineReader::Result::LINE:
        return true;
      case LineReader::Result::TOO_LONG:
        return fail("is longer than " + std::to_string(LONGEST_LINE) + " bytes");
      case LineReader::Result::END:
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
  // The keys are read through the stream's buffer, which reports a failed
  // read as the end of the text: the text then ends early, and says so.
  return readEnvelopeKeys(file, path, visit, error);
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
