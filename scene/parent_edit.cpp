// Giving an object a parent: the "ParentObject" line of its block, and the
// rewriting of a line's argument as a number that it relies on.

#include "scene/parent_edit.h"

#include <cstring>

#include "scene/allocation.h"
#include "scene/line_texts.h"
#include "scene/number_text.h"
#include "scene/unlinked_lines.h"

void planParentLine(EditPlan* plan, SceneLine* held, SceneLine* place, std::string_view keyword,
                    std::string_view reference, const char* lineEnd) {
  char* text = joinedLineText({keyword, " ", reference}, lineEnd);
  if (held) {
    plan->replaceText(held, text);
  } else {
    plan->insertAfter(place, lineOwningText(text));
  }
}

bool setArgumentNumber(SceneLine* line, std::int32_t value) {
  char* blank = std::strchr(line->text, ' ');
  if (!blank) return false;
  NumberWord word = NumberWord::decimal(value);
  std::string_view digits = word.view();
  std::size_t keep = static_cast<std::size_t>(blank - line->text) + 1;
  if (digits.size() + 1 <= std::strlen(blank + 1)) {
    std::memcpy(blank + 1, digits.data(), digits.size());
    std::memcpy(blank + 1 + digits.size(), "\n", 2);
    return true;
  }
  char* grown = joinedLineText({std::string_view(line->text, keep), digits}, "\n");
  if (!grown) return false;
  sceneRelease(line->text);
  line->text = grown;
  return true;
}

// A parent line held is rewritten after its first blank, in place when the
// number fits, and a new one goes before the first "ShadowOptions" line;
// setParentInVersion writes the whole line with the document's line end,
// and finds and places it among the object's own statements.
bool setParentObject(SceneLine* line, std::int32_t n) {
  SceneLine* end = findShadowOptions(line);
  if (!end || end == line) return false;
  SceneLine* parent = findParentObject(line, end);
  if (parent) return setArgumentNumber(parent, n);
  EditPlan plan;
  planParentLine(&plan, nullptr, end->prev, "ParentObject", NumberWord::decimal(n).view(), "\n");
  return plan.apply(nullptr);
}
