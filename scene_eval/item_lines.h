// Where a scene file's items are, found in one pass over its statements:
// the lines that begin them (by the rules of the file's version), their
// names, IDs and parent lines, and the lines each one holds, read again
// only for the items asked for. Not part of the library's interface:
// include scene_eval.h.

#ifndef QUORVEL_SCENE_EVAL_ITEM_LINES_H_
#define QUORVEL_SCENE_EVAL_ITEM_LINES_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <optional>
#include <string_view>
#include <vector>

#include "scene_eval/scene_eval.h"
#include "scene_eval/scene_lines.h"

namespace scene_eval {

// A statement kept from the reading: its text and its line's number.
struct KeptLine {
  std::string text;
  int number = 0;
};

// An item: its item line, through the line before the next item line (or
// the end of the file), with what the reading kept of its lines.
struct ItemLines {
  ItemKind kind = ItemKind::OBJECT;
  const SceneLine* first = nullptr;  // the document line its item line begins at
  const SceneLine* stop = nullptr;   // the one the next item begins at; null: the end
  KeptLine itemLine;
  std::optional<KeptLine> nameLine;    // its first LightName, CameraName or BoneName, by kind
  std::optional<KeptLine> parentLine;  // its first ParentObject (versions 1, 2) or ParentItem
  std::size_t begin = 0;        // in the lines of its ItemText: its item line, 0
  std::size_t end = 0;          // in the lines of its ItemText: their count
  std::size_t indexInKind = 0;  // zero-based among the items of its kind, in file order
  std::string fileId;           // as the item line gives it; empty when it gives none
  std::string name;             // as the file names it; repeats not yet told apart
  std::size_t owner = 0;        // a bone's: the index among the items of its object
  std::size_t boneIndex = 0;    // a bone's: zero-based among its object's bones
};

// What one pass over a scene's statements finds: its version, its items,
// and the first statements of its timing outside blocks, as the edits find
// them (a plug-in's body may hold statements of its own of those names).
struct SceneOutline {
  int version = 0;
  std::vector<ItemLines> items;
  std::optional<KeptLine> lastFrame;
  std::optional<KeptLine> framesPerSecond;
};

// Reads the outline of a scene document in one pass: the version on line 2,
// then the items in file order. Item lines are found outside blocks (see
// BlockDepth):
//   objects  "LoadObject PATH", "LoadObjectLayer LAYER PATH" (version 3),
//            "LoadObjectLayer LAYER ID PATH" (versions 4, 5), "AddNullObject
//            NAME" (versions 1 to 3) or "AddNullObject ID NAME" (4, 5); a
//            loaded object is named by its file's base name without the
//            extension, after any "/", "\" or drive ":".
//   lights   "AddLight" or "AddLight ID", named by a "LightName" line
//            ("Light" without one).
//   cameras  "ShowCamera" in version 1, named "Camera"; "AddCamera" or
//            "AddCamera ID" later, named by a "CameraName" line ("Camera").
//   bones    "AddBone" or "AddBone ID", named by a "BoneName" line ("Bone"),
//            each belonging to the last object before it. A bone's lines
//            end at the next bone or item line, so that what follows an
//            object's bones up to the next item (its deformers, its
//            shadow options) is taken for its last bone's: none of it
//            moves the object.
// Fails, naming the line, where sceneVersion fails, and for an object
// without a name, an ID that is not eight hex digits, a layer that is not a
// number or a bone before any object. The items keep views of the document:
// REQUIRES that it outlives them unchanged.
bool outlineScene(const SceneDocument* document, const Complaint& complaint,
                  SceneOutline* outline);

// An item's own lines, read again from the document, and the item with
// `begin` and `end` set to index them.
struct ItemText {
  FileLines text;
  ItemLines item;
};
ItemText itemTextOf(const ItemLines& item);

// The items' names, every one distinct: an item keeps the name the file
// gives it unless an earlier item has that name; such a repeat is called
// "NAME (N)" with the smallest N from 2 up that no item of the file is
// named and no earlier repeat was given.
std::vector<std::string> distinctNames(const std::vector<ItemLines>& items);

// The first of the item's own lines (after its item line, outside blocks)
// that is a statement of `keyword`; `item.end` when there is none.
std::size_t findInItem(const std::vector<FileLine>& lines, const ItemLines& item,
                       std::string_view keyword);

// The items as listSceneItems makes them: kinds, distinct names, IDs and
// lines, without parents, features or position functions.
std::vector<ItemSpec> specsOf(const std::vector<ItemLines>& items);

// The ID of an item: its type (1 object, 2 light, 3 camera) as the first of
// eight hex digits, its zero-based index among items of its kind as the
// other seven.
std::uint32_t itemIdOf(ItemKind kind, std::size_t indexInKind);

// The ID the host gives `item`, one of `items`, when its line gives none:
// itemIdOf for an object, light or camera; for a bone 4BBBOOOO, BBB its
// index among its object's bones and OOOO its object's among the objects,
// in hex. False for a bone whose indexes do not fit those digits: no
// ParentItem line can name it.
bool impliedItemId(const std::vector<ItemLines>& items, const ItemLines& item, std::uint32_t* id);

// Reads an item ID: exactly eight hex digits.
bool parseItemId(std::string_view text, std::uint32_t* id);

}  // namespace scene_eval

#endif  // QUORVEL_SCENE_EVAL_ITEM_LINES_H_
