// What places an item among the others: its parent and its pivot, read from
// the item's own lines. Not part of the library's interface: include
// scene_eval.h.

#ifndef QUORVEL_SCENE_EVAL_ITEM_PLACEMENT_H_
#define QUORVEL_SCENE_EVAL_ITEM_PLACEMENT_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene_eval/scene_eval.h"
#include "scene_eval/item_lines.h"
#include "scene_eval/scene_lines.h"

namespace scene_eval {

inline constexpr std::size_t NO_PARENT = SIZE_MAX;

// Each item's parent as an index into `items`, NO_PARENT for none, from its
// "ParentObject N" line (versions 1 and 2: N counts objects from 1) or its
// "ParentItem ID" line (versions 3 on; see itemIdOf, or the ID an item line
// gives), as outlineScene kept it. A bone without such a line hangs from
// its object. Fails, naming the line, for a parent that is no item, an ID
// given to two items, or parents that make a cycle. Linear in the number of
// items.
bool itemParents(const std::vector<ItemLines>& items, int version, const Complaint& complaint,
                 std::vector<std::size_t>* parents);

// The item's pivot in its own coordinates, from "PivotPoint X Y Z"
// (versions 1 and 2) or "PivotPosition X Y Z" (versions 3 on); the origin
// without one. Fails, naming the line, when it does not hold three numbers.
bool itemPivot(const std::vector<FileLine>& lines, const ItemLines& item, int version,
               const Complaint& complaint, Vector3* pivot);

}  // namespace scene_eval

#endif  // QUORVEL_SCENE_EVAL_ITEM_PLACEMENT_H_
