// Linking lines into a document and giving documents back.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/allocation.h"
#include "scene/scene.h"
#include "tests/scene/core_documents.h"
#include "tests/scene/failing_allocation.h"

namespace {

using Texts = std::vector<std::string>;

TEST(AppendLine, KeepsFirstAndLastRight) {
  ScenePtr document = documentOf({});
  appendLine(document.get(), lineOf("a\n"));
  EXPECT_EQ(document->first, document->last);
  EXPECT_EQ(linkedTexts(document.get()), (Texts{"a\n"}));
  appendLine(document.get(), lineOf("b\n"));
  appendLine(document.get(), lineOf("c\n"));
  EXPECT_EQ(linkedTexts(document.get()), (Texts{"a\n", "b\n", "c\n"}));
}

TEST(InsertLineAfter, LinksBetweenALineAndItsSuccessor) {
  ScenePtr document = documentOf({"a\n", "c\n"});
  insertLineAfter(document->first, lineOf("b\n"));
  EXPECT_EQ(linkedTexts(document.get()), (Texts{"a\n", "b\n", "c\n"}));
}

TEST(InsertLineAfter, AfterTheLastLineTheCallerUpdatesLast) {
  ScenePtr document = documentOf({"a\n"});
  SceneLine* added = lineOf("b\n");
  insertLineAfter(document->last, added);
  EXPECT_EQ(document->first->next, added);
  EXPECT_EQ(added->prev, document->first);
  EXPECT_EQ(added->next, nullptr);
  document->last = added;
  EXPECT_EQ(linkedTexts(document.get()), (Texts{"a\n", "b\n"}));
}

TEST(NewSceneLine, IsZeroFilled) {
  SceneLine* line = newSceneLine();
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->text, nullptr);
  EXPECT_EQ(line->prev, nullptr);
  EXPECT_EQ(line->next, nullptr);
  EXPECT_EQ(line->kind, LINE_HEADER);
  EXPECT_EQ(line->objectNumber, 0);
  sceneRelease(line);
}

TEST(FreeScene, GivesBackRecordLinesAndTexts) {
  long before = liveAllocations();
  SceneDocument* document = documentOf({"LWSC\n", "1\n", "\n"}).release();
  EXPECT_EQ(liveAllocations(), before + 7);
  freeScene(document);
  EXPECT_EQ(liveAllocations(), before);
  freeScene(nullptr);
}

TEST(MakingLines, FailsCleanlyWhenMemoryRunsOut) {
  failAllocationsFrom(1);
  EXPECT_EQ(newSceneLine(), nullptr);
  EXPECT_EQ(copyText("text"), nullptr);
  failAllocationsFrom(0);
  EXPECT_EQ(liveAllocations(), 0);
}

}  // namespace
