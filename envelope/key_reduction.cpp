#include "envelope/envelope.h"

#include <algorithm>
#include <charconv>
#include <deque>
#include <cstdio>
#include <limits>
#include <utility>

#include "file_replace/file_replace.h"

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

}  // namespace

bool reduceEnvelopeFile(const std::string& path, double tolerance, EnvelopeReduction* counts,
                        std::string* error) {
  EnvelopeReduction seen;
  {
    KeyReducer counter(tolerance, [&](const EnvelopeKey&) { ++seen.keysAfter; });
    if (!readRisingKeys(path, [&](const EnvelopeKey& key) { ++seen.keysBefore; counter.add(key); },
                        error)) {
      return false;
    }
    counter.finish();
  }
  FileReplacement replacement;
  if (!beginFileReplacement(path.c_str(), &replacement)) {
    *error = "cannot replace envelope file " + path;
    return false;
  }
  bool written = put(replacement.stream, "LWEN\r\n1\r\n1\r\n" + std::to_string(seen.keysAfter) + "\r\n");
  KeyReducer writer(tolerance, [&](const EnvelopeKey& key) {
    written = written && putKey(replacement.stream, key);
  });
  bool read = readRisingKeys(path, [&](const EnvelopeKey& key) { writer.add(key); }, error);
  if (read) writer.finish();
  if (!finishFileReplacement(&replacement, read && written) || !read) {
    if (read) *error = "cannot write envelope file " + path;
    return false;
  }
  *counts = seen;
  return true;
}
