#include "scene_tool/named_items.h"

bool NamedItems::load(const SceneDocument* document, const std::string& file,
                      std::string* error) {
  return scene_eval::sceneItemsWithFacts(document, file, &specs_, &facts_, error);
}

std::optional<std::size_t> NamedItems::find(const std::string& typed) const {
  return scene_eval::findItem(specs_, typed);
}

std::string NamedItems::unknownNameHint(const std::string& typed, const std::string& path) const {
  return scene_eval::unknownItemHint(specs_, typed, "quorvel-scene list " + path);
}

std::optional<std::size_t> NamedItems::nthGivenName(const std::string& name, int ordinal) const {
  for (std::size_t index = 0; index < specs_.size(); ++index) {
    if (specs_[index].kind == scene_eval::ItemKind::OBJECT && facts_[index].givenName == name &&
        --ordinal == 0) {
      return index;
    }
  }
  return std::nullopt;
}

int NamedItems::objectCount() const {
  int count = 0;
  for (const scene_eval::ItemSpec& spec : specs_) {
    if (spec.kind == scene_eval::ItemKind::OBJECT) ++count;
  }
  return count;
}

std::optional<std::size_t> NamedItems::atLine(int line) const {
  for (std::size_t index = 0; index < specs_.size(); ++index) {
    if (specs_[index].line == line) return index;
  }
  return std::nullopt;
}

std::string NamedItems::listingLine(std::size_t index) const {
  bool object = specs_[index].kind == scene_eval::ItemKind::OBJECT;
  return scene_eval::listingLine(specs_[index],
                                 {object ? std::to_string(facts_[index].objectNumber) : "-"});
}

std::string NamedItems::listing() const {
  std::string text;
  for (std::size_t index = 0; index < specs_.size(); ++index) text += listingLine(index);
  return text;
}
