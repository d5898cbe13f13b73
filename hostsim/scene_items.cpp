// The stand-in host's scene: the items of a scene document with the world
// positions their motions and parents give them over time.

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hostsim/hostsim.h"
#include "hostsim/motion_curve.h"
#include "hostsim/world_transform.h"
#include "scene/scene.h"

namespace hostsim {

namespace {

inline constexpr double DEFAULT_FRAMES_PER_SECOND = 30;
inline constexpr std::size_t NO_PARENT = SIZE_MAX;

// ---------------------------------------------------------------------------
// File lines

// One line of the scene file. The document holds a file line longer than its
// read buffer as several pieces; they are joined here again.
struct FileLine {
  std::string text;                   // without its newline, and without a CR before it
  int number = 0;                     // counted from 1
  const SceneLine* first = nullptr;   // the document line it begins with
};

std::vector<FileLine> fileLinesOf(const SceneDocument* document) {
  std::vector<FileLine> lines;
  bool startsLine = true;
  for (const SceneLine* piece = document->first; piece != nullptr; piece = piece->next) {
    std::string_view text = piece->text != nullptr ? piece->text : "";
    if (startsLine) lines.push_back({"", static_cast<int>(lines.size()) + 1, piece});
    lines.back().text.append(text);
    startsLine = !text.empty() && text.back() == '\n';
    if (startsLine) lines.back().text.pop_back();
  }
  for (FileLine& line : lines) {
    if (!line.text.empty() && line.text.back() == '\r') line.text.pop_back();
  }
  return lines;
}

// True when `text` is a statement of `keyword`: the keyword followed by a
// blank, a tab or nothing.
bool hasKeyword(std::string_view text, std::string_view keyword) {
  if (!text.starts_with(keyword)) return false;
  return text.size() == keyword.size() || text[keyword.size()] == ' ' ||
         text[keyword.size()] == '\t';
}

// Everything after the first blank; empty when there is no blank.
std::string argumentOf(const std::string& text) {
  std::size_t blank = text.find(' ');
  return blank == std::string::npos ? std::string() : text.substr(blank + 1);
}

// ---------------------------------------------------------------------------
// Strict numbers

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The numbers of `text`, separated by blanks; false when anything else
// stands there or a number is not finite.
bool parseNumbers(const std::string& text, std::vector<double>* numbers) {
  numbers->clear();
  const char* cursor = text.c_str();
  while (true) {
    while (isBlank(*cursor)) ++cursor;
    if (*cursor == '\0') return true;
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(cursor, &end);
    if (end == cursor || errno == ERANGE || !std::isfinite(value)) return false;
    if (*end != '\0' && !isBlank(*end)) return false;
    numbers->push_back(value);
    cursor = end;
  }
}

// The one decimal integer of `text`, blanks around it allowed.
bool parseInteger(const std::string& text, long* value) {
  const char* cursor = text.c_str();
  while (isBlank(*cursor)) ++cursor;
  char* end = nullptr;
  errno = 0;
  *value = std::strtol(cursor, &end, 10);
  if (end == cursor || errno == ERANGE) return false;
  while (isBlank(*end)) ++end;
  return *end == '\0';
}

// ---------------------------------------------------------------------------
// Errors

// The line's text quoted for a message, cut short when long.
std::string quoted(const std::string& text) {
  constexpr std::size_t LONGEST = 60;
  if (text.size() <= LONGEST) return "\"" + text + "\"";
  return "\"" + text.substr(0, LONGEST) + "...\"";
}

// Reports where a scene goes wrong: "scene.lws:14: message".
class Complaint {
 public:
  Complaint(const std::string& sourceName, std::string* error)
      : sourceName_(sourceName), error_(error) {}

  // Sets the error for file line `lineNumber`; always returns false.
  bool at(int lineNumber, const std::string& message) const {
    *error_ = sourceName_ + ":" + std::to_string(lineNumber) + ": " + message;
    return false;
  }

