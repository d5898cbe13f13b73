// The envelope file as the command writes it: "LWEN", two lines of 1, the key
// count, then per key the distance and a frame line "frame 1 0 0 0" (linear
// keys). Every line ends in CR LF, written through a binary stream so the file
// is the same bytes on every platform. The file is replaced whole or not at
// all, so a failed or refused write leaves the previous envelope in place.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "command/command.h"
#include "file_replace/file_replace.h"

namespace {

constexpr double FRAMES_PER_SECOND = 30.0;

// Keys at frames 0, step, 2 * step, ... below lastFrame. Frames are counted
// in 64 bits, so no step can carry a frame past the 32-bit range.
std::int64_t keyCount(std::int32_t lastFrame, std::int32_t frameStep) {
  if (lastFrame < 1) return 0;
  return (static_cast<std::int64_t>(lastFrame) - 1) / frameStep + 1;
}

// The straight-line distance, as the sum of the squares in the order x, y, z.
// Where the squares overflow although the differences do not (items more
// than about 1e154 apart), the distance is taken without squaring instead.
double distanceAt(ItemId item, ItemId target, double seconds) {
  double a[3] = {0, 0, 0};
  double b[3] = {0, 0, 0};
  commandServices.itemInfo->itemParam(item, PARAM_WORLD_POSITION, seconds, a);
  commandServices.itemInfo->itemParam(target, PARAM_WORLD_POSITION, seconds, b);
  double dx = b[0] - a[0];
  double dy = b[1] - a[1];
  double dz = b[2] - a[2];
  double distance = std::sqrt((std::pow(dx, 2.0) + std::pow(dy, 2.0)) + std::pow(dz, 2.0));
  if (std::isinf(distance) && std::isfinite(dx) && std::isfinite(dy) && std::isfinite(dz)) {
    distance = std::hypot(dx, dy, dz);
  }
  return distance;
}

// Room for the longest key: "%f" of the largest double (309 digits, a
// sign, a point and six decimals), a frame and both line ends.
constexpr std::size_t KEY_CAPACITY = 400;

// The key's two lines at `at`: an exact zero as the integer 0, any other
// distance in fixed point with six decimals, in full however large, then the
// frame line. The digits are those of "%f" and "%d" in the C locale, whatever
// locale the process runs in. Returns the end of the text written.
char* formatKey(char* at, double distance, std::int64_t frame) {
  char* end = at + KEY_CAPACITY;
  if (distance == 0.0) {
    *at++ = '0';
  } else {
    at = std::to_chars(at, end, distance, std::chars_format::fixed, 6).ptr;
  }
  std::memcpy(at, "\r\n", 2);
  at = std::to_chars(at + 2, end, frame).ptr;
  std::memcpy(at, " 1 0 0 0\r\n", 10);
  return at + 10;
}

void writeHeader(std::FILE* file, std::int64_t count) {
  char line[64] = "LWEN\r\n1\r\n1\r\n";
  char* end = std::to_chars(line + 12, line + sizeof line, count).ptr;
  std::memcpy(end, "\r\n", 2);
  std::fwrite(line, 1, static_cast<std::size_t>(end + 2 - line), file);
}

// Writes the keys until the last, the first write that fails or the first
// distance that is not finite, whose frame it returns (-1 when there was
// none, so that no such number is ever written).
std::int64_t writeKeys(std::FILE* file, ItemId item, ItemId target, std::int32_t lastFrame,
                       std::int32_t frameStep) {
  char key[KEY_CAPACITY];
  for (std::int64_t frame = 0; frame < lastFrame && !std::ferror(file); frame += frameStep) {
    double distance = distanceAt(item, target, static_cast<double>(frame) / FRAMES_PER_SECOND);
    if (!std::isfinite(distance)) return frame;
    char* end = formatKey(key, distance, frame);
    std::fwrite(key, 1, static_cast<std::size_t>(end - key), file);
  }
  return -1;
}

// Tells the user at which frame the distance was not finite.
void reportNonFiniteDistance(const char* path, std::int64_t frame) {
  char text[64] = "Distance is not a finite number at frame ";
  std::size_t length = std::strlen(text);
  *std::to_chars(text + length, text + sizeof text - 1, frame).ptr = '\0';
  commandServices.messages->errorMessage(path, text);
}

}  // namespace

void writeEnvelope(ItemId item, ItemId target, const char* path, std::int32_t lastFrame,
                   std::int32_t frameStep) {
  MessageServices* messages = commandServices.messages;
  if (frameStep < 1) {
    messages->errorMessage("Frame Step must be 1 or more", nullptr);
    return;
  }
  FileReplacement replacement;
  if (!beginFileReplacement(path, &replacement)) {
    messages->errorMessage(path, nullptr);
    return;
  }
  writeHeader(replacement.stream, keyCount(lastFrame, frameStep));
  std::int64_t nonFiniteFrame = writeKeys(replacement.stream, item, target, lastFrame, frameStep);
  bool replaced = finishFileReplacement(&replacement, nonFiniteFrame < 0);
  if (nonFiniteFrame >= 0) {
    reportNonFiniteDistance(path, nonFiniteFrame);
  } else if (!replaced) {
    messages->errorMessage(path, "Unable to write envelope file");
  }
}
