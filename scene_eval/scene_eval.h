// The evaluation of a scene file: its items (objects, lights, cameras,
// bones), their names and IDs, where each lies in the world at any time, and
// what of a scene this evaluation leaves out.
//
// The items are read from a classified scene document of any format version
// from 1 to 5: motions of every layout, spans and behaviours, pivots and
// chains of parents, evaluated as the host evaluates keyed motion. Whatever
// else moves an item (bones, inverse kinematics, motion modifiers, rotation
// controllers, pivot rotations, channel modifiers) is not evaluated but
// found and told, so that a caller can refuse what would be inexact. The
// library depends on the scene document library only.

#ifndef QUORVEL_SCENE_EVAL_SCENE_EVAL_H_
#define QUORVEL_SCENE_EVAL_SCENE_EVAL_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
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
enum class ItemKind : std::int32_t { OBJECT = 0, LIGHT = 1, CAMERA = 2, BONE = 3 };

// What moves an item beyond keyed channels, parents and pivots, the only
// things this library evaluates.
enum class Unevaluated : std::int32_t {
  BONE,                 // the item is a bone ("AddBone"): skeletons are not evaluated
  MOTION_MODIFIER,      // "Plugin ItemMotionHandler ...": a plug-in moves it
  INVERSE_KINEMATICS,   // "GoalObject N": it ends a chain solved toward a goal
  ROTATION_CONTROLLER,  // "HController N", "PController N" or "BController N", N not 0
  TARGET,               // "TargetItem ID" or "TargetObject N": it turns to face an item
  PIVOT_ROTATION,       // "PivotRotation H P B" other than 0 0 0
  CHANNEL_MODIFIER,     // a motion channel's envelope holds more than keys and behaviours
};

// One such feature in an item's own lines.
struct UnevaluatedFeature {
  Unevaluated kind = Unevaluated::BONE;
  int line = 0;           // its line in the scene file, from 1
  std::string statement;  // that line without its indent, e.g. "PController 3"
  long controller = 0;    // ROTATION_CONTROLLER: its code (1 target, 2 path, 3 inverse kinematics)
  std::size_t channel = 0;  // CHANNEL_MODIFIER: the channel, 0 to 8 (position x, y, z, heading,
                            // pitch, bank, scale x, y, z)
  // True when it moves the item's own position; false when it moves only
  // the item's rotation, scale or pivot, so that it moves only the item's
  // children (a rotation controller, a target, a pivot rotation, a modifier
  // of a rotation or scale channel).
  bool movesOwnPosition = false;
};

// An item to put in the scene.
struct ItemSpec {
  ItemKind kind = ItemKind::OBJECT;
  std::string name;
  // Null for a bone and for an item that hangs from one: their places are
  // not evaluated.
  PositionFunction worldPosition;
  std::string fileId{};  // the ID its scene file's item line gives; empty when none
  int line = 0;  // its item line's number in the scene file, from 1; 0 when not read from one
  std::optional<std::size_t> parent{};  // its parent's index among the scene's items; none at top
  std::vector<UnevaluatedFeature> unevaluated{};  // its own lines' features, in file order
};

// An unevaluated feature met on the walk from an item up through its parents.
struct LeftOut {
  std::size_t carrier = 0;  // the index among the items of the item whose lines hold it
  UnevaluatedFeature feature;
};

// What keeps the world position of items[index] from being exact, in the
// order met walking from the item up through its parents: the item's own
// features that move its own position, then each ancestor's features, each
// item's in file order. Empty when the position is exact: computed from
// keyed channels, parents and pivots alone. Linear in the depth of the item.
// REQUIRES index < items.size() and parents that are indexes of `items`
// without a cycle, as sceneItems and describeSceneItems make them.
std::vector<LeftOut> leftOutOf(const std::vector<ItemSpec>& items, std::size_t index);

