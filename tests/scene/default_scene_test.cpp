// The built-in default scene.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "scene/scene.h"
#include "tests/scene/core_documents.h"
#include "tests/scene/failing_allocation.h"
#include "tests/scene/scratch_files.h"

namespace {

TEST(NewScene, Holds76LinesEachEndingInOneNewline) {
  ScenePtr document(newScene());
  ASSERT_NE(document, nullptr);
  std::vector<std::string> texts = linkedTexts(document.get());
  ASSERT_EQ(texts.size(), 76u);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(texts[i].find('\n'), texts[i].size() - 1) << "line " << i + 1;
    EXPECT_EQ(texts[i].find('%'), std::string::npos) << "line " << i + 1;
  }
  // The lines whose blanks are easy to get wrong, exact to the byte.
  const std::map<int, std::string> exact = {
      {1, "LWSC\n"},       {2, "1\n"},
      {3, "\n"},           {19, "  9\n"},
      {21, "  -2 2 -2 45 35 0 1 1 1\n"},
      {22, "  0 0 0 0 0\n"}, {33, "  0 0 -4 0 0 0 1 1 1\n"},
      {61, "DataOverlayLabel \n"},
      {66, "ViewDirection 0.300197 -0.314159 0.000000\n"},
      {76, "\n"},
  };
  for (const auto& [position, text] : exact) EXPECT_EQ(texts[position - 1], text) << position;
}

TEST(NewScene, IsClassifiedWithoutObjects) {
  ScenePtr document(newScene());
  ASSERT_NE(document, nullptr);
  const std::map<int, LineKind> kinds = {{1, LINE_HEADER},   {12, LINE_AMBIENT},
                                         {29, LINE_CAMERA},  {48, LINE_BACKDROP},
                                         {58, LINE_RENDER},  {64, LINE_VIEW}};
  int position = 1;
  for (SceneLine* line = document->first; line; line = line->next, ++position) {
    auto found = kinds.find(position);
    EXPECT_EQ(line->kind, found == kinds.end() ? LINE_OTHER : found->second) << position;
    EXPECT_EQ(line->objectNumber, 0);
  }
  EXPECT_EQ(document->nextObjectNumber, 1);
}

TEST(NewScene, ObjectsGoAfterLine11AndViewModeIsLine64) {
  ScenePtr document(newScene());
  ASSERT_NE(document, nullptr);
  SceneLine* insertPoint = objectInsertPoint(document.get());
  EXPECT_EQ(positionOf(document.get(), insertPoint), 11);
  ASSERT_NE(insertPoint, nullptr);
  EXPECT_STREQ(insertPoint->text, "\n");
  EXPECT_STREQ(insertPoint->next->text, "AmbientColor 255 255 255\n");
  SceneLine* viewMode = findLine(document->first, "ViewMode");
  EXPECT_EQ(positionOf(document.get(), viewMode), 64);
  ASSERT_NE(viewMode, nullptr);
  EXPECT_STREQ(viewMode->text, "ViewMode 3\n");
}

TEST(NewScene, WritesA1144ByteFileThatReadsBackTheSame) {
  ScratchDirectory directory;
  std::string path = directory.path("default.lws");
  ScenePtr document(newScene());
  ASSERT_NE(document, nullptr);
  ASSERT_TRUE(writeScene(document.get(), path.c_str()));
  std::string bytes = readBytes(path);
  EXPECT_EQ(bytes.size(), 1144u);
  EXPECT_EQ(bytes.substr(0, 8), "LWSC\n1\n\n");
  ScenePtr reread(readScene(path.c_str()));
  ASSERT_NE(reread, nullptr);
  EXPECT_EQ(linkedTexts(reread.get()), linkedTexts(document.get()));
}

TEST(NewScene, GivesEverythingBackWhenAnAllocationFails) {
  long total = forEachFailingAllocation(
      [] {
        SceneDocument* document = newScene();
        bool made = document != nullptr;
        freeScene(document);
        return made;
      },
      [](long n, bool succeeded) {
        EXPECT_FALSE(succeeded) << "allocation " << n;
        EXPECT_EQ(liveAllocations(), 0) << "allocation " << n;
      });
  EXPECT_EQ(total, 1 + 2 * 76);
}

}  // namespace
