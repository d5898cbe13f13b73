#include "tests/scene/scene_test_support.h"

#include <gtest/gtest.h>

#include <vector>

#include "failing_allocation/failing_allocation.h"
#include "scene/allocation.h"

SceneDocument* documentFromText(const std::string& text) {
  auto* document = static_cast<SceneDocument*>(sceneAllocate(1, sizeof(SceneDocument)));
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t newline = text.find('\n', start);
    std::size_t end = newline == std::string::npos ? text.size() : newline + 1;
    SceneLine* line = newSceneLine();
    line->text = copyText(text.substr(start, end - start).c_str());
    appendLine(document, line);
    start = end;
  }
  classifyLines(document);
  return document;
}

std::string documentText(const SceneDocument* document) {
  std::string text;
  for (const SceneLine* line = document->first; line; line = line->next) text += line->text;
  return text;
}

int checkedLineCount(const SceneDocument* document) {
  std::vector<const SceneLine*> forward;
  const SceneLine* previous = nullptr;
  for (const SceneLine* line = document->first; line; line = line->next) {
    EXPECT_EQ(line->prev, previous) << "at line " << forward.size() + 1;
    forward.push_back(line);
    previous = line;
  }
  EXPECT_EQ(document->last, previous);
  std::vector<const SceneLine*> backward;
  for (const SceneLine* line = document->last; line; line = line->prev) backward.push_back(line);
  EXPECT_EQ(std::vector<const SceneLine*>(forward.rbegin(), forward.rend()), backward);
  return static_cast<int>(forward.size());
}

SceneLine* lineWithText(const SceneDocument* document, const std::string& text) {
  for (SceneLine* line = document->first; line; line = line->next) {
    if (text == line->text) return line;
  }
  return nullptr;
}

namespace {

// What an edit must leave as it found when it fails: every line's text,
// kind and number in order, the links both ways and the document's fields.
struct DocumentState {
  std::vector<std::string> texts;
  std::vector<int> kinds;
  std::vector<int> numbers;
  std::vector<const SceneLine*> forward;
  std::vector<const SceneLine*> backward;
  const SceneLine* last;
  int nextObjectNumber;

  bool operator==(const DocumentState&) const = default;
};

DocumentState stateOf(const SceneDocument* document) {
  DocumentState state{{}, {}, {}, {}, {}, document->last, document->nextObjectNumber};
  for (const SceneLine* line = document->first; line; line = line->next) {
    state.texts.emplace_back(line->text);
    state.kinds.push_back(line->kind);
    state.numbers.push_back(line->objectNumber);
    state.forward.push_back(line);
  }
  for (const SceneLine* line = document->last; line; line = line->prev) {
    state.backward.push_back(line);
  }
  return state;
}

}  // namespace

long expectAllOrNothing(const std::function<SceneDocument*()>& makeDocument,
                        const std::function<bool(SceneDocument*)>& edit) {
  for (long n = 1;; ++n) {
    SceneHandle document(makeDocument());
    DocumentState before = stateOf(document.get());
    long liveBefore = liveAllocations();
    failAllocationsFrom(n);
    bool succeeded = edit(document.get());
    long attempted = allocationsAttempted();
    failAllocationsFrom(0);
    if (attempted < n) {
      EXPECT_TRUE(succeeded) << "the edit failed with every allocation granted";
      return attempted;
    }
    EXPECT_FALSE(succeeded) << "allocation " << n << " failed, yet the edit reported success";
    EXPECT_TRUE(stateOf(document.get()) == before) << "allocation " << n << " failed";
    EXPECT_EQ(liveAllocations(), liveBefore) << "allocation " << n << " failed";
  }
}

void expectEdit(const std::string& scene, const std::function<bool(SceneDocument*)>& edit,
                bool result, const std::string& expected) {
  {
    SceneHandle document(documentFromText(scene));
    long liveBefore = liveAllocations();
    ASSERT_EQ(edit(document.get()), result);
    checkedLineCount(document.get());
    EXPECT_EQ(documentText(document.get()), result ? expected : scene);
    if (!result) {
      EXPECT_EQ(liveAllocations(), liveBefore);
    }
  }
  if (result) expectAllOrNothing([&] { return documentFromText(scene); }, edit);
}
