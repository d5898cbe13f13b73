#include "runner/item_choice.h"

namespace {

bool findNamed(const RunScene& scene, const std::string& option, const std::string& name,
               std::size_t* index, std::string* error) {
  std::optional<std::size_t> found = scene.find(name);
  if (!found) {
    *error = option + ": no item named \"" + name + "\"; " + scene.unknownNameHint(name);
    return false;
  }
  *index = *found;
  return true;
}

// The first object whose index is not `taken`.
std::optional<std::size_t> firstObjectOtherThan(const RunScene& scene,
                                                std::optional<std::size_t> taken) {
  const auto& items = scene.items();
  for (std::size_t index = 0; index < items.size(); ++index) {
    if (items[index].kind == scene_eval::ItemKind::OBJECT && index != taken) return index;
  }
  return std::nullopt;
}

}  // namespace

bool chooseItems(const RunScene& scene, const RunOptions& options, ItemChoice* choice,
                 std::string* error) {
  std::optional<std::size_t> target;
  if (options.target) {
    std::size_t index = 0;
    if (!findNamed(scene, "--target", *options.target, &index, error)) return false;
    target = index;
  }
  if (options.item) {
    if (!findNamed(scene, "--item", *options.item, &choice->item, error)) return false;
  } else {
    std::optional<std::size_t> item = firstObjectOtherThan(scene, target);
    if (!item) {
      *error = "the scene has no object to measure from; name an item with --item";
      return false;
    }
    choice->item = *item;
  }
  if (!target && !options.camera) {
    target = firstObjectOtherThan(scene, choice->item);
    if (!target) {
      *error =
          "the scene has no second object to measure to; name one with --target, or use "
          "--camera";
      return false;
    }
  }
  choice->target = target;
  return true;
}
