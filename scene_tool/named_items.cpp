#include "scene_tool/named_items.h"

bool NamedItems::load(const SceneDocument* document, const std::string& file,
                      std::string* error) {
  return scene_eval::sceneItemsWithFacts(document, file, &specs_, &facts_, error);
}

std::optional<std::size_t> NamedItems::named(const std::string& name) const {
  for (std::size_t index = 0; index < specs_.size(); ++index) {
    if (specs_[index].name == name) return index;
  }
  return std::nullopt;
}

std::optional<std::size_t> NamedItems::nthGivenName(const std::string& name, int ordinal) const {
  for (std::size_t index = 0; index < specs_.size(); ++index) {
    if (specs_[index].kind == scene_eval::ItemKind::Object && facts_[index].givenName == name &&
        --ordinal == 0) {
      return index;
    }
  }
  return std::nullopt;
}

int NamedItems::objectCount() const {
  int count = 0;
  for (const scene_eval::ItemSpec& spec : specs_) {
    if (spec.kind == scene_eval::ItemKind::Object) ++count;
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
  const scene_eval::ItemSpec& item = specs_[index];
  std::string line = kindName(item.kind);
  if (item.kind == scene_eval::ItemKind::Object) {
    line += " " + std::to_string(facts_[index].objectNumber);
  }
  line += "\t" + item.name;
  if (!item.fileId.empty()) line += "\t" + item.fileId;
  return line + "\n";
}

std::string NamedItems::listing() const {
  std::string text;
  for (std::size_t index = 0; index < specs_.size(); ++index) text += listingLine(index);
  return text;
}

const char* kindName(scene_eval::ItemKind kind) {
  switch (kind) {
    case scene_eval::ItemKind::Object:
      return "object";
    case scene_eval::ItemKind::Light:
      return "light";
    case scene_eval::ItemKind::Camera:
      return "camera";
    case scene_eval::ItemKind::Bone:
      return "bone";
  }
  return "item";
}
