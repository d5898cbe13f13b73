#include "scene_eval/item_facts.h"

#include "scene_eval/item_lines.h"
#include "scene_eval/item_placement.h"
#include "scene_eval/scene_lines.h"

namespace scene_eval {

namespace {

// The lines, version and items of a scene, found as listSceneItems finds them.
struct FoundItems {
  std::vector<FileLine> lines;
  int version = 0;
  std::vector<ItemLines> items;
};

bool findSceneItems(const SceneDocument* document, const Complaint& complaint,
                    FoundItems* found) {
  found->lines = fileLinesOf(document);
  return sceneVersion(found->lines, complaint, &found->version) &&
         findItems(found->lines, found->version, complaint, &found->items);
}

}  // namespace

bool sceneItemFacts(const SceneDocument* document, const std::string& sourceName,
                    std::vector<ItemFacts>* facts, std::string* error) {
  FoundItems found;
  if (!findSceneItems(document, Complaint(sourceName, error), &found)) return false;
  std::vector<ItemFacts> made(found.items.size());
  int objects = 0;
  for (std::size_t i = 0; i < found.items.size(); ++i) {
    made[i].givenName = found.items[i].name;
    if (found.items[i].kind == ItemKind::Object) made[i].objectNumber = ++objects;
  }
  *facts = std::move(made);
  return true;
}

bool sceneItemParents(const SceneDocument* document, const std::string& sourceName,
                      std::vector<ItemParent>* parents, std::string* error) {
  Complaint complaint(sourceName, error);
  FoundItems found;
  std::vector<std::size_t> indexes;
  if (!findSceneItems(document, complaint, &found) ||
      !itemParents(found.lines, found.items, found.version, complaint, &indexes)) {
    return false;
  }
  const char* keyword = found.version <= 2 ? "ParentObject" : "ParentItem";
  std::vector<ItemParent> made(found.items.size());
  for (std::size_t i = 0; i < found.items.size(); ++i) {
    if (indexes[i] == NO_PARENT) continue;
    made[i].parent = indexes[i];
    // A bone without a parent line hangs from its object all the same.
    std::size_t line = findInItem(found.lines, found.items[i], keyword);
    if (line != found.items[i].end) made[i].line = found.lines[line].number;
  }
  *parents = std::move(made);
  return true;
}

}  // namespace scene_eval
