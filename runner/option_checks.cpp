#include "runner/option_checks.h"

#include <cmath>
#include <limits>

#include "platform/platform.h"
#include "runner/output_checks.h"

namespace {

constexpr char SEE_THE_OPTIONS[] = "; run quorvel-run --help for the options";

// "--target excludes --camera" and the like: two options that go together
// only one way, as the parser used to word it.
bool refuseCombination(bool broken, const std::string& words, std::string* error) {
  if (broken) *error = words + SEE_THE_OPTIONS;
  return !broken;
}

bool checkCombinations(const RunOptions& options, std::string* error) {
  return refuseCombination(options.camera && options.target, "--target excludes --camera",
                           error) &&
         refuseCombination(options.verbose && !options.listItems,
                           "--verbose requires --list-items", error) &&
         refuseCombination(options.progress && options.noProgress,
                           "--progress excludes --no-progress", error) &&
         refuseCombination(options.progress && options.quiet, "--progress excludes --quiet",
                           error) &&
         refuseCombination(options.sceneRate && options.scenePath.empty(),
                           "--scene-rate requires --scene", error);
}

// The rules of several pairs, and of --reduce, which each pair shares.
bool checkPairRules(const RunOptions& options, std::string* error) {
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

// The rules of one bake: its last frame and its envelope.
bool checkBakeRules(const RunOptions& options, std::string* error) {
  if (!options.cancel && options.lastFrame && *options.lastFrame < 1) {
    *error = "--last-frame " + std::to_string(*options.lastFrame) +
             ": the module bakes the frames from 0 below the last frame, so there is none to "
             "bake; give 1 or more";
    return false;
  }
  std::string path = envelopePath(options);
  if (path.size() >= PANEL_PATH_CAPACITY) {
    *error = "the envelope path " + path + " is longer than the panel's " +
             std::to_string(PANEL_PATH_CAPACITY - 1) + " bytes";
  } else if (platform::opensOnlyWithAReader(path)) {
    *error = "the envelope path " + path + " is a pipe or socket, not a file";
  } else if (!options.plotPath.empty() && !readableBack(path)) {
    *error = "--plot: the envelope path " + path +
             " is not a regular file, so it cannot be read back to draw";
  }
  return error->empty();
}

}  // namespace

std::string envelopePath(const RunOptions& options) {
  return options.output ? *options.output
                        : options.envelopesDirectory + "/" + PANEL_ENVELOPE_NAME;
}

bool validateRunOptions(const RunOptions& options, std::string* error) {
  return checkCombinations(options, error) && checkPairRules(options, error) &&
         (bakesPairs(options) || options.listItems || checkBakeRules(options, error));
}

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
  if (options.item && options.target && choice.target == choice.item) {
    *error = "--item and --target both name \"" + itemName +
             "\": the distance would be 0 at every frame";
    return false;
  }
  if (options.camera && scene.camera() == choice.item) {
    *error = "--item names \"" + itemName +
             "\", the scene's first camera, which --camera measures to: the distance would be "
             "0 at every frame";
    return false;
  }
  return true;
}