 private:
  const std::string& sourceName_;
  std::string* error_;
};

// ---------------------------------------------------------------------------
// Items and their lines

// An item's lines: its item line at `begin`, through the line before the
// next item line (or the end of the file).
struct ItemLines {
  ItemKind kind = ItemKind::Object;
  std::size_t begin = 0;
  std::size_t end = 0;
  std::int32_t objectNumber = 0;  // for objects, as the document numbers them
};

bool isObjectLine(const FileLine& line) { return line.first->kind == LINE_OBJECT; }

std::vector<ItemLines> itemLinesOf(const std::vector<FileLine>& lines) {
  std::vector<ItemLines> items;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ItemLines item;
    item.begin = i;
    if (isObjectLine(lines[i])) {
      item.kind = ItemKind::Object;
      item.objectNumber = lines[i].first->objectNumber;
    } else if (hasKeyword(lines[i].text, "AddLight")) {
      item.kind = ItemKind::Light;
    } else if (hasKeyword(lines[i].text, "ShowCamera")) {
      item.kind = ItemKind::Camera;
    } else {
      continue;
    }
    if (!items.empty()) items.back().end = i;
    items.push_back(item);
  }
  if (!items.empty()) items.back().end = lines.size();
  return items;
}

// The first line of the item's own lines (after its item line) that is a
// statement of `keyword`; `item.end` when there is none.
std::size_t findInItem(const std::vector<FileLine>& lines, const ItemLines& item,
                       std::string_view keyword) {
  for (std::size_t i = item.begin + 1; i < item.end; ++i) {
    if (hasKeyword(lines[i].text, keyword)) return i;
  }
  return item.end;
}

// The file name of a path without its folders and its extension.
std::string baseName(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

// The item's name before repeated names are told apart.
bool itemName(const std::vector<FileLine>& lines, const ItemLines& item,
              const Complaint& complaint, std::string* name) {
  const FileLine& itemLine = lines[item.begin];
  switch (item.kind) {
    case ItemKind::Object:
      *name = argumentOf(itemLine.text);
      if (itemLine.text.starts_with("LoadObject")) *name = baseName(*name);
      if (name->empty()) return complaint.at(itemLine.number, "object line without a name");
      return true;
    case ItemKind::Light: {
      // A light without a name of its own is called what the host calls new lights.
      std::size_t nameLine = findInItem(lines, item, "LightName");
      *name = nameLine == item.end ? std::string() : argumentOf(lines[nameLine].text);
      if (name->empty()) *name = "Light";
      return true;
    }
    case ItemKind::Camera:
      *name = "Camera";
      return true;
  }
  return true;
}

// Names that repeat get the host's ordinal: "Null", "Null (2)", "Null (3)".
std::vector<std::string> toldApart(const std::vector<std::string>& names) {
  std::map<std::string, int> seen;
  std::vector<std::string> distinct;
  for (const std::string& name : names) {
    int ordinal = ++seen[name];
    distinct.push_back(ordinal == 1 ? name : name + " (" + std::to_string(ordinal) + ")");
  }
  return distinct;
}

// ---------------------------------------------------------------------------
// Motions

std::string_view motionKeyword(ItemKind kind) {
  switch (kind) {
    case ItemKind::Object:
      return "ObjectMotion";
    case ItemKind::Light:
      return "LightMotion";
    case ItemKind::Camera:
      return "CameraMotion";
  }
  return "ObjectMotion";
}

// Reads the motion block whose head is line `head`, within the item's lines
// (which end before `end`):
//   head, channel count, key count,
//   per key: nine channel values, then frame, linear, tension, continuity, bias,
//   EndBehavior.
class MotionReader {
 public:
  MotionReader(const std::vector<FileLine>& lines, std::size_t head, std::size_t end,
               const Complaint& complaint)
      : lines_(lines), head_(head), end_(end), complaint_(complaint) {}

  bool read(Motion* motion) {
    long keyCount = 0;
    if (!readChannelCount() || !readKeyCount(&keyCount)) return false;
    motion->keys.clear();
    for (long k = 0; k < keyCount; ++k) {
      MotionKey key;
      if (!readKey(keyCount, k, &key)) return false;
      if (k > 0 && !(key.frame > motion->keys.back().frame)) {
        return complaint_.at(frameLineNumber(k),
                             "key " + std::to_string(k + 1) + " does not come after the key "
                             "before it; key frames must rise");
      }
      motion->keys.push_back(key);
    }
    return readEndBehavior(keyCount, &motion->endBehavior);
  }

 private:
  static constexpr std::size_t CHANNEL_COUNT_OFFSET = 1;
  static constexpr std::size_t KEY_COUNT_OFFSET = 2;
  static constexpr std::size_t FIRST_KEY_OFFSET = 3;

  bool present(std::size_t offset) const { return head_ + offset < end_; }
  const FileLine& line(std::size_t offset) const { return lines_[head_ + offset]; }
  int frameLineNumber(long k) const {
    return line(FIRST_KEY_OFFSET + 2 * static_cast<std::size_t>(k) + 1).number;
  }

  bool readChannelCount() {
    if (!present(CHANNEL_COUNT_OFFSET)) {
      return complaint_.at(line(0).number, "motion without a channel count");
    }
    const FileLine& countLine = line(CHANNEL_COUNT_OFFSET);
    long channels = 0;
    if (!parseInteger(countLine.text, &channels)) {
      return complaint_.at(countLine.number,
                           "expected the motion's channel count, found " + quoted(countLine.text));
    }
    if (channels != static_cast<long>(MOTION_CHANNELS)) {
      return complaint_.at(countLine.number, "motion of " + std::to_string(channels) +
                                                 " channels; expected " +
                                                 std::to_string(MOTION_CHANNELS));
    }
    return true;
  }

  bool readKeyCount(long* keyCount) {
    if (!present(KEY_COUNT_OFFSET)) {
      return complaint_.at(line(CHANNEL_COUNT_OFFSET).number, "motion without a key count");
    }
    const FileLine& countLine = line(KEY_COUNT_OFFSET);
    if (!parseInteger(countLine.text, keyCount)) {
      return complaint_.at(countLine.number,
                           "expected the motion's key count, found " + quoted(countLine.text));
    }
    if (*keyCount < 1) {
      return complaint_.at(countLine.number, "key count " + std::to_string(*keyCount) +
                                                 "; a motion needs at least one key");
    }
    return true;
  }

  // True when the key line at `offset` is missing: the motion ends early.
  bool keyLineMissing(std::size_t offset) const {
    return !present(offset) || hasKeyword(line(offset).text, "EndBehavior");
  }

  bool tooFewKeys(long keyCount, long keysFound) const {
    return complaint_.at(line(KEY_COUNT_OFFSET).number,
                         "key count " + std::to_string(keyCount) + " but only " +
                             std::to_string(keysFound) + " complete keys follow");
  }

  bool readKey(long keyCount, long k, MotionKey* key) {
    std::size_t valuesOffset = FIRST_KEY_OFFSET + 2 * static_cast<std::size_t>(k);
    if (keyLineMissing(valuesOffset) || keyLineMissing(valuesOffset + 1)) {
      return tooFewKeys(keyCount, k);
    }
    std::string keyName = "key " + std::to_string(k + 1);
    const FileLine& valuesLine = line(valuesOffset);
    std::vector<double> numbers;
    if (!parseNumbers(valuesLine.text, &numbers) || numbers.size() != MOTION_CHANNELS) {
      return complaint_.at(valuesLine.number,
                           "expected 9 numbers (position, heading pitch bank, scale) for " +
                               keyName + ", found " + quoted(valuesLine.text));
    }
    std::copy(numbers.begin(), numbers.end(), key->values.begin());
    const FileLine& frameLine = line(valuesOffset + 1);
    if (!parseNumbers(frameLine.text, &numbers) || numbers.size() != 5) {
      return complaint_.at(frameLine.number,
                           "expected 5 numbers (frame, linear, tension, continuity, bias) for " +
                               keyName + ", found " + quoted(frameLine.text));
    }
    key->frame = numbers[0];
    key->linear = numbers[1] != 0;
    key->tension = numbers[2];
    key->continuity = numbers[3];
    key->bias = numbers[4];
    return true;
  }

  bool readEndBehavior(long keyCount, EndBehavior* endBehavior) {
    std::size_t offset = FIRST_KEY_OFFSET + 2 * static_cast<std::size_t>(keyCount);
    if (!present(offset)) {
      return complaint_.at(line(offset - 1).number, "motion ends without an EndBehavior line");
    }
    const FileLine& endLine = line(offset);
    std::vector<double> numbers;
    if (parseNumbers(endLine.text, &numbers) && !numbers.empty()) {
      return complaint_.at(line(KEY_COUNT_OFFSET).number,
                           "key count " + std::to_string(keyCount) + " but more keys follow");
    }
    if (!hasKeyword(endLine.text, "EndBehavior")) {
      return complaint_.at(endLine.number,
                           "expected EndBehavior after the motion's keys, found " +
                               quoted(endLine.text));
    }
    long behavior = 0;
    if (!parseInteger(argumentOf(endLine.text), &behavior) || behavior < 0 || behavior > 2) {
      return complaint_.at(endLine.number,
                           "EndBehavior must be 0, 1 or 2, found " + quoted(endLine.text));
    }
    *endBehavior = static_cast<EndBehavior>(behavior);
    return true;
  }

  const std::vector<FileLine>& lines_;
  std::size_t head_;
  std::size_t end_;
  const Complaint& complaint_;
};

// The item's motion; an item without a motion block rests at the origin.
bool itemMotion(const std::vector<FileLine>& lines, const ItemLines& item,
                const Complaint& complaint, Motion* motion) {
  std::size_t head = findInItem(lines, item, motionKeyword(item.kind));
  if (head == item.end) {
    *motion = restingMotion();
    return true;
  }
  return MotionReader(lines, head, item.end, complaint).read(motion);
}

bool framesPerSecond(const std::vector<FileLine>& lines, const Complaint& complaint,
                     double* rate) {
  *rate = DEFAULT_FRAMES_PER_SECOND;
  for (const FileLine& line : lines) {
    if (!hasKeyword(line.text, "FramesPerSecond")) continue;
    std::vector<double> numbers;
    if (!parseNumbers(argumentOf(line.text), &numbers) || numbers.size() != 1 ||
        !(numbers[0] > 0)) {
      return complaint.at(line.number,
                          "FramesPerSecond must be a positive number, found " + quoted(line.text));
    }
    *rate = numbers[0];
    return true;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Parents

// Each item's parent as an index into `items`, NO_PARENT for none.
bool itemParents(const std::vector<FileLine>& lines, const std::vector<ItemLines>& items,
                 const Complaint& complaint, std::vector<std::size_t>* parents,
                 std::vector<std::size_t>* parentLines) {
  std::map<std::int32_t, std::size_t> objectsByNumber;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].kind == ItemKind::Object) objectsByNumber[items[i].objectNumber] = i;
  }
  parents->assign(items.size(), NO_PARENT);
  parentLines->assign(items.size(), 0);
  for (std::size_t i = 0; i < items.size(); ++i) {
    std::size_t parentLine = findInItem(lines, items[i], "ParentObject");
    if (parentLine == items[i].end) continue;
    const FileLine& line = lines[parentLine];
    long number = 0;
    if (!parseInteger(argumentOf(line.text), &number)) {
      return complaint.at(line.number,
                          "expected an object number after ParentObject, found " +
                              quoted(line.text));
    }
    auto parent = number < 1 || number > INT32_MAX
                      ? objectsByNumber.end()
                      : objectsByNumber.find(static_cast<std::int32_t>(number));
    if (parent == objectsByNumber.end()) {
      return complaint.at(line.number, "ParentObject " + std::to_string(number) +
                                           " names no object; the scene has " +
                                           std::to_string(objectsByNumber.size()) + " objects");
    }
    (*parents)[i] = parent->second;
    (*parentLines)[i] = parentLine;
  }
  return true;
}

// Fails when following parents from some item never ends. After as many
// steps as there are items, a walk that has not ended stands on the cycle,
// so that item's parent line is the one named.
bool parentsEnd(const std::vector<FileLine>& lines, const std::vector<std::size_t>& parents,
                const std::vector<std::size_t>& parentLines, const Complaint& complaint) {
  for (std::size_t start = 0; start < parents.size(); ++start) {
    std::size_t item = start;
    for (std::size_t steps = 0; steps < parents.size() && parents[item] != NO_PARENT; ++steps) {
      item = parents[item];
    }
    if (parents[item] != NO_PARENT) {
      const FileLine& line = lines[parentLines[item]];
      return complaint.at(line.number, quoted(line.text) + " makes a cycle of parents");
    }
  }
  return true;
}

// ---------------------------------------------------------------------------
// Positions over time

// Everything the position functions need, shared by all of a scene's items
// and kept alive by them.
struct SceneMotions {
  double framesPerSecond = DEFAULT_FRAMES_PER_SECOND;
  std::vector<Motion> motions;       // per item
  std::vector<std::size_t> parents;  // per item, NO_PARENT for none; no cycles
};

Vector3 worldPositionAt(const SceneMotions& scene, std::size_t item, double seconds) {
  double frame = seconds * scene.framesPerSecond;
  ChannelValues own = evaluateMotion(scene.motions[item], frame);
  Vector3 position{own[CHANNEL_POSITION_X], own[CHANNEL_POSITION_Y], own[CHANNEL_POSITION_Z]};
  for (std::size_t parent = scene.parents[item]; parent != NO_PARENT;
       parent = scene.parents[parent]) {
    position = applyTransform(localTransform(evaluateMotion(scene.motions[parent], frame)),
                              position);
  }
  return position;
}

}  // namespace

