// Giving an object a parent: the "ParentObject" line of its block, and the
// rewriting of a line's argument as a number that it relies on.

#include <cstdio>
#include <cstring>

#include "scene/allocation.h"
#include "scene/scene.h"
#include "scene/unlinked_lines.h"

bool setArgumentNumber(SceneLine* line, std::int32_t value) {
  char* blank = std::strchr(line->text, ' ');
  if (!blank) return false;
  char number[16];  // "-2147483648\n" and its NUL
  std::snprintf(number, sizeof number, "%d\n", static_cast<int>(value));
  std::size_t keep = static_cast<std::size_t>(blank - line->text) + 1;
  std::size_t numberLength = std::strlen(number);
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
  SceneLine* parentLine = lineOwningText(formatText("ParentObject %d\n", static_cast<int>(n)));
  if (!parentLine) return false;
  insertLineAfter(end->prev, parentLine);
  return true;
}
