// Helpers shared by the scene tests: documents made from a text without a
// file, a document's text as one string, and the check that an edit is all
// or nothing when memory runs out.

#ifndef QUORVEL_TESTS_SCENE_SCENE_TEST_SUPPORT_H_
#define QUORVEL_TESTS_SCENE_SCENE_TEST_SUPPORT_H_

#include <functional>
#include <memory>
#include <string>

#include "scene/scene.h"

// Releases a document with freeScene when it goes out of scope.
struct SceneHandleRelease {
  void operator()(SceneDocument* document) const { freeScene(document); }
};
using SceneHandle = std::unique_ptr<SceneDocument, SceneHandleRelease>;

// A new classified document whose lines are those of `text`, each with its
// newline (a last piece without one stays without). Owned by the caller.
SceneDocument* documentFromText(const std::string& text);

// Every line's text, in order, as one string: what writeScene would write.
std::string documentText(const SceneDocument* document);

// The number of lines, after checking (with gtest expectations) that `next`
// from `first` and `prev` from `last` visit the same lines and end where the
// document says.
int checkedLineCount(const SceneDocument* document);

// The first line whose text is exactly `text` (newline included); null when
// none.
SceneLine* lineWithText(const SceneDocument* document, const std::string& text);

// Runs `edit` on a fresh document from `makeDocument` with the edit's first,
// second, ... allocation failing, until a run meets no failure. After every
// run that met one it checks (with gtest expectations) that the edit reported
// failure, and that the document's text, links, kinds and numbers and the
// live allocations are exactly as before. Returns the allocations that the
// complete run made, whose success it also checks.
long expectAllOrNothing(const std::function<SceneDocument*()>& makeDocument,
                        const std::function<bool(SceneDocument*)>& edit);

// Runs `edit` once on a document made from `scene` and checks its result,
// the document's links and its text afterwards: `expected` after success,
// `scene` itself after failure, which must also leave no allocation behind.
// A successful edit is then proven all or nothing with expectAllOrNothing.
void expectEdit(const std::string& scene, const std::function<bool(SceneDocument*)>& edit,
                bool result, const std::string& expected);

#endif  // QUORVEL_TESTS_SCENE_SCENE_TEST_SUPPORT_H_
