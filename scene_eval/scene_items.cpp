// The stand-in host's scene: one reading of a scene document, and the world
// positions that the motions, pivots and parents of the items it is asked
// for give them over time.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "scene_eval/scene_eval.h"
#include "scene_eval/item_features.h"
#include "scene_eval/item_lines.h"
#include "scene_eval/item_placement.h"
#include "scene_eval/motion.h"
#include "scene_eval/motion_readers.h"
#include "scene_eval/scene_lines.h"
#include "scene_eval/scene_numbers.h"
#include "scene_eval/scene_timing.h"
#include "scene_eval/world_transform.h"

namespace scene_eval {

// What places an evaluated item below its parents: its motion and pivot.
struct Placement {
  Motion motion;
  Vector3 pivot;
};

// The placements of the items evaluated so far, by item index; the position
// functions keep it alive and point into it (the nodes of an unordered map
// stay where they are while others are added).
struct SceneMotions {
  std::unordered_map<std::size_t, Placement> placements;
};

namespace {

std::string_view motionKeyword(ItemKind kind) {
  switch (kind) {
    case ItemKind::OBJECT:
      return "ObjectMotion";
    case ItemKind::LIGHT:
      return "LightMotion";
    case ItemKind::CAMERA:
      return "CameraMotion";
    case ItemKind::BONE:
      return "BoneMotion";
  }
  return "ObjectMotion";
}

// The item's motion, read as its scene's version keeps it; an item without
// a motion block rests (every channel at its rest value).
bool itemMotion(const std::vector<FileLine>& lines, const ItemLines& item, int version,
                double rate, const Complaint& complaint, Motion* motion) {
  std::size_t head = findInItem(lines, item, motionKeyword(item.kind));
  if (head == item.end) {
    *motion = Motion();
    return true;
  }
  MotionBlock block{lines, head, item.end};
  if (version == 1) return readMotionVersion1(block, rate, complaint, motion);
  if (version == 2) return readMotionVersion2(block, complaint, motion);
  return readMotionVersion3(block, complaint, motion);
}

// Where the pivot of the first item of `chain` lies in the world: `chain`
// holds it and then each item it hangs from, up to one at the top.
Vector3 worldPositionAt(const std::vector<const Placement*>& chain, double seconds) {
  // The item's own rotation and scale do not move its origin: only its
  // parents' whole transforms are needed.
  const Motion& own = chain.front()->motion;
  auto ownChannel = [&](std::size_t channel) {
    return evaluateChannel(own.channels[channel], restValue(channel), seconds);
  };
  Vector3 position{ownChannel(CHANNEL_POSITION_X), ownChannel(CHANNEL_POSITION_Y),
                   ownChannel(CHANNEL_POSITION_Z)};
  for (std::size_t up = 1; up < chain.size(); ++up) {
    Transform local = localTransform(evaluateMotion(chain[up]->motion, seconds), chain[up]->pivot);
    position = applyTransform(local, position);
  }
  return position;
}

// For each item, whether it is a bone or hangs from one. Each item is
// walked over once. REQUIRES parents without a cycle.
std::vector<bool> hangsFromBone(const std::vector<ItemLines>& items,
                                const std::vector<std::size_t>& parents) {
  enum : std::uint8_t { UNKNOWN, NO, YES };
  std::vector<std::uint8_t> state(items.size(), UNKNOWN);
  std::vector<std::size_t> walk;
  for (std::size_t start = 0; start < items.size(); ++start) {
    walk.clear();
    std::uint8_t found = NO;
    for (std::size_t item = start; item != NO_PARENT; item = parents[item]) {
      if (state[item] != UNKNOWN) {
        found = state[item];
        break;
      }
      walk.push_back(item);
      if (items[item].kind == ItemKind::BONE) {
        found = YES;
        break;
      }
    }
    for (std::size_t walked : walk) state[walked] = found;
  }
  std::vector<bool> hangs(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) hangs[i] = state[i] == YES;
  return hangs;
}

std::vector<std::size_t> allIndexes(std::size_t count) {
  std::vector<std::size_t> indexes(count);
  std::iota(indexes.begin(), indexes.end(), 0);
  return indexes;
}

}  // namespace

SceneReading::SceneReading()
    : outline_(std::make_unique<SceneOutline>()), motions_(std::make_shared<SceneMotions>()) {}

SceneReading::~SceneReading() = default;

bool SceneReading::read(const SceneDocument* document, const std::string& sourceName,
                        std::string* error) {
  sourceName_ = sourceName;
  if (!outlineScene(document, Complaint(sourceName_, error), outline_.get())) return false;
  items_ = specsOf(outline_->items);
  featuresRead_.assign(items_.size(), false);
  return true;
}

bool SceneReading::timing(SceneTiming* timing, std::string* error) const {
  return timingOf(*outline_, Complaint(sourceName_, error), timing);
}

bool SceneReading::readParents(std::string* error) {
  std::vector<std::size_t> parents;
  if (!itemParents(outline_->items, outline_->version, Complaint(sourceName_, error), &parents)) {
    return false;
  }
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (parents[i] != NO_PARENT) items_[i].parent = parents[i];
  }
  parents_ = std::move(parents);
  return true;
}

