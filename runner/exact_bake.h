// The rule that every bake is exact or refused: before the module runs,
// quorvel-run looks at what the stand-in host would leave out of the
// positions of the two items measured.

#ifndef QUORVEL_RUNNER_EXACT_BAKE_H_
#define QUORVEL_RUNNER_EXACT_BAKE_H_

#include <string>
#include <vector>

#include "runner/item_choice.h"
#include "runner/run_options.h"
#include "runner/run_scene.h"

// Checks the item measured from and the one measured to (the chosen target,
// or the scene's first camera with --camera). Each must be exact: nothing on
// the walk from it up through its parents is left out (see
// scene_eval::leftOutOf). Otherwise:
// - without --keyed-only, returns false and sets *error to one message
//   "FILE:LINE: ..." naming the item, what moves it, the item carrying that
//   when it is an ancestor, and --keyed-only; LINE is that of the first
//   feature met on the walk;
// - with --keyed-only, appends to *warnings one "FILE:LINE: ..." line for
//   each feature left out, and returns true;
// - a bone met on the walk is refused even with --keyed-only, naming it.
// The item is looked at before the target. REQUIRES a scene loaded with
// its positions, and a choice that chooseItems made for it.
bool checkExactBake(const RunScene& scene, const RunOptions& options, const ItemChoice& choice,
                    std::vector<std::string>* warnings, std::string* error);

#endif  // QUORVEL_RUNNER_EXACT_BAKE_H_
