#include "runner/envelope_size.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "platform/platform.h"
#include "runner/output_checks.h"

namespace {

// "LWEN", "1" and "1", each with CR LF.
constexpr std::uint64_t FIXED_HEADER_BYTES = 12;
// A frame line without its frame number: " 1 0 0 0", CR LF.
constexpr std::uint64_t FRAME_LINE_TAIL_BYTES = 10;
constexpr std::uint64_t LINE_END_BYTES = 2;

std::uint64_t decimalDigits(std::uint64_t value) {
  std::uint64_t digits = 1;
  for (; value >= 10; value /= 10) ++digits;
  return digits;
}

// The sampled frames 0, step, 2 * step, ... below `limit`.
std::uint64_t framesBelow(std::int64_t limit, std::int64_t step) {
  return limit <= 0 ? 0 : static_cast<std::uint64_t>((limit - 1) / step + 1);
}

// The bytes of the frame numbers of all keys: the keys whose frame has d
// digits, for each d, times d.
std::uint64_t frameNumberBytes(std::int32_t lastFrame, std::int32_t step) {
  std::uint64_t bytes = 0;
  std::int64_t low = 0;
  for (std::uint64_t digits = 1; low < lastFrame; ++digits) {
    std::int64_t high = low == 0 ? 10 : low * 10;
    std::int64_t end = std::min<std::int64_t>(high, lastFrame);
    bytes += digits * (framesBelow(end, step) - framesBelow(low, step));
    low = high;
  }
  return bytes;
}

}  // namespace

std::uint64_t envelopeKeyCount(std::int32_t lastFrame, std::int32_t step) {
  return framesBelow(lastFrame, step);
}

std::uint64_t envelopeSizeEstimate(std::int32_t lastFrame, std::int32_t step) {
  std::uint64_t keys = envelopeKeyCount(lastFrame, step);
  return FIXED_HEADER_BYTES + decimalDigits(keys) + LINE_END_BYTES +
         keys * (VALUE_LINE_BYTES + FRAME_LINE_TAIL_BYTES) + frameNumberBytes(lastFrame, step);
}

std::string byteCountText(std::uint64_t bytes) {
  if (bytes < 1000) return std::to_string(bytes) + " bytes";
  const char* units[] = {"kB", "MB", "GB", "TB", "PB", "EB"};
  double amount = static_cast<double>(bytes) / 1000;
  std::size_t unit = 0;
  for (; amount >= 1000 && unit + 1 < std::size(units); ++unit) amount /= 1000;
  char text[32];
  auto [end, failure] = std::to_chars(text, text + sizeof text, amount, std::chars_format::fixed, 1);
  return std::string(text, failure == std::errc() ? end : text) + " " + units[unit];
}

bool envelopeFits(const std::string& path, std::int32_t lastFrame, std::int32_t step,
                  std::string* error) {
  std::filesystem::path directory = landingDirectory(path);
  std::optional<std::uint64_t> free = platform::freeBytes(directory.string());
  std::uint64_t needed = envelopeSizeEstimate(lastFrame, step);
  if (!free || needed <= *free) return true;
  *error = "the envelope " + path + " of " + std::to_string(envelopeKeyCount(lastFrame, step)) +
           " keys needs up to " + byteCountText(needed) + ", but the file system of " +
           directory.string() + " has only " + byteCountText(*free) + " free";
  return false;
}
