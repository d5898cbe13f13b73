#include "scene_tool/scene_objects.h"

#include <charconv>
#include <cstring>

namespace {

// The first whole number in `text` after any leading blanks; nothing when
// it does not begin with one.
std::optional<std::int32_t> leadingNumber(const char* text) {
  if (!text) return std::nullopt;
  while (*text == ' ' || *text == '\t') ++text;
  std::int32_t value = 0;
  auto [stop, failure] = std::from_chars(text, text + std::strlen(text), value);
  if (failure != std::errc() || stop == text) return std::nullopt;
  return value;
}

// The text of a line after its keyword, without the line end.
std::string argumentWithoutLineEnd(const char* text) {
  const char* argument = argumentOf(text);
  if (!argument) return "";
  std::string name = argument;
  while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
  return name;
}

// The frame of the last key of the keyed list that begins at `head` and ends
// no further than `blockEnd`.
std::optional<std::int32_t> lastKeyFrame(SceneLine* head, SceneLine* blockEnd) {
  if (!head || !head->next || !head->next->next) return std::nullopt;
  std::optional<std::int32_t> keys = leadingNumber(head->next->next->text);
  SceneLine* end = findLineBefore(head, blockEnd, "EndBehavior");
  if (!keys || *keys < 1 || !end || !end->prev) return std::nullopt;
  return leadingNumber(end->prev->text);
}

SceneLine* dissolveEnvelopeOf(SceneLine* objectLine) {
  SceneLine* head = findObjDissolve(objectLine);
  if (!head || compareKeyword(head->text, "ObjDissolve (envelope)") != 0) return nullptr;
  return head;
}

// One line per item that `keyword` begins, named by the `nameKeyword` line
// that follows it before the next such item, else `defaultName`.
void listItems(SceneDocument* document, const char* keyword, const char* nameKeyword,
               const char* kind, const char* defaultName, std::string* text) {
  for (SceneLine* line = findLine(document->first, keyword); line;
       line = findLine(line->next, keyword)) {
    SceneLine* nameLine = findLineBefore(line->next, findLine(line->next, keyword), nameKeyword);
    *text += std::string(kind) + "\t" +
             (nameLine ? argumentWithoutLineEnd(nameLine->text) : std::string(defaultName)) + "\n";
  }
}

}  // namespace

std::string objectNameOf(const SceneLine* objectLine) {
  return argumentWithoutLineEnd(objectLine->text);
}

SceneLine* findNthNamed(SceneDocument* document, const std::string& name, int ordinal) {
  for (SceneLine* line = document->first; line; line = line->next) {
    if (line->kind == LINE_OBJECT && objectNameOf(line) == name && --ordinal == 0) return line;
  }
  return nullptr;
}

SceneLine* findObject(SceneDocument* document, const std::string& selector) {
  if (SceneLine* line = findNthNamed(document, selector, 1)) return line;
  std::size_t open = selector.rfind(" (");
  if (open == std::string::npos || selector.back() != ')') return nullptr;
  std::string digits = selector.substr(open + 2, selector.size() - open - 3);
  int ordinal = 0;
  auto [stop, failure] = std::from_chars(digits.data(), digits.data() + digits.size(), ordinal);
  if (failure != std::errc() || stop != digits.data() + digits.size() || ordinal < 1) {
    return nullptr;
  }
  return findNthNamed(document, selector.substr(0, open), ordinal);
}

SceneLine* findObjectNumbered(SceneDocument* document, std::int32_t number) {
  for (SceneLine* line = document->first; line; line = line->next) {
    if (line->kind == LINE_OBJECT && line->objectNumber == number) return line;
  }
  return nullptr;
}

std::optional<std::int32_t> parentNumberOf(SceneLine* objectLine) {
  SceneLine* parentLine = findParentObject(objectLine, findShadowOptions(objectLine));
  if (!parentLine) return std::nullopt;
  return leadingNumber(argumentOf(parentLine->text));
}

bool isSelfOrAncestor(SceneDocument* document, SceneLine* ancestor, SceneLine* object) {
  // A chain longer than the number of objects goes round in a circle already.
  for (std::int32_t steps = 0; object && steps < document->nextObjectNumber; ++steps) {
    if (object == ancestor) return true;
    std::optional<std::int32_t> parent = parentNumberOf(object);
    object = parent ? findObjectNumbered(document, *parent) : nullptr;
  }
  return false;
}

std::optional<std::int32_t> lastMotionKeyFrame(SceneLine* objectLine) {
  SceneLine* blockEnd = findShadowOptions(objectLine);
  return lastKeyFrame(findLineBefore(objectLine, blockEnd, "ObjectMotion"), blockEnd);
}

std::optional<std::int32_t> lastDissolveKeyFrame(SceneLine* objectLine) {
  return lastKeyFrame(dissolveEnvelopeOf(objectLine), findShadowOptions(objectLine));
}

bool hasDissolveEnvelope(SceneLine* objectLine) { return dissolveEnvelopeOf(objectLine); }

std::optional<std::int32_t> sceneVersionOf(const SceneDocument* document) {
  if (!document->first || !document->first->next) return std::nullopt;
  return leadingNumber(document->first->next->text);
}

int lineNumberOf(const SceneDocument* document, const SceneLine* line) {
  int number = 1;
  for (const SceneLine* walk = document->first; walk && walk != line; walk = walk->next) ++number;
  return number;
}

std::string selectorOf(SceneDocument* document, const SceneLine* objectLine) {
  std::string name = objectNameOf(objectLine);
  int sameName = 0;
  for (SceneLine* line = document->first; line; line = line->next) {
    if (line->kind == LINE_OBJECT && objectNameOf(line) == name) ++sameName;
    if (line == objectLine) break;
  }
  return sameName > 1 ? name + " (" + std::to_string(sameName) + ")" : name;
}

std::string sceneListing(SceneDocument* document) {
  std::string text;
  for (SceneLine* line = document->first; line; line = line->next) {
    if (line->kind != LINE_OBJECT) continue;
    text +=
        "object " + std::to_string(line->objectNumber) + "\t" + selectorOf(document, line) + "\n";
  }
  listItems(document, "AddLight", "LightName", "light", "Light", &text);
  if (findLine(document->first, "AddCamera")) {
    listItems(document, "AddCamera", "CameraName", "camera", "Camera", &text);
  } else if (findLine(document->first, "ShowCamera")) {
    text += "camera\tCamera\n";  // the one camera of a first-version scene
  }
  return text;
}
