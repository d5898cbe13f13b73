// Which scene items quorvel-run picks in the panel's "Item" and "Target"
// lists: the ones named on the command line, else the first objects.

#ifndef QUORVEL_RUNNER_ITEM_CHOICE_H_
#define QUORVEL_RUNNER_ITEM_CHOICE_H_

#include <cstddef>
#include <optional>
#include <string>

#include "runner/run_options.h"
#include "runner/run_scene.h"

// Indexes into the scene's items.
struct ItemChoice {
  std::size_t item = 0;
  std::optional<std::size_t> target;  // none: the Target list keeps its default
};

// Resolves the names in `options`: a named item must be one that
// RunScene::find finds; an item not named is the first object not otherwise chosen. With
// --camera and no --target, the Target list is left alone. On failure (an
// unknown name, or no object to default to) returns false and sets `error`;
// an unknown name's message offers the nearest names.
bool chooseItems(const RunScene& scene, const RunOptions& options, ItemChoice* choice,
                 std::string* error);

#endif  // QUORVEL_RUNNER_ITEM_CHOICE_H_