bool SceneReading::describeAll(std::string* error) {
  return readFeatures(allIndexes(items_.size()), error);
}

bool SceneReading::evaluate(const std::vector<std::size_t>& indexes, std::string* error) {
  std::vector<std::size_t> chains = withAncestors(indexes);
  if (!readMotions(chains, error) || !readFeatures(chains, error)) return false;
  givePositions(chains);
  return true;
}

bool SceneReading::evaluateAll(std::string* error) {
  std::vector<std::size_t> all = allIndexes(items_.size());
  if (!readMotions(all, error) || !readParents(error) || !readFeatures(all, error)) {
    return false;
  }
  givePositions(all);
  return true;
}

bool SceneReading::readMotions(const std::vector<std::size_t>& indexes, std::string* error) {
  Complaint complaint(sourceName_, error);
  int version = outline_->version;
  // Version 1 keys its motions by frame, which the scene's rate turns into seconds.
  double rate = DEFAULT_FRAMES_PER_SECOND;
  int rateLine = 0;
  if (version == 1 &&
      !statedFramesPerSecond(outline_->framesPerSecond, complaint, &rate, &rateLine)) {
    return false;
  }
  for (std::size_t i : indexes) {
    const ItemLines& item = outline_->items[i];
    if (item.kind == ItemKind::BONE) continue;  // bones are not evaluated
    if (motions_->placements.count(i) > 0) continue;
    ItemText text = itemTextOf(item);
    Placement placement;
    if (!itemMotion(text.text.lines(), text.item, version, rate, complaint, &placement.motion) ||
        !itemPivot(text.text.lines(), text.item, version, complaint, &placement.pivot)) {
      return false;
    }
    motions_->placements.emplace(i, std::move(placement));
  }
  return true;
}

bool SceneReading::readFeatures(const std::vector<std::size_t>& indexes, std::string* error) {
  Complaint complaint(sourceName_, error);
  for (std::size_t i : indexes) {
    if (featuresRead_[i]) continue;
    ItemText text = itemTextOf(outline_->items[i]);
    if (!unevaluatedFeatures(text.text.lines(), text.item, complaint, &items_[i].unevaluated)) {
      return false;
    }
    featuresRead_[i] = true;
  }
  return true;
}

void SceneReading::givePositions(const std::vector<std::size_t>& indexes) {
  std::vector<bool> unplaced = hangsFromBone(outline_->items, parents_);
  std::shared_ptr<const SceneMotions> shared = motions_;
  for (std::size_t i : indexes) {
    if (unplaced[i] || items_[i].worldPosition) continue;
    std::vector<const Placement*> chain;
    for (std::size_t item = i; item != NO_PARENT; item = parents_[item]) {
      chain.push_back(&motions_->placements.at(item));
    }
    items_[i].worldPosition = [shared, chain](double seconds) {
      return worldPositionAt(chain, seconds);
    };
  }
}

std::vector<std::size_t> SceneReading::withAncestors(
    const std::vector<std::size_t>& indexes) const {
  std::vector<bool> taken(items_.size(), false);
  for (std::size_t index : indexes) {
    for (std::size_t item = index; item != NO_PARENT && !taken[item]; item = parents_[item]) {
      taken[item] = true;
    }
  }
  std::vector<std::size_t> chains;
  for (std::size_t i = 0; i < taken.size(); ++i) {
    if (taken[i]) chains.push_back(i);
  }
  return chains;
}

bool listSceneItems(const SceneDocument* document, const std::string& sourceName,
                    std::vector<ItemSpec>* items, std::string* error) {
  SceneReading reading;
  if (!reading.read(document, sourceName, error)) return false;
  *items = reading.items();
  return true;
}

bool sceneItems(const SceneDocument* document, const std::string& sourceName,
                std::vector<ItemSpec>* items, std::string* error) {
  SceneReading reading;
  if (!reading.read(document, sourceName, error) || !reading.evaluateAll(error)) return false;
  *items = reading.items();
  return true;
}

bool describeSceneItems(const SceneDocument* document, const std::string& sourceName,
                        std::vector<ItemSpec>* items, std::string* error) {
  SceneReading reading;
  if (!reading.read(document, sourceName, error) || !reading.readParents(error) ||
      !reading.describeAll(error)) {
    return false;
  }
  *items = reading.items();
  return true;
}

}  // namespace scene_eval
