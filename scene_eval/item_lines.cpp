// Finding a scene's items, naming them and telling repeated names apart.

#include "scene_eval/item_lines.h"

#include <charconv>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "scene_eval/scene_numbers.h"

namespace scene_eval {

namespace {

// Versions from which object and null lines carry the item's ID.
inline constexpr int FIRST_VERSION_WITH_OBJECT_IDS = 4;

// Objects, lights, cameras and bones.
inline constexpr std::size_t ITEM_KINDS = 4;

// An item ID's first hex digit is its type; the other seven its index.
inline constexpr int ID_TYPE_SHIFT = 28;
// A bone's index among its object's bones stands in the three hex digits
// after the type, its object's index in the last four.
inline constexpr int ID_BONE_INDEX_SHIFT = 16;
inline constexpr std::size_t MOST_BONES_PER_OBJECT = 0x1000;
inline constexpr std::size_t MOST_OBJECTS_WITH_BONES = 0x10000;

// The kind of item that `text` begins in a scene of `version`, if any.
bool beginsItem(const std::string& text, int version, ItemKind* kind) {
  if (hasKeyword(text, "LoadObject") || hasKeyword(text, "LoadObjectLayer") ||
      hasKeyword(text, "AddNullObject")) {
    *kind = ItemKind::Object;
  } else if (hasKeyword(text, "AddLight")) {
    *kind = ItemKind::Light;
  } else if (hasKeyword(text, version == 1 ? "ShowCamera" : "AddCamera")) {
    *kind = ItemKind::Camera;
  } else if (hasKeyword(text, "AddBone")) {
    *kind = ItemKind::Bone;
  } else {
    return false;
  }
  return true;
}

// The file name of a path without its folders, its drive and its extension.
std::string baseName(const std::string& path) {
  std::size_t separator = path.find_last_of("/\\:");
  std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
  std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

// Takes an item ID from the front of `*rest` into `*id`.
bool takeId(const FileLine& line, std::string* rest, const Complaint& complaint,
            std::string* id) {
  SplitWord split = firstWordOf(*rest);
  std::uint32_t value = 0;
  if (!parseItemId(split.word, &value)) {
    return complaint.at(line.number,
                        "expected an item ID (eight hex digits), found " + quotedLine(line.text));
  }
  *id = split.word;
  *rest = split.rest;
  return true;
}

// The name and ID an object line gives.
bool readObjectLine(const FileLine& line, int version, const Complaint& complaint,
                    ItemLines* item) {
  bool withId = version >= FIRST_VERSION_WITH_OBJECT_IDS;
  std::string rest = argumentOf(line.text);
  if (hasKeyword(line.text, "LoadObjectLayer")) {
    SplitWord layer = firstWordOf(rest);
    long number = 0;
    if (!parseInteger(layer.word, &number)) {
      return complaint.at(line.number,
                          "expected a layer number after LoadObjectLayer, found " +
                              quotedLine(line.text));
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
  if (item->name.empty()) return complaint.at(line.number, "object line without a name");
  return true;
}

// The name of a light or camera: the argument of its `keyword` line, or
// `fallback` as the host calls new ones.
std::string nameFromLine(const std::vector<FileLine>& lines, const ItemLines& item,
                         std::string_view keyword, const char* fallback) {
  std::size_t nameLine = findInItem(lines, item, keyword);
  std::string name = nameLine == item.end ? std::string() : argumentOf(lines[nameLine].text);
  return name.empty() ? fallback : name;
}

// The name and ID of the item whose lines are known.
bool readItemLine(const std::vector<FileLine>& lines, int version, const Complaint& complaint,
                  ItemLines* item) {
  const FileLine& line = lines[item->begin];
  if (item->kind == ItemKind::Object) return readObjectLine(line, version, complaint, item);
  if (item->kind == ItemKind::Camera && version == 1) {
    item->name = "Camera";
    return true;
  }
  std::string rest = argumentOf(line.text);
  if (!rest.empty() && !takeId(line, &rest, complaint, &item->fileId)) return false;
  switch (item->kind) {
    case ItemKind::Light:
      item->name = nameFromLine(lines, *item, "LightName", "Light");
      break;
    case ItemKind::Bone:
      item->name = nameFromLine(lines, *item, "BoneName", "Bone");
      break;
    default:
      item->name = nameFromLine(lines, *item, "CameraName", "Camera");
      break;
  }
  return true;
}

// Gives each bone its object: the last object before it.
bool findBoneOwners(const std::vector<FileLine>& lines, const Complaint& complaint,
                    std::vector<ItemLines>* items) {
  std::optional<std::size_t> lastObject;
  std::vector<std::size_t> bonesOf(items->size(), 0);
  for (std::size_t i = 0; i < items->size(); ++i) {
    ItemLines& item = (*items)[i];
    if (item.kind == ItemKind::Object) lastObject = i;
    if (item.kind != ItemKind::Bone) continue;
    if (!lastObject) {
      return complaint.at(lines[item.begin].number, "a bone before any object: " +
                                                        quotedLine(lines[item.begin].text));
    }
    item.owner = *lastObject;
    item.boneIndex = bonesOf[*lastObject]++;
  }
  return true;
}

}  // namespace

bool findItems(const std::vector<FileLine>& lines, int version, const Complaint& complaint,
               std::vector<ItemLines>* items) {
  std::vector<ItemLines> found;
  std::size_t counts[ITEM_KINDS] = {};
  for (std::size_t i = 0; i < lines.size(); i = pastBlock(lines, i, lines.size())) {
    ItemLines item;
    if (!beginsItem(lines[i].text, version, &item.kind)) continue;
    item.begin = i;
    item.indexInKind = counts[static_cast<std::size_t>(item.kind)]++;
    if (!found.empty()) found.back().end = i;
    found.push_back(item);
  }
  if (!found.empty()) found.back().end = lines.size();
  if (!findBoneOwners(lines, complaint, &found)) return false;
  for (ItemLines& item : found) {
    if (!readItemLine(lines, version, complaint, &item)) return false;
  }
  *items = std::move(found);
  return true;
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
  if (item.kind != ItemKind::Bone) {
    *id = itemIdOf(item.kind, item.indexInKind);
    return true;
  }
  std::size_t object = items[item.owner].indexInKind;
  if (item.boneIndex >= MOST_BONES_PER_OBJECT || object >= MOST_OBJECTS_WITH_BONES) return false;
  *id = itemIdOf(ItemKind::Bone, item.boneIndex << ID_BONE_INDEX_SHIFT | object);
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
