// Giving an object a parent: the "ParentObject" line of its block, and the
// rewriting of a line's argument as a number that it relies on.

#include <cstring>

#include "scene/allocation.h"
#include "scene/number_text.h"
#include "scene/scene.h"
#include "scene/unlinked_lines.h"

bool setArgumentNumber(SceneLine* line, std::int32_t value) {
  char* blank = std::strchr(line->text, ' ');
  if (!blank) return false;
  char number[DECIMAL_TEXT_CAPACITY + 2];  // the digits, "\n" and a NUL
  char* end = writeDecimal(number, value);
  std::memcpy(end, "\n", 2);
  std::size_t keep = static_cast<std::size_t>(blank - line->text) + 1;
  std::size_t numberLength = static_cast<std::size_t>(end + 1 - number);
  if (numberLength <= std::strlen(blank + 1)) {
    std::memcpy(blank + 1, number, numberLength + 1);
    return true;
  }
  char* grown = static_cast<char*>(sceneAllocate(keep + numberLength + 1, 1));
  if (!grown) return false;
  std::memcpy(grown, line->text, keep);
  std::memcpy(grown + keep, number, numberLength + 1);
  sceneRelease(line->text);
  line->text = grown;
  return true;
}

bool setParentObject(SceneLine* line, std::int32_t n) {
  SceneLine* end = findShadowOptions(line);
  if (!end || end == line) return false;
  SceneLine* parent = findParentObject(line, end);
  if (parent) return setArgumentNumber(parent, n);
  char text[DECIMAL_TEXT_CAPACITY + 16] = "ParentObject ";
  char* textEnd = writeDecimal(text + std::strlen(text), n);
  *textEnd++ = '\n';
  SceneLine* parentLine =
      lineOwningText(textOfBytes(text, static_cast<std::size_t>(textEnd - text)));
  if (!parentLine) return false;
  insertLineAfter(end->prev, parentLine);
  return true;
}
