// The doubly linked list of a document's lines: making nodes, linking them in
// and giving a whole document back.

#include "scene/allocation.h"
#include "scene/scene.h"
#include "scene/unlinked_lines.h"

// Every field is set at once, so the node needs no zero-filling first.
SceneLine* newSceneLine() {
  auto* line = static_cast<SceneLine*>(sceneAllocateUnfilled(sizeof(SceneLine)));
  if (line) *line = SceneLine{nullptr, nullptr, nullptr, LINE_HEADER, 0};
  return line;
}

void appendLine(SceneDocument* document, SceneLine* line) {
  line->prev = document->last;
  line->next = nullptr;
  if (document->last) {
    document->last->next = line;
  } else {
    document->first = line;
  }
  document->last = line;
}

void insertLineAfter(SceneLine* line, SceneLine* newLine) {
  SceneLine* successor = line->next;
  line->next = newLine;
  newLine->prev = line;
  newLine->next = successor;
  if (successor) successor->prev = newLine;
}

void freeScene(SceneDocument* document) {
  if (!document) return;
  releaseLines(document->first);
  sceneRelease(document);
}
