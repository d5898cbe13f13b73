// Resolving each item's parent and refusing cycles of parents, in time
// linear in the number of items.

#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>

#include "scene_eval/item_placement.h"
#include "scene_eval/scene_numbers.h"

namespace scene_eval {

namespace {

// The item a "ParentObject N" line names: the Nth object, counted from 1.
class ObjectNumbers {
 public:
  explicit ObjectNumbers(const std::vector<ItemLines>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].kind == ItemKind::OBJECT) objects_.push_back(i);
    }
  }

  bool resolve(const KeptLine& line, const Complaint& complaint, std::size_t* parent) const {
    long number = 0;
    if (!parseInteger(argumentOf(line.text), &number)) {
      complaint.at(line.number, "expected an object number after ParentObject, found " +
                                    quotedLine(line.text));
      return false;
    }
    if (number < 1 || static_cast<unsigned long>(number) > objects_.size()) {
      complaint.at(line.number, "ParentObject " + std::to_string(number) +
                                    " names no object; the scene has " +
                                    std::to_string(objects_.size()) + " objects");
      return false;
    }
    *parent = objects_[static_cast<std::size_t>(number) - 1];
    return true;
  }

 private:
  std::vector<std::size_t> objects_;  // item indexes of the objects, in order
};

// An ID as eight hex digits.
std::string idText(std::uint32_t id) {
  constexpr int ID_DIGITS = 8;
  char digits[ID_DIGITS + 1];
  std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(id));
  return digits;
}

// The item a "ParentItem ID" line names: the item whose line gives that ID,
// or whose kind and index make it.
class ItemIds {
 public:
  bool build(const std::vector<ItemLines>& items, const Complaint& complaint) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      std::uint32_t id = 0;
      bool identified = items[i].fileId.empty() ? impliedItemId(items, items[i], &id)
                                                : parseItemId(items[i].fileId, &id);
      if (!identified) continue;
      if (!items_.emplace(id, i).second) {
        complaint.at(items[i].itemLine.number,
                     "item ID " + idText(id) + " is given to two items");
        return false;
      }
    }
    return true;
  }

  bool resolve(const KeptLine& line, const Complaint& complaint, std::size_t* parent) const {
    std::string text(argumentOf(line.text));
    std::uint32_t id = 0;
    if (!parseItemId(text, &id)) {
      complaint.at(line.number, "expected an item ID (eight hex digits) after "
                                "ParentItem, found " + quotedLine(line.text));
      return false;
    }
    auto found = items_.find(id);
    if (found == items_.end()) {
      complaint.at(line.number, "ParentItem " + text + " names no item of the scene");
      return false;
    }
    *parent = found->second;
    return true;
  }

 private:
  std::unordered_map<std::uint32_t, std::size_t> items_;
};

// Fails when following parents from some item never ends, naming the
// parent line of an item on the cycle. Each item is walked over once.
bool parentsEnd(const std::vector<ItemLines>& items, const std::vector<std::size_t>& parents,
                const Complaint& complaint) {
  enum : std::uint8_t { UNSEEN, ON_WALK, ENDS };
  std::vector<std::uint8_t> state(parents.size(), UNSEEN);
  std::vector<std::size_t> walk;
  for (std::size_t start = 0; start < parents.size(); ++start) {
    std::size_t item = start;
    walk.clear();
    while (item != NO_PARENT && state[item] == UNSEEN) {
      state[item] = ON_WALK;
      walk.push_back(item);
      item = parents[item];
    }
    if (item != NO_PARENT && state[item] == ON_WALK) {
      const KeptLine& line = *items[item].parentLine;
      complaint.at(line.number, quotedLine(line.text) + " makes a cycle of parents");
      return false;
    }
    for (std::size_t walked : walk) state[walked] = ENDS;
  }
  return true;
}

}  // namespace

bool itemParents(const std::vector<ItemLines>& items, int version, const Complaint& complaint,
                 std::vector<std::size_t>* parents) {
  bool byObjectNumber = version <= 2;
  ObjectNumbers objectNumbers(items);
  ItemIds itemIds;
  if (!byObjectNumber && !itemIds.build(items, complaint)) return false;
  std::vector<std::size_t> found(items.size(), NO_PARENT);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::optional<KeptLine>& parentLine = items[i].parentLine;
    if (!parentLine) {
      // A bone without a parent line hangs from its object.
      if (items[i].kind == ItemKind::BONE) found[i] = items[i].owner;
      continue;
    }
    bool resolved = byObjectNumber ? objectNumbers.resolve(*parentLine, complaint, &found[i])
                                   : itemIds.resolve(*parentLine, complaint, &found[i]);
    if (!resolved) return false;
  }
  if (!parentsEnd(items, found, complaint)) return false;
  *parents = std::move(found);
  return true;
}

}  // namespace scene_eval