// Builds the items of a scene document of version 1 to 5 (its line 2), in
// file order: objects, lights, cameras and bones, found and named by the rules of
// the file's version, and each given a name of its own (a repeated name
// becomes "NAME (N)", N the smallest from 2 that no item of the file and no
// earlier repeat has). Each item's position function gives where its pivot
// lies in the world at a time in seconds, from its motion block (any of the
// layouts of versions 1, 2 and 3 to 5), its pivot and its chain of parents
// with theirs; an item without a motion rests at the origin. The functions
// own what they need and stay valid after the document is freed. A bone,
// and an item hanging from one, gets no function. Each item also gets its
// parent and its unevaluated features (see leftOutOf).
//
// On success replaces *items and returns true. On failure (a version
// outside 1 to 5, a malformed motion, key times that do not rise, a span or
// behaviour code the host does not read, a parent that names no item, a
// cycle of parents, an object line without a name, a bone before any
// object, an unreadable FramesPerSecond, a rotation controller that is not
// a whole number, a pivot rotation that is not three numbers) returns
// false, leaves *items alone and sets *error to a message naming the file
// and line, e.g. "scene.lws:14: ...", with `sourceName` as the file's name
// and lines counted from 1; the line is always one of the file's.
// REQUIRES non-null `document`, `items` and `error`.
bool sceneItems(const SceneDocument* document, const std::string& sourceName,
                std::vector<ItemSpec>* items, std::string* error);

// As sceneItems, but motions and pivots are not read: the items have their
// parents and unevaluated features and no position function, so that a
// motion the host cannot read does not keep a user from seeing how the items
// hang together.
bool describeSceneItems(const SceneDocument* document, const std::string& sourceName,
                        std::vector<ItemSpec>* items, std::string* error);

// As sceneItems, but reads only what names the items (item lines and name
// lines): the items have no position function, and motions, pivots and
// parents are not read, so a motion the host cannot read does not keep a
// user from seeing the items. Fails only for a version outside 1 to 5 or
// an item line that cannot be read.
bool listSceneItems(const SceneDocument* document, const std::string& sourceName,
                    std::vector<ItemSpec>* items, std::string* error);

// The fewest byte insertions, deletions and substitutions that turn `a`
// into `b`: how near a mistyped name is to one there is. Time in the product
// of the lengths.
std::size_t editDistance(const std::string& a, const std::string& b);

// The word a listing gives an item's kind: "object", "light", "camera" or
// "bone".
const char* kindName(ItemKind kind);

// The form in which listings print a name, so that a listed name never holds
// a tab or a line end and never reads as an ID: every byte below 0x20, 0x7F
// and the backslash become escapes (`\t`, `\n`, `\r`, `\\`, otherwise `\xHH`
// with two upper-case hex digits), and a leading '#' becomes `\#`. Any other
// name is listed as it is.
std::string listedName(const std::string& name);

// One item's line of a listing, as quorvel-run and quorvel-scene print it:
// its kind (kindName), its name in listed form (listedName) and its ID ("-"
// when its item line gives none), then each of `moreFields`, every field
// after a tab, and a newline.
std::string listingLine(const ItemSpec& item, const std::vector<std::string>& moreFields = {});

// What the user typed to select an item: "#ID" selects the item whose file
// ID is ID, as listings print it; otherwise the item whose listed form
// (listedName) `typed` is, else the item named exactly `typed` (a name with
// a tab typed as it is). The listed form comes first so that every name a
// listing prints selects its own item. The first such item in `items`'
// order; nothing when none is.
std::optional<std::size_t> findItem(const std::vector<ItemSpec>& items, const std::string& typed);

// What to tell a user whose `typed` selects no item, for the end of a
// message: at most ten names in listed form, the closest first: a name equal
// to `typed` but for case first, as `did you mean "Ball"?`, the others by
// edit distance, then "`listCommand` shows all N". E.g. for "ball":
//   did you mean "Ball"? Also near: "Bell", "Wall"; --list-items shows all 12
// "the scene has no items" when `items` is empty.
std::string unknownItemHint(const std::vector<ItemSpec>& items, const std::string& typed,
                            const std::string& listCommand);

