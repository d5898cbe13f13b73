// Helpers for the scene core tests: documents built in memory from texts,
// owned by a pointer that frees them, and a walk that checks a document's
// links both ways.

#ifndef QUORVEL_TESTS_SCENE_CORE_DOCUMENTS_H_
#define QUORVEL_TESTS_SCENE_CORE_DOCUMENTS_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "scene/allocation.h"
#include "scene/scene.h"

struct SceneDeleter {
  void operator()(SceneDocument* document) const { freeScene(document); }
};
using ScenePtr = std::unique_ptr<SceneDocument, SceneDeleter>;

// A new unlinked line holding a copy of `text`.
inline SceneLine* lineOf(const std::string& text) {
  SceneLine* line = newSceneLine();
  line->text = copyText(text.c_str());
  return line;
}

// A classified document holding `texts` as its lines, in order.
inline ScenePtr documentOf(const std::vector<std::string>& texts) {
  auto* document = static_cast<SceneDocument*>(sceneAllocate(1, sizeof(SceneDocument)));
  for (const std::string& text : texts) appendLine(document, lineOf(text));
  classifyLines(document);
  return ScenePtr(document);
}

// The 1-based position of `line` in the document; 0 when it is not there
// (null included).
inline int positionOf(const SceneDocument* document, const SceneLine* line) {
  int position = 1;
  for (const SceneLine* each = document->first; each; each = each->next, ++position) {
    if (each == line) return position;
  }
  return 0;
}

// The line at 1-based `position`; null past the end.
inline SceneLine* lineAt(const SceneDocument* document, int position) {
  SceneLine* line = document->first;
  while (line && --position > 0) line = line->next;
  return line;
}

// The document's texts in order, after checking that following `next` from
// `first` and `prev` from `last` visit the same lines and end where they must.
inline std::vector<std::string> linkedTexts(const SceneDocument* document) {
  std::vector<std::string> texts;
  std::vector<const SceneLine*> forward;
  const SceneLine* previous = nullptr;
  for (const SceneLine* line = document->first; line; line = line->next) {
    EXPECT_EQ(line->prev, previous) << "at line " << forward.size() + 1;
    forward.push_back(line);
    texts.emplace_back(line->text);
    previous = line;
  }
  EXPECT_EQ(document->last, previous);
  std::vector<const SceneLine*> backward;
  for (const SceneLine* line = document->last; line; line = line->prev) backward.push_back(line);
  EXPECT_EQ(std::vector<const SceneLine*>(forward.rbegin(), forward.rend()), backward);
  return texts;
}

#endif  // QUORVEL_TESTS_SCENE_CORE_DOCUMENTS_H_
