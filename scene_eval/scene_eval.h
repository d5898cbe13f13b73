// The evaluation of a scene file: its items (objects, lights, cameras),
// their names and IDs, and where each lies in the world at any time.
//
// The items are read from a classified scene document of any format version
// from 1 to 5: motions of every layout, spans and behaviours, pivots and
// chains of parents, evaluated as the host evaluates keyed motion. The
// library depends on the scene document library only.

#ifndef QUORVEL_SCENE_EVAL_SCENE_EVAL_H_
#define QUORVEL_SCENE_EVAL_SCENE_EVAL_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct SceneDocument;

namespace scene_eval {

struct Vector3 {
  double x = 0;
  double y = 0;
  double z = 0;
};

// A world position as a function of time in seconds.
using PositionFunction = std::function<Vector3(double seconds)>;

// Item kinds, numbered as the host's item type codes (ITEM_CAMERA is 2).
enum class ItemKind : std::int32_t { Object = 0, Light = 1, Camera = 2 };

// An item to put in the scene.
struct ItemSpec {
  ItemKind kind = ItemKind::Object;
  std::string name;
  PositionFunction worldPosition;
  std::string fileId{};  // the ID its scene file's item line gives; empty when none
  int line = 0;  // its item line's number in the scene file, from 1; 0 when not read from one
};

// Builds the items of a scene document of version 1 to 5 (its line 2), in
// file order: objects, lights and cameras, found and named by the rules of
// the file's version, and each given a name of its own (a repeated name
// becomes "NAME (N)", N the smallest from 2 that no item of the file and no
// earlier repeat has). Each item's position function gives where its pivot
// lies in the world at a time in seconds, from its motion block (any of the
// layouts of versions 1, 2 and 3 to 5), its pivot and its chain of parents
// with theirs; an item without a motion rests at the origin. The functions
// own what they need and stay valid after the document is freed.
//
// On success replaces *items and returns true. On failure (a version
// outside 1 to 5, a malformed motion, key times that do not rise, a span or
// behaviour code the host does not read, a parent that names no item, a
// cycle of parents, an object line without a name, an unreadable
// FramesPerSecond) returns false, leaves *items alone and sets *error to a
// message naming the file and line, e.g. "scene.lws:14: ...", with
// `sourceName` as the file's name and lines counted from 1.
// REQUIRES non-null `document`, `items` and `error`.
bool sceneItems(const SceneDocument* document, const std::string& sourceName,
                std::vector<ItemSpec>* items, std::string* error);

// As sceneItems, but reads only what names the items (item lines and name
// lines): the items have no position function, and motions, pivots and
// parents are not read, so a motion the host cannot read does not keep a
// user from seeing the items. Fails only for a version outside 1 to 5 or
// an item line that cannot be read.
bool listSceneItems(const SceneDocument* document, const std::string& sourceName,
                    std::vector<ItemSpec>* items, std::string* error);

}  // namespace scene_eval

#endif  // QUORVEL_SCENE_EVAL_SCENE_EVAL_H_
