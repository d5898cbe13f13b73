// A whole scene built the way a caller builds one: a default scene given
// objects, a parent, motion keys and a dissolve envelope, written to a file
// and read back.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "scene/scene.h"
#include "tests/support/test_platform.h"
#include "tests/scene/scene_test_support.h"

namespace {

struct LineRecord {
  std::string text;
  int kind;
  int objectNumber;
  bool operator==(const LineRecord&) const = default;
};

std::vector<LineRecord> recordsOf(const SceneDocument* document) {
  std::vector<LineRecord> records;
  for (const SceneLine* line = document->first; line; line = line->next) {
    records.push_back({line->text, line->kind, line->objectNumber});
  }
  return records;
}

TEST(SceneScenario, BuiltSceneIsReadBackLineForLine) {
  SceneHandle built(newScene());
  ASSERT_NE(built, nullptr);
  // Each new block goes directly before "AmbientColor", so they end up in
  // the order they were added.
  ASSERT_NE(addLoadObject(built.get(), objectInsertPoint(built.get()), "Objects/base.lwo"),
            nullptr);
  ASSERT_NE(addLoadObject(built.get(), objectInsertPoint(built.get()), "Objects/arm.lwo"), nullptr);
  ASSERT_NE(addNullObject(built.get(), objectInsertPoint(built.get()), "Pivot"), nullptr);
  ASSERT_EQ(built->nextObjectNumber, 4);

  SceneLine* base = findObjectLine(built.get(), "Objects/base.lwo", 1);
  SceneLine* arm = findObjectLine(built.get(), "Objects/arm.lwo", 1);
  SceneLine* pivot = findObjectLine(built.get(), "Pivot", 1);
  ASSERT_TRUE(base && arm && pivot);
  ASSERT_TRUE(setParentObject(arm, base->objectNumber));
  ASSERT_TRUE(addMotionKey(arm, 0, 1, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0));
  ASSERT_TRUE(addMotionKey(arm, 2, 1, 0, 90, 0, 0, 1, 1, 1, 30, 1, 0, 0, 0));
  ASSERT_TRUE(addMotionKey(arm, 4, 1, 0, 180, 0, 0, 1, 1, 1, 60, 0, 0, 0, 0));
  ASSERT_TRUE(addDissolveKey(pivot, 0, 12));
  ASSERT_TRUE(addDissolveKey(pivot, 1, 60));

  std::filesystem::path directory = makeScratchDirectory("quorvel-scenario-");
  std::string path = (directory / "scenario.lws").string();
  ASSERT_TRUE(writeScene(built.get(), path.c_str()));
  SceneHandle reread(readScene(path.c_str()));
  std::filesystem::remove_all(directory);
  ASSERT_NE(reread, nullptr);
  classifyLines(built.get());
  EXPECT_EQ(recordsOf(reread.get()), recordsOf(built.get()));
  EXPECT_EQ(reread->nextObjectNumber, 4);
  EXPECT_EQ(checkedLineCount(built.get()), 76 + 3 * 10 + 1 + 4 + 8);

  SceneLine* armRead = findChildObject(reread->first, 1, nullptr);
  ASSERT_NE(armRead, nullptr);
  EXPECT_EQ(findChildObject(armRead->next, 1, nullptr), nullptr);
  std::string armBlock;
  for (SceneLine* line = armRead; line != findShadowOptions(armRead)->next; line = line->next) {
    armBlock += line->text;
  }
  EXPECT_EQ(armBlock,
            "LoadObject Objects/arm.lwo\n"
            "ShowObject 8 7\n"
            "ObjectMotion (unnamed)\n"
            "  9\n"
            "  3\n"
            "  0.000000 1.000000 0.000000 0.000000 0.000000 0.000000 1.000000 1.000000 1.000000\n"
            "  0 0 0 0 0\n"
            "  2.000000 1.000000 0.000000 90.000000 0.000000 0.000000 1.000000 1.000000 1.000000\n"
            "  30 1 0 0 0\n"
            "  4.000000 1.000000 0.000000 180.000000 0.000000 0.000000 1.000000 1.000000 1.000000\n"
            "  60 0 0 0 0\n"
            "EndBehavior 1\n"
            "ParentObject 1\n"
            "ShadowOptions 7\n");

  SceneLine* pivotRead = findObjectLine(reread.get(), "Pivot", 1);
  ASSERT_NE(pivotRead, nullptr);
  EXPECT_EQ(pivotRead->objectNumber, 3);
  SceneLine* dissolve = findObjDissolve(pivotRead);
  ASSERT_NE(dissolve, nullptr);
  EXPECT_STREQ(dissolve->next->next->text, "  2\n");
  EXPECT_EQ(findObjectLine(reread.get(), "", 4), nullptr);
}

}  // namespace
