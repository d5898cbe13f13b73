// Classifying a document's lines by their leading keyword, and the linear
// searches over the list that the edits use to find their way.

#include "scene/scene.h"

namespace {

struct KeywordKind {
  const char* keyword;
  LineKind kind;
};

// Tried in this order; the first keyword the text begins with decides.
constexpr KeywordKind kKeywordKinds[] = {
    {"LWSC", LINE_HEADER},          {"AddNullObject", LINE_OBJECT},
    {"LoadObject", LINE_OBJECT},    {"AmbientColor", LINE_AMBIENT},
    {"ShowCamera", LINE_CAMERA},    {"SolidBackdrop", LINE_BACKDROP},
    {"RenderMode", LINE_RENDER},    {"ViewMode", LINE_VIEW},
};

LineKind kindOf(const char* text) {
  for (const KeywordKind& entry : kKeywordKinds) {
    if (compareKeyword(text, entry.keyword) == 0) return entry.kind;
  }
  return LINE_OTHER;
}

}  // namespace

int compareKeyword(const char* text, const char* keyword) {
  for (; *keyword; ++text, ++keyword) {
    if (*text != *keyword) return 1;  // also when the text ends first
  }
  return 0;
}

void classifyLines(SceneDocument* document) {
  std::int32_t counter = 1;
  for (SceneLine* line = document->first; line; line = line->next) {
    line->kind = kindOf(line->text);
    if (line->kind == LINE_OBJECT) line->objectNumber = counter++;
  }
  document->nextObjectNumber = counter;
}

SceneLine* findLine(SceneLine* start, const char* keyword) {
  return findLineBefore(start, nullptr, keyword);
}

SceneLine* findLineBefore(SceneLine* start, SceneLine* stop, const char* keyword) {
  for (SceneLine* line = start; line && line != stop; line = line->next) {
    if (compareKeyword(line->text, keyword) == 0) return line;
  }
  return nullptr;
}

SceneLine* findObjectLine(SceneDocument* document, const char* name, int ordinal) {
  int count = 0;  // an ordinal below 1 is never reached and gives null
  for (SceneLine* line = document->first; line; line = line->next) {
    if (line->kind != LINE_OBJECT) continue;
    const char* argument = argumentOf(line->text);
    if (!argument) return nullptr;
    if (compareKeyword(argument, name) == 0 && ++count == ordinal) return line;
  }
  return nullptr;
}

SceneLine* objectInsertPoint(SceneDocument* document) {
  for (SceneLine* line = document->first; line; line = line->next) {
    if (line->kind == LINE_AMBIENT) return line->prev;
  }
  return nullptr;
}
