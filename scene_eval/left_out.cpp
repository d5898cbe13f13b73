// Walking from an item up through its parents to gather what its world
// position leaves out.

#include "scene_eval/scene_eval.h"

namespace scene_eval {

std::vector<LeftOut> leftOutOf(const std::vector<ItemSpec>& items, std::size_t index) {
  std::vector<LeftOut> leftOut;
  for (const UnevaluatedFeature& feature : items[index].unevaluated) {
    if (feature.movesOwnPosition) leftOut.push_back({index, feature});
  }
  for (std::optional<std::size_t> ancestor = items[index].parent; ancestor;
       ancestor = items[*ancestor].parent) {
    for (const UnevaluatedFeature& feature : items[*ancestor].unevaluated) {
      leftOut.push_back({*ancestor, feature});
    }
  }
  return leftOut;
}

}  // namespace scene_eval
