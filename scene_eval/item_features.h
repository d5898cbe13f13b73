// Finding what in an item's own lines moves it beyond what the library
// evaluates. Not part of the library's interface: include scene_eval.h.

#ifndef QUORVEL_SCENE_EVAL_ITEM_FEATURES_H_
#define QUORVEL_SCENE_EVAL_ITEM_FEATURES_H_

#include <vector>

#include "scene_eval/scene_eval.h"
#include "scene_eval/item_lines.h"
#include "scene_eval/scene_lines.h"

namespace scene_eval {

// The unevaluated features of the item's own lines, in file order: a bone's
// item line; "Plugin ItemMotionHandler"; "GoalObject"; a rotation
// controller other than 0; "TargetItem" or "TargetObject"; a
// "PivotRotation" other than 0 0 0; and, for each of the nine channels of
// its motion (versions 3 to 5), the first line of the channel's envelope
// that is none of its key count, its "Key" lines and its "Behaviors". Fails,
// naming the line, for a controller that is not a whole number or a pivot
// rotation that is not three numbers.
bool unevaluatedFeatures(const std::vector<FileLine>& lines, const ItemLines& item,
                         const Complaint& complaint, std::vector<UnevaluatedFeature>* features);

}  // namespace scene_eval

#endif  // QUORVEL_SCENE_EVAL_ITEM_FEATURES_H_
