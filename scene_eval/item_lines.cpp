// Finding a scene's items, naming them and telling repeated names apart.

#include "scene_eval/item_lines.h"

#include <charconv>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "scene/scene.h"
#include "scene/statements.h"
#include "scene_eval/scene_numbers.h"

namespace scene_eval {

namespace {

// Objects, lights, cameras and bones.
inline constexpr std::size_t ITEM_KINDS = 4;

// An item ID's first hex digit is its type; the other seven its index.
inline constexpr int ID_TYPE_SHIFT = 28;
// A bone's index among its object's bones stands in the three hex digits
// after the type, its object's index in the last four.
inline constexpr int ID_BONE_INDEX_SHIFT = 16;
inline constexpr std::size_t MOST_BONES_PER_OBJECT = 0x1000;
inline constexpr std::size_t MOST_OBJECTS_WITH_BONES = 0x10000;

// The kind of item that `statement` begins in a scene of `version`, if any.
bool beginsItem(std::string_view statement, int version, ItemKind* kind) {
  switch (itemStatementOf(statement, version)) {
    case ItemStatement::OBJECT:
      *kind = ItemKind::OBJECT;
      return true;
    case ItemStatement::LIGHT:
      *kind = ItemKind::LIGHT;
      return true;
    case ItemStatement::CAMERA:
      *kind = ItemKind::CAMERA;
      return true;
    case ItemStatement::BONE:
      *kind = ItemKind::BONE;
      return true;
    case ItemStatement::NO_ITEM:
      break;
  }
  return false;
}

// The keyword of the line that names an item of `kind`; objects are named
// by their item lines.
std::string_view nameKeyword(ItemKind kind) {
  switch (kind) {
    case ItemKind::LIGHT:
      return "LightName";
    case ItemKind::CAMERA:
      return "CameraName";
    case ItemKind::BONE:
      return "BoneName";
    case ItemKind::OBJECT:
      break;
  }
  return {};
}

// The file name of a path without its folders, its drive and its extension.
std::string baseName(std::string_view path) {
  std::size_t separator = path.find_last_of("/\\:");
  std::string name(separator == std::string_view::npos ? path : path.substr(separator + 1));
  std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

// Takes an item ID from the front of `*rest` into `*id`.
bool takeId(const KeptLine& line, std::string_view* rest, const Complaint& complaint,
            std::string* id) {
  SplitWord split = firstWordOf(*rest);
  std::uint32_t value = 0;
  if (!parseItemId(split.word, &value)) {
    complaint.at(line.number,
                 "expected an item ID (eight hex digits), found " + quotedLine(line.text));
    return false;
  }
  *id = split.word;
  *rest = split.rest;
  return true;
}

// The name and ID an object line gives.
bool readObjectLine(const KeptLine& line, int version, const Complaint& complaint,
                    ItemLines* item) {
  bool withId = version >= FIRST_VERSION_WITH_OBJECT_IDS;
  std::string_view rest = argumentOf(line.text);
  if (hasKeyword(line.text, "LoadObjectLayer")) {
    SplitWord layer = firstWordOf(rest);
    long number = 0;
    if (!parseInteger(layer.word, &number)) {
      complaint.at(line.number,
                   "expected a layer number after LoadObjectLayer, found " +
                       quotedLine(line.text));
      return false;
    }
    rest = layer.rest;
    if (withId && !takeId(line, &rest, complaint, &item->fileId)) return false;
    item->name = baseName(rest);
  } else if (hasKeyword(line.text, "LoadObject")) {
    item->name = baseName(rest);
  } else {
    if (withId && !takeId(line, &rest, complaint, &item->fileId)) return false;
    item->name = rest;
  }
  if (item->name.empty()) {
    complaint.at(line.number, "object line without a name");
    return false;
  }
  return true;
}

// The name of a light, camera or bone: the argument of its name line, or
// `fallback` as the host calls new ones.
std::string nameFromLine(const ItemLines& item, const char* fallback) {
  std::string_view name = item.nameLine ? argumentOf(item.nameLine->text) : std::string_view();
  return name.empty() ? fallback : std::string(name);
}

// The name and ID of the item whose lines are known.
bool readItemLine(int version, const Complaint& complaint, ItemLines* item) {
  const KeptLine& line = item->itemLine;
  if (item->kind == ItemKind::OBJECT) return readObjectLine(line, version, complaint, item);
  if (item->kind == ItemKind::CAMERA && version == 1) {
    item->name = "Camera";
    return true;
  }
  std::string_view rest = argumentOf(line.text);
  if (!rest.empty() && !takeId(line, &rest, complaint, &item->fileId)) return false;
  switch (item->kind) {
    case ItemKind::LIGHT:
      item->name = nameFromLine(*item, "Light");
      break;
    case ItemKind::BONE:
      item->name = nameFromLine(*item, "Bone");
      break;
    default:
      item->name = nameFromLine(*item, "Camera");
      break;
  }
  return true;
}

// Gives each bone its object: the last object before it.
bool findBoneOwners(const Complaint& complaint, std::vector<ItemLines>* items) {
  std::optional<std::size_t> lastObject;
  std::vector<std::size_t> bonesOf(items->size(), 0);
  for (std::size_t i = 0; i < items->size(); ++i) {
    ItemLines& item = (*items)[i];
    if (item.kind == ItemKind::OBJECT) lastObject = i;
    if (item.kind != ItemKind::BONE) continue;
    if (!lastObject) {
      complaint.at(item.itemLine.number,
                   "a bone before any object: " + quotedLine(item.itemLine.text));
      return false;
    }
    item.owner = *lastObject;
    item.boneIndex = bonesOf[*lastObject]++;
  }
  return true;
}

}  // namespace

bool outlineScene(const SceneDocument* document, const Complaint& complaint,
                  SceneOutline* outline) {
  SceneOutline read;
  if (!sceneVersion(document, complaint, &read.version)) return false;
  const char* parentKeyword = read.version <= 2 ? "ParentObject" : "ParentItem";
  std::size_t counts[ITEM_KINDS] = {};
  StatementReader reader(document->first, nullptr, 1);
  BlockDepth depth;
  FileLine line;
  const SceneLine* piece = nullptr;
  auto keep = [&line] { return KeptLine{std::string(line.text), line.number}; };
  while (reader.next(&line, &piece)) {
    // Most statements are passed over at their first byte.
    std::string_view statement = withoutIndent(line.text);
    char first = statement.empty() ? '\0' : statement[0];
    if (!depth.take(statement)) continue;
    if (first == 'L' && !read.lastFrame && hasKeyword(statement, "LastFrame")) {
      read.lastFrame = keep();
    }
    if (first == 'F' && !read.framesPerSecond && hasKeyword(statement, "FramesPerSecond")) {
      read.framesPerSecond = keep();
    }
    ItemLines item;
    if (beginsItem(statement, read.version, &item.kind)) {
      if (!read.items.empty()) read.items.back().stop = piece;
      item.first = piece;
      item.itemLine = keep();
      item.indexInKind = counts[static_cast<std::size_t>(item.kind)]++;
      read.items.push_back(std::move(item));
      continue;
    }
    if (read.items.empty()) continue;
    ItemLines& current = read.items.back();
    std::string_view name = nameKeyword(current.kind);
    if (!name.empty() && first == name[0] && !current.nameLine && hasKeyword(statement, name)) {
      current.nameLine = keep();
    }
    if (first == 'P' && !current.parentLine && hasKeyword(statement, parentKeyword)) {
      current.parentLine = keep();
    }
  }
  if (!findBoneOwners(complaint, &read.items)) return false;
  for (ItemLines& item : read.items) {
    if (!readItemLine(read.version, complaint, &item)) return false;
  }
  *outline = std::move(read);
  return true;
}

ItemText itemTextOf(const ItemLines& item) {
  ItemText text{FileLines(item.first, item.stop, item.itemLine.number), item};
  text.item.begin = 0;
  text.item.end = text.text.lines().size();
  return text;
}

std::vector<std::string> distinctNames(const std::vector<ItemLines>& items) {
  std::unordered_set<std::string> taken;
  for (const ItemLines& item : items) taken.insert(item.name);
  std::unordered_set<std::string> named;
  std::unordered_map<std::string, int> nextOrdinal;
  std::vector<std::string> names;
  names.reserve(items.size());
  for (const ItemLines& item : items) {
    if (named.insert(item.name).second) {
      names.push_back(item.name);
      continue;
    }
    int& ordinal = nextOrdinal.try_emplace(item.name, 2).first->second;
    std::string name;
    do {
      name = item.name + " (" + std::to_string(ordinal++) + ")";
    } while (taken.count(name) > 0);
    taken.insert(name);
    names.push_back(std::move(name));
  }
  return names;
}

std::vector<ItemSpec> specsOf(const std::vector<ItemLines>& items) {
  std::vector<std::string> names = distinctNames(items);
  std::vector<ItemSpec> specs(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    specs[i].kind = items[i].kind;
    specs[i].name = std::move(names[i]);
    specs[i].fileId = items[i].fileId;
    specs[i].line = items[i].itemLine.number;
  }
  return specs;
}

std::size_t findInItem(const std::vector<FileLine>& lines, const ItemLines& item,
                       std::string_view keyword) {
  for (std::size_t i = item.begin + 1; i < item.end; i = pastBlock(lines, i, item.end)) {
    if (hasKeyword(lines[i].text, keyword)) return i;
  }
  return item.end;
}

std::uint32_t itemIdOf(ItemKind kind, std::size_t indexInKind) {
  std::uint32_t type = static_cast<std::uint32_t>(kind) + 1;
  return type << ID_TYPE_SHIFT | static_cast<std::uint32_t>(indexInKind);
}

bool impliedItemId(const std::vector<ItemLines>& items, const ItemLines& item, std::uint32_t* id) {
  if (item.kind != ItemKind::BONE) {
    *id = itemIdOf(item.kind, item.indexInKind);
    return true;
  }
  std::size_t object = items[item.owner].indexInKind;
  if (item.boneIndex >= MOST_BONES_PER_OBJECT || object >= MOST_OBJECTS_WITH_BONES) return false;
  *id = itemIdOf(ItemKind::BONE, item.boneIndex << ID_BONE_INDEX_SHIFT | object);
  return true;
}

bool parseItemId(std::string_view text, std::uint32_t* id) {
  constexpr std::size_t ID_DIGITS = 8;
  if (text.size() != ID_DIGITS) return false;
  const char* end = text.data() + text.size();
  std::from_chars_result read = std::from_chars(text.data(), end, *id, 16);
  return read.ec == std::errc() && read.ptr == end;
}

}  // namespace scene_eval
