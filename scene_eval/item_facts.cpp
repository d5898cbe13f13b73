#include "scene_eval/item_facts.h"

#include "scene_eval/item_lines.h"
#include "scene_eval/item_placement.h"
#include "scene_eval/scene_lines.h"

namespace scene_eval {

namespace {

std::vector<ItemFacts> factsOf(const std::vector<ItemLines>& items) {
  std::vector<ItemFacts> facts(items.size());
  int objects = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    facts[i].givenName = items[i].name;
    if (items[i].kind == ItemKind::OBJECT) facts[i].objectNumber = ++objects;
  }
  return facts;
}

}  // namespace

bool sceneItemFacts(const SceneDocument* document, const std::string& sourceName,
                    std::vector<ItemFacts>* facts, std::string* error) {
  SceneOutline outline;
  if (!outlineScene(document, Complaint(sourceName, error), &outline)) return false;
  *facts = factsOf(outline.items);
  return true;
}

bool sceneItemsWithFacts(const SceneDocument* document, const std::string& sourceName,
                         std::vector<ItemSpec>* items, std::vector<ItemFacts>* facts,
                         std::string* error) {
  SceneOutline outline;
  if (!outlineScene(document, Complaint(sourceName, error), &outline)) return false;
  *items = specsOf(outline.items);
  *facts = factsOf(outline.items);
  return true;
}

bool sceneItemParents(const SceneDocument* document, const std::string& sourceName,
                      std::vector<ItemParent>* parents, std::string* error) {
  Complaint complaint(sourceName, error);
  SceneOutline outline;
  std::vector<std::size_t> indexes;
  if (!outlineScene(document, complaint, &outline) ||
      !itemParents(outline.items, outline.version, complaint, &indexes)) {
    return false;
  }
  std::vector<ItemParent> made(outline.items.size());
  for (std::size_t i = 0; i < outline.items.size(); ++i) {
    if (indexes[i] == NO_PARENT) continue;
    made[i].parent = indexes[i];
    // A bone without a parent line hangs from its object all the same.
    if (outline.items[i].parentLine) made[i].line = outline.items[i].parentLine->number;
  }
  *parents = std::move(made);
  return true;
}

}  // namespace scene_eval
