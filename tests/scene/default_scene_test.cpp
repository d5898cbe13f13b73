// The built-in default scene.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "failing_allocation/failing_allocation.h"
#include "tests/scene/core_documents.h"

namespace {

TEST(NewScene, Holds76ClassifiedLinesWithoutObjects) {
  SceneHandle document(newScene());
  ASSERT_NE(document, nullptr);
  Texts texts = linkedTexts(document.get());
  ASSERT_EQ(texts.size(), 76u);
  // The lines whose blanks are easy to get wrong, to the byte.
  const std::map<int, std::string> exact = {
      {1, "LWSC\n"}, {2, "1\n"}, {3, "\n"}, {21, "  -2 2 -2 45 35 0 1 1 1\n"},
      {34, "  0 0 0 0 0\n"}, {61, "DataOverlayLabel \n"}, {76, "\n"}};
  for (const auto& [position, text] : exact) EXPECT_EQ(texts[position - 1], text);
  const std::map<int, LineKind> kinds = {{1, LINE_HEADER},  {12, LINE_AMBIENT}, {29, LINE_CAMERA},
                                         {48, LINE_BACKDROP}, {58, LINE_RENDER}, {64, LINE_VIEW}};
  for (int position = 1; position <= 76; ++position) {
    auto kind = kinds.find(position);
    EXPECT_EQ(lineAt(document.get(), position)->kind,
              kind == kinds.end() ? LINE_OTHER : kind->second) << position;
    EXPECT_EQ(texts[position - 1].find('\n'), texts[position - 1].size() - 1) << position;
  }
  EXPECT_EQ(document->nextObjectNumber, 1);
  EXPECT_EQ(objectInsertPoint(document.get()), lineAt(document.get(), 11));
  EXPECT_EQ(findLine(document->first, "ViewMode"), lineAt(document.get(), 64));
}

TEST(NewScene, WritesA1144ByteFile) {
  ScratchDirectory directory;
  SceneHandle document(newScene());
  ASSERT_TRUE(writeScene(document.get(), directory.path("new.lws").c_str()));
  std::string bytes = readFile(directory.path("new.lws"));
  EXPECT_EQ(bytes.size(), 1144u);
  EXPECT_EQ(bytes.find('%'), std::string::npos);
}

TEST(NewScene, GivesEverythingBackWhenAnAllocationFails) {
  long live = liveAllocations();
  long total = forEachFailingAllocation(
      [] { return SceneHandle(newScene()) != nullptr; },
      [live](long n, bool succeeded) {
        EXPECT_FALSE(succeeded) << "allocation " << n;
        EXPECT_EQ(liveAllocations(), live) << "allocation " << n;
      });
  EXPECT_EQ(total, 1 + 2 * 76);
}

}  // namespace
