#include "runner/bake_progress.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

// "0:17", "12:05", "3:02:41".
std::string clockText(double seconds) {
  auto whole = static_cast<std::uint64_t>(std::ceil(seconds));
  std::uint64_t hours = whole / 3600;
  std::uint64_t minutes = whole / 60 % 60;
  std::uint64_t rest = whole % 60;
  auto twoDigits = [](std::uint64_t value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
  };
  if (hours > 0) return std::to_string(hours) + ":" + twoDigits(minutes) + ":" + twoDigits(rest);
  return std::to_string(minutes) + ":" + twoDigits(rest);
}

}  // namespace

std::string progressLine(std::uint64_t done, std::uint64_t total, double seconds) {
  std::uint64_t percent = total == 0 ? 100 : done * 100 / total;
  std::string line = "baking: " + std::to_string(percent) + "% (" + std::to_string(done) + " of " +
                     std::to_string(total) + " keys)";
  if (seconds <= 0 || done == 0) return line;
  double rate = static_cast<double>(done) / seconds;
  line += ", " + std::to_string(static_cast<std::uint64_t>(rate)) + " keys/s";
  double left = static_cast<double>(total > done ? total - done : 0) / rate;
  return line + ", " + clockText(left) + " left";
}

BakeProgress::BakeProgress(std::uint64_t total, bool shown, int columns, Writer write, Clock now)
    : total_(total),
      shown_(shown),
      columns_(columns),
      write_(std::move(write)),
      now_(std::move(now)),
      start_(now_()) {}

BakeProgress::~BakeProgress() { finish(); }

void BakeProgress::update(std::uint64_t done) {
  if (!shown_) return;
  double now = now_();
  if (now - start_ < SILENT_SECONDS) return;
  if (lastDrawn_ >= 0 && now - lastDrawn_ < REDRAW_SECONDS) return;
  std::string line = progressLine(done, total_, now - start_);
  if (columns_ > 0 && line.size() >= static_cast<std::size_t>(columns_)) line.resize(columns_ - 1);
  std::size_t length = line.size();
  if (length < drawnLength_) line.append(drawnLength_ - length, ' ');
  write_("\r" + line);
  drawnLength_ = length;
  lastDrawn_ = now;
}

void BakeProgress::finish() {
  if (lastDrawn_ < 0) return;
  write_("\r" + std::string(drawnLength_, ' ') + "\r");
  lastDrawn_ = -1;
  drawnLength_ = 0;
}

BakeProgress::Writer standardErrorWriter() {
  return [](const std::string& text) {
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
  };
}

BakeProgress::Clock steadySeconds() {
  return [] {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
  };
}
