// Classifying a document's lines by their leading keyword, and the linear
// searches over the list that the edits use to find their way.

#include "scene/line_kind.h"
#include "scene/scene.h"

namespace {

// The kind of `keyword` when `text` begins with it, else LINE_OTHER.
LineKind kindIfKeyword(const char* text, const char* keyword, LineKind kind) {
  return compareKeyword(text, keyword) == 0 ? kind : LINE_OTHER;
}

}  // namespace

// Dispatches on the first byte, so that a line is compared with at most the
// two keywords that begin with it (no two of them begin alike).
LineKind kindOfText(const char* text) {
  switch (text[0]) {
    case 'L':
      if (text[1] == 'W') return kindIfKeyword(text, "LWSC", LINE_HEADER);
      return kindIfKeyword(text, "LoadObject", LINE_OBJECT);
    case 'A':
      if (text[1] == 'd') return kindIfKeyword(text, "AddNullObject", LINE_OBJECT);
      return kindIfKeyword(text, "AmbientColor", LINE_AMBIENT);
    case 'S':
      if (text[1] == 'h') return kindIfKeyword(text, "ShowCamera", LINE_CAMERA);
      return kindIfKeyword(text, "SolidBackdrop", LINE_BACKDROP);
    case 'R':
      return kindIfKeyword(text, "RenderMode", LINE_RENDER);
    case 'V':
      return kindIfKeyword(text, "ViewMode", LINE_VIEW);
    default:
      return LINE_OTHER;
  }
}

int compareKeyword(const char* text, const char* keyword) {
  for (; *keyword; ++text, ++keyword) {
    if (*text != *keyword) return 1;  // also when the text ends first
  }
  return 0;
}

// Writes only what changed, so that classifying a document again after an
// edit leaves the lines that kept their kind and number untouched in memory.
void classifyLines(SceneDocument* document) {
  std::int32_t counter = 1;
  for (SceneLine* line = document->first; line; line = line->next) {
    LineKind kind = kindOfText(line->text);
    if (line->kind != kind) line->kind = kind;
    if (kind == LINE_OBJECT) {
      if (line->objectNumber != counter) line->objectNumber = counter;
      ++counter;
    }
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

// Walks in from both ends at once, each line looked at once: the two walks'
// reads of memory overlap, where one walk would wait for each in turn.
SceneLine* objectInsertPoint(SceneDocument* document) {
  SceneLine* forward = document->first;   // every line before it is not ambient
  SceneLine* backward = document->last;   // every line after it has been looked at
  SceneLine* firstAmbientBehind = nullptr;  // the first ambient line after `backward`
  if (!forward) return nullptr;
  for (;;) {
    if (forward->kind == LINE_AMBIENT) return forward->prev;
    if (forward == backward) break;
    if (backward->kind == LINE_AMBIENT) firstAmbientBehind = backward;
    forward = forward->next;
    if (forward == backward) break;
    backward = backward->prev;
  }
  return firstAmbientBehind ? firstAmbientBehind->prev : nullptr;
}