// How a scene plays: the last frame it states and its frames a second.
struct SceneTiming {
  std::optional<std::int32_t> lastFrame;  // "LastFrame"; nothing when the scene states none
  int lastFrameLine = 0;                  // its line's number from 1; 0 when none
  double framesPerSecond = 30;            // "FramesPerSecond"; 30 when the scene states none
  int framesPerSecondLine = 0;            // its line's number from 1; 0 when none
};

// Reads the timing of a scene document of version 1 to 5: the first line
// stating "LastFrame" and the first stating "FramesPerSecond", indent
// aside, outside blocks (a plug-in's body is its own), each as a number (version 1 writes "30.000000" where later versions
// write "30"). On success sets *timing and returns true. Fails, leaving
// *timing alone and setting *error to a message naming `sourceName` and the
// line ("scene.lws:5: ..."), for a version outside 1 to 5, a LastFrame that
// is not a whole number within 32 bits, or a FramesPerSecond that is not
// one positive number: a rate is never guessed.
// REQUIRES non-null `document`, `timing` and `error`.
bool sceneTiming(const SceneDocument* document, const std::string& sourceName, SceneTiming* timing,
                 std::string* error);

struct SceneOutline;
struct SceneMotions;

// One reading of a scene document, from which a run takes what it needs.
// One pass over the document finds the version, the items with their names
// and IDs, the lines that name their parents and the scene's timing; an
// item's other lines are read again, from the document, only for the items
// whose features or positions are asked for. Motions of other items are
// neither read nor kept.
class SceneReading {
 public:
  SceneReading();
  ~SceneReading();
  SceneReading(const SceneReading&) = delete;
  SceneReading& operator=(const SceneReading&) = delete;

  // Reads the document's outline; its items are then as listSceneItems
  // makes them, and it fails as listSceneItems fails. The reading keeps
  // views of the document: REQUIRES a non-null document that outlives the
  // reading unchanged, a non-null `error`, and no earlier read.
  bool read(const SceneDocument* document, const std::string& sourceName, std::string* error);

  // The items, as read and as the calls below add to them. REQUIRES read.
  const std::vector<ItemSpec>& items() const { return items_; }

  // The scene's timing, as sceneTiming reads it. REQUIRES read.
  bool timing(SceneTiming* timing, std::string* error) const;

  // Gives every item its parent; fails as describeSceneItems fails for a
  // parent. REQUIRES read.
  bool readParents(std::string* error);

  // Gives every item its unevaluated features; the items are then as
  // describeSceneItems makes them. REQUIRES readParents.
  bool describeAll(std::string* error);

  // Gives the items at `indexes`, and every item they hang from, their
  // unevaluated features and (but to bones and items that hang from one)
  // position functions, as sceneItems does; items given them before keep
  // theirs. Fails, naming the file and line, for what of those items'
  // motions, pivots and features sceneItems fails for. REQUIRES readParents
  // and indexes of items.
  bool evaluate(const std::vector<std::size_t>& indexes, std::string* error);

  // Evaluates every item, failing in the order sceneItems fails: the
  // rate, each item's motion and pivot, the parents, then the features.
  // REQUIRES read, and no readParents.
  bool evaluateAll(std::string* error);

 private:
  bool readMotions(const std::vector<std::size_t>& indexes, std::string* error);
  bool readFeatures(const std::vector<std::size_t>& indexes, std::string* error);
  void givePositions(const std::vector<std::size_t>& indexes);
  std::vector<std::size_t> withAncestors(const std::vector<std::size_t>& indexes) const;

  std::string sourceName_;
  std::unique_ptr<SceneOutline> outline_;
  std::vector<std::size_t> parents_;   // per item; empty until readParents
  std::vector<bool> featuresRead_;     // per item
  std::shared_ptr<SceneMotions> motions_;  // of the items evaluated; shared with their functions
  std::vector<ItemSpec> items_;
};

}  // namespace scene_eval

#endif  // QUORVEL_SCENE_EVAL_SCENE_EVAL_H_
