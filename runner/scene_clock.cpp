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

std::string frameRateWarning(const std::string& sceneName, double framesPerSecond) {
  if (framesPerSecond == MODULE_FRAMES_PER_SECOND) return "";
  std::string rate = rateText(framesPerSecond);
  return sceneName + " plays " + rate +
         " frames a second, but the module samples at 30: the envelope's frame N holds the "
         "distance at N/30 s, which the scene plays at N/" +
         rate + " s, so in the scene the envelope takes " +
         rateText(MODULE_FRAMES_PER_SECOND / framesPerSecond) +
         " times as long as the motion it follows; --scene-rate bakes the scene's frame N as "
         "the envelope's frame N";
}

std::string clockNote(double framesPerSecond, bool sceneClock) {
  std::string rate = rateText(framesPerSecond);
  if (sceneClock) return ", on the scene's clock (" + rate + " frames a second)";
  if (framesPerSecond == MODULE_FRAMES_PER_SECOND) return "";
  return ", on the module's clock (30 frames a second; the scene plays " + rate + ")";
}
