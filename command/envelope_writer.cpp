// The envelope file as the command writes it: "LWEN", two lines of 1, the key
// count, then per key the distance and a frame line "frame 1 0 0 0" (linear
// keys). Every line ends in CR LF, written through a binary stream so the file
// is the same bytes on every platform.

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "command/command.h"

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

// An exact zero is written as the integer 0; anything else in fixed point
// with six decimals, in full however large.
void writeDistance(std::FILE* file, double distance) {
  if (distance == 0.0) {
    std::fputs("0\r\n", file);
  } else {
    std::fprintf(file, "%f\r\n", distance);
  }
}

void writeKeys(std::FILE* file, ItemId item, ItemId target, std::int32_t lastFrame,
               std::int32_t frameStep) {
  for (std::int64_t frame = 0; frame < lastFrame; frame += frameStep) {
    writeDistance(file, distanceAt(item, target, static_cast<double>(frame) / FRAMES_PER_SECOND));
    std::fprintf(file, "%d 1 0 0 0\r\n", static_cast<int>(frame));
  }
}

}  // namespace

void writeEnvelope(ItemId item, ItemId target, const char* path, std::int32_t lastFrame,
                   std::int32_t frameStep) {
  MessageServices* messages = commandServices.messages;
  if (frameStep < 1) {
    messages->errorMessage("Frame Step must be 1 or more", nullptr);
    return;
  }
  std::FILE* file = std::fopen(path, "wb");
  if (!file) {
    messages->errorMessage(path, nullptr);
    return;
  }
  std::fprintf(file, "LWEN\r\n1\r\n1\r\n%lld\r\n",
               static_cast<long long>(keyCount(lastFrame, frameStep)));
  writeKeys(file, item, target, lastFrame, frameStep);
  bool written = !std::ferror(file);
  if (std::fclose(file) != 0) written = false;
  if (!written) messages->errorMessage(path, "Unable to write envelope file");
}
