#include "runner/scene_clock.h"

#include <cstdio>
#include <utility>

namespace {

// A rate or ratio for people: "25", "29.97", "1.2".
std::string rateText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

}  // namespace

scene_eval::ItemSpec onSceneClock(scene_eval::ItemSpec item, double framesPerSecond) {
  if (!item.worldPosition) return item;
  double scale = MODULE_FRAMES_PER_SECOND / framesPerSecond;
  item.worldPosition = [position = std::move(item.worldPosition), scale](double seconds) {
    return position(seconds * scale);
  };
  return item;
}

std::string frameRateWarning(double framesPerSecond) {
  if (framesPerSecond == MODULE_FRAMES_PER_SECOND) return "";
  return "the scene plays " + rateText(framesPerSecond) +
         " fps, the module 30: --scene-rate keeps its frames";
}

std::string clockNote(double framesPerSecond, bool sceneClock) {
  std::string rate = rateText(framesPerSecond);
  if (sceneClock) return ", on the scene's clock (" + rate + " frames a second)";
  if (framesPerSecond == MODULE_FRAMES_PER_SECOND) return "";
  return ", on the module's clock (30 frames a second; the scene plays " + rate + ")";
}
