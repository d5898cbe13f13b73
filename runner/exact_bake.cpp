#include "runner/exact_bake.h"

#include <optional>

#include "runner/left_out_wording.h"

namespace {

using scene_eval::LeftOut;
using scene_eval::Unevaluated;

std::string lineOf(const RunScene& scene, const LeftOut& leftOut) {
  return scene.sourceName() + ":" + std::to_string(leftOut.feature.line) + ": ";
}

std::string quotedName(const RunScene& scene, std::size_t item) {
  return "\"" + scene.items()[item].name + "\"";
}

// The first bone met on the walk, if any.
const LeftOut* firstBone(const std::vector<LeftOut>& walk) {
  for (const LeftOut& leftOut : walk) {
    if (leftOut.feature.kind == Unevaluated::BONE) return &leftOut;
  }
  return nullptr;
}

// The refusal of `item`, naming the first feature met on its walk (the
// first bone, with --keyed-only) and what --keyed-only would do.
std::string refusal(const RunScene& scene, std::size_t item, const std::vector<LeftOut>& walk,
                    bool keyedOnly) {
  const LeftOut* bone = firstBone(walk);
  const LeftOut& named = keyedOnly ? *bone : walk.front();
  std::string message = lineOf(scene, named) + "cannot bake " + quotedName(scene, item) +
                        " exactly: " + leftOutPhrase(scene.items(), item, named) +
                        ", which quorvel-run does not evaluate";
  if (bone == nullptr) {
    return message + "; --keyed-only bakes it from its keyed channels, parents and pivots alone";
  }
  if (bone == &named) return message + ", not even with --keyed-only";
  return message + "; nor, even with --keyed-only, a bone: " +
         leftOutPhrase(scene.items(), item, *bone) + " at line " +
         std::to_string(bone->feature.line);
}

// Checks one measured item; see checkExactBake.
bool checkItem(const RunScene& scene, std::size_t item, bool keyedOnly,
               std::vector<std::string>* warnings, std::string* error) {
  const std::vector<LeftOut> walk = scene_eval::leftOutOf(scene.items(), item);
  if (walk.empty()) return true;
  if (!keyedOnly || firstBone(walk) != nullptr) {
    *error = refusal(scene, item, walk, keyedOnly);
    return false;
  }
  for (const LeftOut& leftOut : walk) {
    warnings->push_back(lineOf(scene, leftOut) + "--keyed-only: " + quotedName(scene, item) +
                        " is baked without what moves it here: " +
                        leftOutPhrase(scene.items(), item, leftOut));
  }
  return true;
}

}  // namespace

bool checkExactBake(const RunScene& scene, const RunOptions& options, const ItemChoice& choice,
                    std::vector<std::string>* warnings, std::string* error) {
  std::optional<std::size_t> target = options.camera ? scene.camera() : choice.target;
  if (!checkItem(scene, choice.item, options.keyedOnly, warnings, error)) return false;
  if (target && *target != choice.item &&
      !checkItem(scene, *target, options.keyedOnly, warnings, error)) {
    return false;
  }
  return true;
}