bool sceneItems(const SceneDocument* document, const std::string& sourceName,
                std::vector<ItemSpec>* items, std::string* error) {
  Complaint complaint(sourceName, error);
  std::vector<FileLine> lines = fileLinesOf(document);
  std::vector<ItemLines> itemLines = itemLinesOf(lines);

  auto scene = std::make_shared<SceneMotions>();
  if (!framesPerSecond(lines, complaint, &scene->framesPerSecond)) return false;
  std::vector<std::string> names;
  for (const ItemLines& item : itemLines) {
    std::string name;
    Motion motion;
    if (!itemName(lines, item, complaint, &name)) return false;
    if (!itemMotion(lines, item, complaint, &motion)) return false;
    names.push_back(std::move(name));
    scene->motions.push_back(std::move(motion));
  }
  std::vector<std::size_t> parentLines;
  if (!itemParents(lines, itemLines, complaint, &scene->parents, &parentLines)) return false;
  if (!parentsEnd(lines, scene->parents, parentLines, complaint)) return false;

  std::vector<std::string> distinctNames = toldApart(names);
  std::shared_ptr<const SceneMotions> shared = scene;
  items->clear();
  for (std::size_t i = 0; i < itemLines.size(); ++i) {
    ItemSpec spec;
    spec.kind = itemLines[i].kind;
    spec.name = distinctNames[i];
    spec.worldPosition = [shared, i](double seconds) { return worldPositionAt(*shared, i, seconds); };
    items->push_back(std::move(spec));
  }
  return true;
}

}  // namespace hostsim
