// Linking lines into a document and giving documents back.

#include <gtest/gtest.h>

#include "failing_allocation/failing_allocation.h"
#include "tests/scene/core_documents.h"

namespace {

TEST(LineList, AppendAndInsertKeepTheLinksRight) {
  SceneHandle document = documentOf({});
  appendLine(document.get(), lineOf("b\n"));
  EXPECT_EQ(document->first, document->last);
  insertLineAfter(document->first, lineOf("c\n"));  // no successor: no crash, last unchanged
  EXPECT_EQ(document->last, document->first);
  document->last = document->first->next;
  appendLine(document.get(), lineOf("e\n"));
  insertLineAfter(document->first->next, lineOf("d\n"));
  EXPECT_EQ(linkedTexts(document.get()), (Texts{"b\n", "c\n", "d\n", "e\n"}));
}

TEST(LineList, FreeSceneGivesBackRecordLinesAndTexts) {
  long live = liveAllocations();
  SceneDocument* document = documentOf({"LWSC\n", "1\n", "\n"}).release();
  EXPECT_EQ(liveAllocations(), live + 7);
  freeScene(document);
  freeScene(nullptr);
  EXPECT_EQ(liveAllocations(), live);
}

}  // namespace
