// Helpers for the scene core tests: documents built from texts and freed by
// their owner, a link check, and a temporary directory with whole-file reads
// and writes.

#ifndef QUORVEL_TESTS_SCENE_CORE_DOCUMENTS_H_
#define QUORVEL_TESTS_SCENE_CORE_DOCUMENTS_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "scene/allocation.h"
#include "scene/scene.h"
#include "tests/support/test_platform.h"
#include "tests/scene/scene_test_support.h"

using Texts = std::vector<std::string>;

inline SceneLine* lineOf(const std::string& text) {
  SceneLine* line = newSceneLine();
  line->text = copyText(text.c_str());
  return line;
}

// A classified document holding `texts` as its lines.
inline SceneHandle documentOf(const Texts& texts) {
  auto* document = static_cast<SceneDocument*>(sceneAllocate(1, sizeof(SceneDocument)));
  for (const std::string& text : texts) appendLine(document, lineOf(text));
  classifyLines(document);
  return SceneHandle(document);
}

// The line at 1-based `position`; null for 0 and past the end.
inline SceneLine* lineAt(const SceneDocument* document, int position) {
  SceneLine* line = position > 0 ? document->first : nullptr;
  while (line && --position > 0) line = line->next;
  return line;
}

// The texts from `first` on, after checking that the `prev` links lead from
// `last` back over the same lines to `first`.
inline Texts linkedTexts(const SceneDocument* document) {
  Texts texts;
  std::vector<const SceneLine*> forward;
  for (const SceneLine* line = document->first; line; line = line->next) {
    forward.push_back(line);
    texts.emplace_back(line->text);
  }
  auto back = forward.rbegin();
  const SceneLine* line = document->last;
  for (; line && back != forward.rend() && *back == line; line = line->prev) ++back;
  EXPECT_TRUE(line == nullptr && back == forward.rend()) << "prev links do not mirror next links";
  return texts;
}

#endif  // QUORVEL_TESTS_SCENE_CORE_DOCUMENTS_H_
