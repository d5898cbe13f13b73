// Facts about a scene's items beyond their names and places, for programs
// that edit scenes by the names the runner gives: the name each item's file
// gives it before repeats are told apart, the object numbers by which scenes
// of versions 1 and 2 name objects, and the item each one hangs from.

#ifndef QUORVEL_SCENE_EVAL_ITEM_FACTS_H_
#define QUORVEL_SCENE_EVAL_ITEM_FACTS_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "scene_eval/scene_eval.h"

struct SceneDocument;

namespace scene_eval {

struct ItemFacts {
  std::string givenName;  // as the file names it: "Null" for both of two nulls named so
  int objectNumber = 0;   // an object's number among the objects, from 1; 0 for other items
};

// The facts of each item, in the order of listSceneItems. Fails as
// listSceneItems fails, with the same message. REQUIRES non-null arguments.
bool sceneItemFacts(const SceneDocument* document, const std::string& sourceName,
                    std::vector<ItemFacts>* facts, std::string* error);

// The items as listSceneItems makes them and their facts, from one reading
// of the document. Fails as listSceneItems fails. REQUIRES non-null
// arguments.
bool sceneItemsWithFacts(const SceneDocument* document, const std::string& sourceName,
                         std::vector<ItemSpec>* items, std::vector<ItemFacts>* facts,
                         std::string* error);

struct ItemParent {
  std::optional<std::size_t> parent;  // the index of the item it hangs from; none for none
  int line = 0;  // the number of its parent line in the file, from 1; 0 when it has none
};

// The parent of each item, in the order of listSceneItems, as the runner
// resolves it. Fails, naming the file and line, where listSceneItems fails
// and for a parent line that names no item, an ID given to two items or a
// cycle of parents. REQUIRES non-null arguments.
bool sceneItemParents(const SceneDocument* document, const std::string& sourceName,
                      std::vector<ItemParent>* parents, std::string* error);

}  // namespace scene_eval

#endif  // QUORVEL_SCENE_EVAL_ITEM_FACTS_H_
