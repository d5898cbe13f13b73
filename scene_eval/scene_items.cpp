// The stand-in host's scene: the items of a scene document with the world
// positions their motions, pivots and parents give them over time.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
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

namespace {

std::string_view motionKeyword(ItemKind kind) {
  switch (kind) {
    case ItemKind::Object:
      return "ObjectMotion";
    case ItemKind::Light:
      return "LightMotion";
    case ItemKind::Camera:
      return "CameraMotion";
    case ItemKind::Bone:
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

// Everything the position functions need, shared by all of a scene's items
// and kept alive by them.
struct SceneMotions {
  std::vector<Motion> motions;       // per item
  std::vector<Vector3> pivots;       // per item
  std::vector<std::size_t> parents;  // per item, NO_PARENT for none; no cycles
};

Vector3 worldPositionAt(const SceneMotions& scene, std::size_t item, double seconds) {
  // The item's own rotation and scale do not move its origin: only its
  // parents' whole transforms are needed.
  const Motion& own = scene.motions[item];
  auto ownChannel = [&](std::size_t channel) {
    return evaluateChannel(own.channels[channel], restValue(channel), seconds);
  };
  Vector3 position{ownChannel(CHANNEL_POSITION_X), ownChannel(CHANNEL_POSITION_Y),
                   ownChannel(CHANNEL_POSITION_Z)};
  for (std::size_t parent = scene.parents[item]; parent != NO_PARENT;
       parent = scene.parents[parent]) {
    Transform local =
        localTransform(evaluateMotion(scene.motions[parent], seconds), scene.pivots[parent]);
    position = applyTransform(local, position);
  }
  return position;
}

// A scene's lines, version and items.
struct SceneOutline {
  std::vector<FileLine> lines;
  int version = 0;
  std::vector<ItemLines> items;
};

bool outlineOf(const SceneDocument* document, const Complaint& complaint,
               SceneOutline* outline) {
  outline->lines = fileLinesOf(document);
  return sceneVersion(outline->lines, complaint, &outline->version) &&
         findItems(outline->lines, outline->version, complaint, &outline->items);
}

// The items as specs without position functions.
std::vector<ItemSpec> specsOf(const std::vector<FileLine>& lines,
                              const std::vector<ItemLines>& items) {
  std::vector<std::string> names = distinctNames(items);
  std::vector<ItemSpec> specs(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    specs[i].kind = items[i].kind;
    specs[i].name = std::move(names[i]);
    specs[i].fileId = items[i].fileId;
    specs[i].line = lines[items[i].begin].number;
  }
  return specs;
}

// Gives the specs their parents and unevaluated features; sets *parents to
// the parents as itemParents gives them.
bool addStructure(const SceneOutline& outline, const Complaint& complaint,
                  std::vector<ItemSpec>* specs, std::vector<std::size_t>* parents) {
  if (!itemParents(outline.lines, outline.items, outline.version, complaint, parents)) {
    return false;
  }
  for (std::size_t i = 0; i < outline.items.size(); ++i) {
    ItemSpec& spec = (*specs)[i];
    if ((*parents)[i] != NO_PARENT) spec.parent = (*parents)[i];
    if (!unevaluatedFeatures(outline.lines, outline.items[i], complaint, &spec.unevaluated)) {
      return false;
    }
  }
  return true;
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
      if (items[item].kind == ItemKind::Bone) {
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

}  // namespace

bool listSceneItems(const SceneDocument* document, const std::string& sourceName,
                    std::vector<ItemSpec>* items, std::string* error) {
  Complaint complaint(sourceName, error);
  SceneOutline outline;
  if (!outlineOf(document, complaint, &outline)) return false;
  *items = specsOf(outline.lines, outline.items);
  return true;
}

bool sceneItems(const SceneDocument* document, const std::string& sourceName,
                std::vector<ItemSpec>* items, std::string* error) {
  Complaint complaint(sourceName, error);
  SceneOutline outline;
  if (!outlineOf(document, complaint, &outline)) return false;
  const std::vector<FileLine>& lines = outline.lines;
  // Version 1 keys its motions by frame, which the scene's rate turns into seconds.
  double rate = DEFAULT_FRAMES_PER_SECOND;
  int rateLine = 0;
  if (outline.version == 1 && !statedFramesPerSecond(lines, complaint, &rate, &rateLine)) {
    return false;
  }

  auto scene = std::make_shared<SceneMotions>();
  scene->motions.resize(outline.items.size());
  scene->pivots.resize(outline.items.size());
  for (std::size_t i = 0; i < outline.items.size(); ++i) {
    const ItemLines& item = outline.items[i];
    if (item.kind == ItemKind::Bone) continue;  // bones are not evaluated
    if (!itemMotion(lines, item, outline.version, rate, complaint, &scene->motions[i]) ||
        !itemPivot(lines, item, outline.version, complaint, &scene->pivots[i])) {
      return false;
    }
  }
  std::vector<ItemSpec> specs = specsOf(outline.lines, outline.items);
  if (!addStructure(outline, complaint, &specs, &scene->parents)) return false;

  std::vector<bool> unplaced = hangsFromBone(outline.items, scene->parents);
  std::shared_ptr<const SceneMotions> shared = scene;
  for (std::size_t i = 0; i < specs.size(); ++i) {
    if (unplaced[i]) continue;
    specs[i].worldPosition = [shared, i](double seconds) {
      return worldPositionAt(*shared, i, seconds);
    };
  }
  *items = std::move(specs);
  return true;
}

bool describeSceneItems(const SceneDocument* document, const std::string& sourceName,
                        std::vector<ItemSpec>* items, std::string* error) {
  Complaint complaint(sourceName, error);
  SceneOutline outline;
  if (!outlineOf(document, complaint, &outline)) return false;
  std::vector<ItemSpec> specs = specsOf(outline.lines, outline.items);
  std::vector<std::size_t> parents;
  if (!addStructure(outline, complaint, &specs, &parents)) return false;
  *items = std::move(specs);
  return true;
}

}  // namespace scene_eval
