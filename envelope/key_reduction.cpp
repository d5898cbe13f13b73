#include "envelope/envelope.h"

#include <algorithm>
#include <charconv>
#include <deque>
#include <cstdio>
#include <limits>
#include <utility>

#include "file_replace/file_replace.h"
#include "platform/platform.h"

KeyReducer::KeyReducer(double tolerance, Keep keep)
    : tolerance_(tolerance), keep_(std::move(keep)) {}

void KeyReducer::add(const EnvelopeKey& key) {
  std::deque<EnvelopeKey> todo{key};
  while (!todo.empty()) {
    std::vector<EnvelopeKey> again = step(todo.front());
    todo.pop_front();
    todo.insert(todo.begin(), again.begin(), again.end());
  }
}

void KeyReducer::finish() {
  while (hasBest_) {
    std::vector<EnvelopeKey> again = restartFromBest();
    for (const EnvelopeKey& key : again) add(key);
  }
}

std::vector<EnvelopeKey> KeyReducer::step(const EnvelopeKey& key) {
  if (!hasAnchor_) {
    keep_(key);
    anchor_ = key;
    hasAnchor_ = true;
    resetCone();
    return {};
  }
  double run = static_cast<double>(key.frame) - anchor_.frame;
  double slope = (key.value - anchor_.value) / run;
  if (slope >= least_ && slope <= greatest_) {
    best_ = key;
    hasBest_ = true;
    pending_.clear();
  } else {
    pending_.push_back(key);
  }
  least_ = std::max(least_, (key.value - tolerance_ - anchor_.value) / run);
  greatest_ = std::min(greatest_, (key.value + tolerance_ - anchor_.value) / run);
  if (least_ <= greatest_ && pending_.size() < MOST_LOOKED_AHEAD) return {};
  return restartFromBest();
}

std::vector<EnvelopeKey> KeyReducer::restartFromBest() {
  keep_(best_);
  anchor_ = best_;
  hasBest_ = false;
  resetCone();
  return std::exchange(pending_, {});
}

void KeyReducer::resetCone() {
  least_ = -std::numeric_limits<double>::infinity();
  greatest_ = std::numeric_limits<double>::infinity();
}

namespace {

// Visits the keys of the envelope file at `path` in order; fails, naming the
// line's key, when a frame does not rise above the one before.
bool readRisingKeys(const std::string& path, const EnvelopeKeyVisitor& visit, std::string* error) {
  bool rising = true;
  bool first = true;
  std::int32_t last = 0;
  std::uint64_t index = 0;
  std::string fault;
  bool read = readEnvelopeFile(
      path,
      [&](const EnvelopeKey& key) {
        ++index;
        if (!rising) return;
        if (!first && key.frame <= last) {
          rising = false;
          fault = path + ": key " + std::to_string(index) + " is at frame " +
                  std::to_string(key.frame) + ", not after frame " + std::to_string(last);
          return;
        }
        first = false;
        last = key.frame;
        visit(key);
      },
      error);
  if (read && !rising) *error = fault;
  return read && rising;
}

// Writes `text` whole; false when the stream refused any of it.
bool put(std::FILE* stream, std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

// A key as the module writes it: the value as "%f" in the C locale, then the
// frame line of a linear key, each ending in CR LF.
bool putKey(std::FILE* stream, const EnvelopeKey& key) {
  char line[400];
  auto value = std::to_chars(line, line + sizeof line, key.value, std::chars_format::fixed, 6);
  if (value.ec != std::errc()) return false;
  std::string text(line, value.ptr);
  text += "\r\n" + std::to_string(key.frame) + " 1 0 0 0\r\n";
  return put(stream, text);
}

// Copies what `from` holds from its start to `to`; false when a read or a
// write fails.
bool copyStream(std::FILE* from, std::FILE* to) {
  std::rewind(from);
  char block[64 * 1024];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, from)) > 0) {
    if (std::fwrite(block, 1, got, to) != got) return false;
  }
  return !std::ferror(from);
}

// The kept keys of the envelope file at `path`, written to `keys` in the
// module's layout and counted in `counts`.
bool writeKeptKeys(const std::string& path, double tolerance, std::FILE* keys,
                   EnvelopeReduction* counts, std::string* error) {
  bool written = true;
  KeyReducer reducer(tolerance, [&](const EnvelopeKey& key) {
    ++counts->keysAfter;
    written = written && putKey(keys, key);
  });
  auto visit = [&](const EnvelopeKey& key) {
    ++counts->keysBefore;
    reducer.add(key);
  };
  if (!readRisingKeys(path, visit, error)) return false;
  reducer.finish();
  if (!written) *error = "cannot write a temporary file for " + path;
  return written;
}

// A temporary file of the system's, open to write and read back, removed
// with everything in it when the object goes.
class ScratchFile {
 public:
  ScratchFile() {
    if (platform::makeTemporaryFile(&path_)) stream_ = std::fopen(path_.c_str(), "w+b");
  }
  ~ScratchFile() {
    if (stream_) std::fclose(stream_);
    if (!path_.empty()) std::remove(path_.c_str());
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  std::FILE* stream() const { return stream_; }

 private:
  std::string path_;
  std::FILE* stream_ = nullptr;
};

}  // namespace

bool reduceEnvelopeFile(const std::string& path, double tolerance, EnvelopeReduction* counts,
                        std::string* error) {
  // The key count comes first in the file, so the kept keys wait in a
  // scratch file until they are all known.
  ScratchFile keys;
  if (!keys.stream()) {
    *error = "cannot make a temporary file to reduce " + path;
    return false;
  }
  EnvelopeReduction seen;
  if (!writeKeptKeys(path, tolerance, keys.stream(), &seen, error)) return false;
  FileReplacement replacement;
  if (!beginFileReplacement(path.c_str(), &replacement)) {
    *error = "cannot replace envelope file " + path;
    return false;
  }
  bool written =
      put(replacement.stream, "LWEN\r\n1\r\n1\r\n" + std::to_string(seen.keysAfter) + "\r\n") &&
      copyStream(keys.stream(), replacement.stream);
  if (!finishFileReplacement(&replacement, written)) {
    *error = "cannot write envelope file " + path;
    return false;
  }
  *counts = seen;
  return true;
}
