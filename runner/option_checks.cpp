#include "runner/option_checks.h"

#include <cmath>
#include <limits>

bool takeScenesLastFrame(const scene_eval::SceneTiming& timing, const std::string& sceneName,
                         RunOptions* options, std::string* error) {
  if (options->lastFrame || !timing.lastFrame) return true;
  std::int32_t last = *timing.lastFrame;
  std::string where = sceneName + ":" + std::to_string(timing.lastFrameLine) + ": LastFrame " +
                      std::to_string(last);
  if (last == std::numeric_limits<std::int32_t>::max()) {
    *error = where +
             " is the panel's largest frame, and the panel bakes the frames below its "
             "last frame; give --last-frame";
    return false;
  }
  if (last < 0 && !options->cancel) {
    *error = where + " leaves no frame from 0 on to bake; give --last-frame";
    return false;
  }
  options->lastFrame = last + 1;
  return true;
}

bool checkContradictions(const RunOptions& options, const RunScene& scene, const ItemChoice& choice,
                         std::string* error) {
  const std::string& itemName = scene.items()[choice.item].name;
  std::string contradiction;
  if (options.item && options.target && choice.target == choice.item) {
    contradiction = "--item and --target both name \"" + itemName +
                    "\": the distance would be 0 at every frame";
  } else if (options.camera && scene.camera() == choice.item) {
    contradiction = "--item names \"" + itemName +
                    "\", the scene's first camera, which --camera measures to: the distance "
                    "would be 0 at every frame";
  } else if (!options.cancel && options.lastFrame && *options.lastFrame < 1) {
    contradiction = "--last-frame " + std::to_string(*options.lastFrame) +
                    ": the module bakes the frames from 0 below the last frame, so there is "
                    "none to bake; give 1 or more";
  }
  if (contradiction.empty()) return true;
  *error = contradiction;
  return false;
}

bool checkPairOptions(const RunOptions& options, std::string* error) {
  if (options.reduceTolerance &&
      !(std::isfinite(*options.reduceTolerance) && *options.reduceTolerance >= 0)) {
    *error = "--reduce: the tolerance must be a finite number of 0 or more";
    return false;
  }
  if (!bakesPairs(options)) {
    if (options.pairsDirectory) {
      *error = "--output-dir is where the envelopes of --pair go: give --pair";
    }
    return error->empty();
  }
  const char* single = nullptr;
  if (options.item) single = "--item";
  if (options.target) single = "--target";
  if (options.camera) single = "--camera";
  if (options.output) single = "--output";
  if (!options.plotPath.empty()) single = "--plot";
  if (single) {
    *error = std::string(single) + " cannot be given with --pair or --pair-camera: each pair " +
             "names its own items and envelope, and a plot shows one envelope";
  }
  return error->empty();
}
