#include "scene/object_extent.h"

#include <charconv>

#include "scene/statements.h"

namespace {

// The last line of the statement that begins at `line`: the line before the
// next statement, or the document's last line.
SceneLine* lastLineOf(SceneLine* line) {
  SceneLine* next = nextStatement(line);
  if (next) return next->prev;
  while (line->next) line = line->next;
  return line;
}

constexpr std::uint32_t OBJECT_ID_TYPE = 0x10000000;

}  // namespace

ObjectExtent objectExtentOf(SceneLine* object, int version) {
  ObjectExtent extent = {object, nullptr, nullptr, object};
  bool ownEnded = false;
  for (SceneLine* line = nextStatement(object); line; line = nextStatement(line)) {
    if (beginsItem(line, version) || isStatement(line, "AmbientColor")) {
      if (!ownEnded) extent.ownEnd = line;
      return extent;
    }
    bool shadow = isStatement(line, "ShadowOptions");
    bool bone = isStatement(line, "AddBone");
    if ((shadow || bone) && !ownEnded) {
      extent.ownEnd = line;
      ownEnded = true;
    }
    if (bone && !extent.firstBone) extent.firstBone = line;
    if (shadow) {
      extent.last = line;
      return extent;
    }
    if (!isEmptyLine(line)) extent.last = lastLineOf(line);
  }
  return extent;
}

SceneLine* lastObjectLine(SceneDocument* document) {
  SceneLine* last = nullptr;
  for (SceneLine* line = document->first; line; line = nextStatement(line)) {
    if (isObjectStatement(line)) last = line;
  }
  return last;
}

std::size_t objectIndexOf(const SceneDocument* document, const SceneLine* object) {
  std::size_t index = 0;
  for (SceneLine* line = document->first; line && line != object; line = nextStatement(line)) {
    if (isObjectStatement(line)) ++index;
  }
  return index;
}

SceneLine* newObjectPlace(SceneDocument* document, int version) {
  SceneLine* last = lastObjectLine(document);
  if (!last) {
    SceneLine* ambient = findStatement(document->first, nullptr, "AmbientColor");
    return ambient ? ambient->prev : nullptr;
  }
  SceneLine* place = objectExtentOf(last, version).last;
  if (place->next && isEmptyLine(place->next)) place = place->next;
  return place;
}

std::uint32_t objectIdOf(std::size_t index) {
  return OBJECT_ID_TYPE | static_cast<std::uint32_t>(index);
}

int objectIdWord(const SceneLine* object) {
  if (isStatement(object, "AddNullObject")) return 1;
  if (isStatement(object, "LoadObjectLayer")) return 2;
  return -1;
}

bool objectLineId(const SceneLine* object, std::uint32_t* id) {
  constexpr int MOST_WORDS = 3;
  constexpr std::size_t ID_DIGITS = 8;
  int index = objectIdWord(object);
  Word words[MOST_WORDS];
  if (index < 0 || lineWords(object, words, MOST_WORDS) <= index) return false;
  Word word = words[index];
  if (word.length != ID_DIGITS) return false;
  const char* end = word.begin + word.length;
  auto [stop, failure] = std::from_chars(word.begin, end, *id, 16);
  return failure == std::errc() && stop == end;
}

std::uint32_t objectReferenceId(const SceneDocument* document, const SceneLine* object,
                                int version) {
  std::uint32_t id = 0;
  if (version >= FIRST_VERSION_WITH_OBJECT_IDS && objectLineId(object, &id)) return id;
  return objectIdOf(objectIndexOf(document, object));
}
