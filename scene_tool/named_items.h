// A scene's items as quorvel-scene names them: by the names the runner
// gives them (scene_eval), each tied to the document line that begins it,
// with its kind, its object number and its ID; found by name, listed as
// `quorvel-run --list-items` lists them.

#ifndef QUORVEL_SCENE_TOOL_NAMED_ITEMS_H_
#define QUORVEL_SCENE_TOOL_NAMED_ITEMS_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "scene/scene.h"
#include "scene_eval/item_facts.h"
#include "scene_eval/scene_eval.h"

class NamedItems {
 public:
  // Reads the items of `document` (whose file is `file`, for messages).
  // False, with `error` naming the file and line, when the runner cannot
  // list them (a version outside 1 to 5, an item line it cannot read).
  bool load(const SceneDocument* document, const std::string& file, std::string* error);

  std::size_t size() const { return specs_.size(); }
  const scene_eval::ItemSpec& spec(std::size_t index) const { return specs_[index]; }
  const scene_eval::ItemFacts& facts(std::size_t index) const { return facts_[index]; }

  // The item `typed` selects, as scene_eval::findItem finds it: "#ID", a
  // name, or a name's listed form; nothing when none is.
  std::optional<std::size_t> find(const std::string& typed) const;

  // For a message about `typed`, which selects no item of the scene at
  // `path`: the nearest names and "`quorvel-scene list PATH` shows all N".
  std::string unknownNameHint(const std::string& typed, const std::string& path) const;

  // The `ordinal`-th object (from 1) that the file itself names `name`,
  // before repeats are told apart; nothing when there is none.
  std::optional<std::size_t> nthGivenName(const std::string& name, int ordinal) const;

  // The number of objects.
  int objectCount() const;

  // The item whose item line is file line `line`; nothing when none.
  std::optional<std::size_t> atLine(int line) const;

  // One item's line of the listing: four tab-separated fields, the first
  // three as `quorvel-run --list-items` gives them (scene_eval::listingLine) (kind, name in listed
  // form, ID or "-"), then the object's number ("-" for an item that is not
  // an object), and a newline.
  std::string listingLine(std::size_t index) const;

  // Every item's listing line, in file order.
  std::string listing() const;

 private:
  std::vector<scene_eval::ItemSpec> specs_;
  std::vector<scene_eval::ItemFacts> facts_;
};

#endif  // QUORVEL_SCENE_TOOL_NAMED_ITEMS_H_
