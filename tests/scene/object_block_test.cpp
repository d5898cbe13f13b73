// Object blocks: new default blocks, the lines they are made of, and copies.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "scene/scene.h"
#include "tests/scene/failing_allocation.h"
#include "tests/scene/scene_test_support.h"

namespace {

const std::vector<std::string> kNullBlock = {
    "AddNullObject Null\n", "ShowObject 8 7\n", "ObjectMotion (unnamed)\n", "  9\n",
    "  1\n", "  0 0 0 0 0 0 1 1 1\n", "  0 0 0 0 0\n", "EndBehavior 1\n",
    "ShadowOptions 7\n", "\n"};

// The texts of `count` lines from `line` on.
std::vector<std::string> textsFrom(const SceneLine* line, int count) {
  std::vector<std::string> texts;
  for (; line && count > 0; line = line->next, --count) texts.emplace_back(line->text);
  return texts;
}

// Two objects before the ambient settings; the first has a parent line.
const char* const kTwoBalls =
    "LWSC\n"
    "1\n"
    "\n"
    "LoadObject Objects/ball2.lwo\n"
    "ShowObject 8 7\n"
    "ParentObject 2\n"
    "ShadowOptions 7\n"
    "\n"
    "LoadObject Objects/ball.lwo\n"
    "ShadowOptions 3\n"
    "\n"
    "AmbientColor 255 255 255\n"
    "AmbIntensity 0.250000\n";

TEST(NewObjectBlock, NullObjectInDefaultSceneGoesBeforeAmbientColorAsTenLines) {
  SceneHandle document(newScene());
  ASSERT_NE(document, nullptr);
  SceneLine* after = objectInsertPoint(document.get());
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(addNullObject(document.get(), after, "Null"), after);

  EXPECT_STREQ(after->text, "\n");
  EXPECT_EQ(textsFrom(after->next, 11),
            [] {
              std::vector<std::string> expected = kNullBlock;
              expected.push_back("AmbientColor 255 255 255\n");
              return expected;
            }());
  EXPECT_EQ(after->next->kind, LINE_OBJECT);
  EXPECT_EQ(after->next->objectNumber, 1);
  EXPECT_EQ(document->nextObjectNumber, 2);
  EXPECT_EQ(checkedLineCount(document.get()), 86);
}

TEST(NewObjectBlock, LoadObjectTakesTheNameAndKeepsTheBlankWithoutOne) {
  SceneHandle document(documentFromText("LWSC\n\nAmbientColor 1\n"));
  SceneLine* after = document->first->next;
  ASSERT_EQ(addLoadObject(document.get(), after, "Objects/cow.lwo"), after);
  ASSERT_EQ(addLoadObject(document.get(), after, nullptr), after);
  EXPECT_STREQ(after->next->text, "LoadObject \n");
  SceneLine* cow = findObjectLine(document.get(), "Objects/cow.lwo", 1);
  ASSERT_NE(cow, nullptr);
  EXPECT_EQ(textsFrom(cow, 3),
            (std::vector<std::string>{"LoadObject Objects/cow.lwo\n", "ShowObject 8 7\n",
                                      "ObjectMotion (unnamed)\n"}));
  // Classified again: the later object line is renumbered.
  EXPECT_EQ(after->next->objectNumber, 1);
  EXPECT_EQ(cow->objectNumber, 2);
  EXPECT_EQ(document->nextObjectNumber, 3);
}

TEST(NewObjectBlock, AfterTheLastLineBecomesTheDocumentsEnd) {
  using Add = SceneLine* (*)(SceneDocument*, SceneLine*, const char*);
  for (Add add : {&addLoadObject, &addNullObject}) {
    SceneHandle document(documentFromText("LWSC\n"));
    SceneLine* only = document->first;
    ASSERT_EQ(add(document.get(), only, "Last"), only);
    EXPECT_STREQ(document->last->text, "\n");
    EXPECT_EQ(document->last->next, nullptr);
    EXPECT_STREQ(document->last->prev->text, "ShadowOptions 7\n");
    EXPECT_EQ(checkedLineCount(document.get()), 11);
    EXPECT_EQ(document->nextObjectNumber, 2);
  }
}

TEST(NewObjectBlock, NullPlaceAddsNothing) {
  // objectInsertPoint is null in a document without "AmbientColor".
  SceneHandle document(documentFromText("LWSC\n1\n"));
  EXPECT_EQ(addNullObject(document.get(), objectInsertPoint(document.get()), "Null"), nullptr);
  EXPECT_EQ(documentText(document.get()), "LWSC\n1\n");
}

TEST(NewObjectBlock, IsAllOrNothingWhenMemoryRunsOut) {
  auto scene = [] { return documentFromText("LWSC\n\nAmbientColor 1\n"); };
  long loadAllocations = expectAllOrNothing(scene, [](SceneDocument* document) {
    return addLoadObject(document, document->first->next, "a.lwo") != nullptr;
  });
  EXPECT_EQ(loadAllocations, 20);  // ten lines, each a node and a text
  expectAllOrNothing(scene, [](SceneDocument* document) {
    return addNullObject(document, document->last, "Null") != nullptr;
  });
}

TEST(LineMaking, TextsAreExactAtAnyLength) {
  const std::string longText(1000, 'x');
  const std::string longSuffix(600, 'y');
  struct Case {
    const char* text;
    const char* suffix;
    std::string expected;
  };
  const Case cases[] = {
      {"", nullptr, "\n"},
      {"LoadObject ", "a.lwo", "LoadObject a.lwo\n"},
      {"ShowObject 8 7", nullptr, "ShowObject 8 7\n"},
      {longText.c_str(), longSuffix.c_str(), longText + longSuffix + "\n"},
  };
  for (const Case& c : cases) {
    SceneLine* line = makeLine(c.text, c.suffix);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(std::string(line->text), c.expected);
    EXPECT_EQ(line->prev, nullptr);
    EXPECT_EQ(line->next, nullptr);
    EXPECT_EQ(line->kind, LINE_HEADER);
    EXPECT_EQ(line->objectNumber, 0);
    SceneLine* copy = lineFromText(line->text);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(std::string(copy->text), c.expected);
    EXPECT_NE(copy->text, line->text);
    SceneHandle holder(documentFromText(""));
    appendLine(holder.get(), line);
    appendLine(holder.get(), copy);
  }
}

TEST(LineMaking, CloneOfAnObjectLineIsUnclassifiedUntilClassification) {
  SceneHandle document(documentFromText("LWSC\nLoadObject a\nAmbientColor 1\n"));
  SceneLine* object = document->first->next;
  ASSERT_EQ(object->kind, LINE_OBJECT);
  SceneLine* clone = cloneLine(object);
  ASSERT_NE(clone, nullptr);
  EXPECT_STREQ(clone->text, "LoadObject a\n");
  EXPECT_NE(clone->text, object->text);
  EXPECT_EQ(clone->kind, 0);
  EXPECT_EQ(clone->objectNumber, 0);
  EXPECT_EQ(clone->prev, nullptr);
  EXPECT_EQ(clone->next, nullptr);
  insertLineAfter(object, clone);
  EXPECT_EQ(clone->kind, 0);
  classifyLines(document.get());
  EXPECT_EQ(clone->kind, LINE_OBJECT);
  EXPECT_EQ(clone->objectNumber, 2);
}

TEST(LineMaking, LeavesNothingAllocatedWhenMemoryRunsOut) {
  SceneHandle document(documentFromText("LoadObject a\n"));
  for (long n : {1, 2}) {
    long live = liveAllocations();
    failAllocationsFrom(n);
    EXPECT_EQ(makeLine("a", "b"), nullptr);
    failAllocationsFrom(n);
    EXPECT_EQ(lineFromText("a\n"), nullptr);
    failAllocationsFrom(n);
    EXPECT_EQ(cloneLine(document->first), nullptr);
    failAllocationsFrom(0);
    EXPECT_EQ(liveAllocations(), live) << "allocation " << n << " failed";
  }
}

TEST(BlockSearch, ShadowOptionsEndsTheBlock) {
  SceneHandle document(documentFromText(kTwoBalls));
  SceneLine* ball2 = findObjectLine(document.get(), "Objects/ball2", 1);
  ASSERT_NE(ball2, nullptr);
  SceneLine* end = findShadowOptions(ball2);
  ASSERT_NE(end, nullptr);
  EXPECT_STREQ(end->text, "ShadowOptions 7\n");
  EXPECT_EQ(findShadowOptions(end), end);
  EXPECT_EQ(findShadowOptions(nullptr), nullptr);
  EXPECT_EQ(findShadowOptions(document->last), nullptr);
  char buffer[SCENE_BUFFER_SIZE];
  EXPECT_STREQ(objectName(ball2, buffer), "Objects/ball2.lwo\n");
  EXPECT_EQ(objectName(document->first, buffer), nullptr);
}

TEST(CopyObject, MatchesNamesByPrefixAndCopiesTheWholeBlockBeforeAmbientColor) {
  SceneHandle document(documentFromText(kTwoBalls));
  ASSERT_TRUE(copyObject(document.get(), "Objects/ball", 1));
  SceneLine* ambient = lineWithText(document.get(), "AmbientColor 255 255 255\n");
  // ball2 comes first and its name begins with "Objects/ball": it is copied,
  // parent line and all, and the copy's "ShadowOptions" meets the ambient line.
  EXPECT_EQ(textsFrom(ambient->prev->prev->prev->prev, 5),
            (std::vector<std::string>{"LoadObject Objects/ball2.lwo\n", "ShowObject 8 7\n",
                                      "ParentObject 2\n", "ShadowOptions 7\n",
                                      "AmbientColor 255 255 255\n"}));
  SceneLine* copy = ambient->prev->prev->prev->prev;
  EXPECT_EQ(copy->kind, LINE_OBJECT);
  EXPECT_EQ(copy->objectNumber, 3);
  EXPECT_EQ(document->nextObjectNumber, 4);
  EXPECT_EQ(findObjectLine(document.get(), "Objects/ball2", 2), copy);
}

TEST(CopyObject, FailsUnchangedWhenSomethingIsMissing) {
  struct Case {
    const char* scene;
    const char* name;
    int ordinal;
  };
  const Case cases[] = {
      {kTwoBalls, "Objects/ball.lwo", 2},   // only one object matches
      {kTwoBalls, "Objects/ball.lwo", 0},   // ordinals count from 1
      {kTwoBalls, "Objects/cube", 1},       // no such object
      {kTwoBalls, nullptr, 1},              // no name at all
      {"LWSC\nLoadObject a\nShadowOptions 7\n", "a", 1},              // no insertion point
      {"AmbientColor 1\nLoadObject a\nShadowOptions 7\n", "a", 1},    // ambient is first
      {"LWSC\nLoadObject a\nShowObject 8 7\n\nAmbientColor 1\n", "a", 1},  // no block end
      // The insertion point lies inside the block: its object line, then an
      // inner line.
      {"LWSC\nLoadObject a\nAmbientColor 1\nShadowOptions 7\n", "a", 1},
      {"LWSC\nLoadObject a\nShowObject 8 7\nAmbientColor 1\nShadowOptions 7\n", "a", 1},
  };
  for (const Case& c : cases) {
    SceneHandle document(documentFromText(c.scene));
    long live = liveAllocations();
    EXPECT_FALSE(copyObject(document.get(), c.name, c.ordinal)) << c.scene;
    EXPECT_EQ(documentText(document.get()), c.scene);
    EXPECT_EQ(liveAllocations(), live);
  }
}

TEST(CopyObject, CopyOfAnAddedBlockIsNineLinesAndFoundAsTheSecond) {
  SceneHandle document(newScene());
  ASSERT_NE(addLoadObject(document.get(), objectInsertPoint(document.get()), "Objects/cow.lwo"),
            nullptr);
  int before = checkedLineCount(document.get());
  ASSERT_TRUE(copyObject(document.get(), "Objects/cow.lwo", 1));
  EXPECT_EQ(checkedLineCount(document.get()), before + 9);
  SceneLine* copy = findObjectLine(document.get(), "Objects/cow.lwo", 2);
  ASSERT_NE(copy, nullptr);
  std::vector<std::string> expected(kNullBlock.begin() + 1, kNullBlock.end() - 1);
  expected.insert(expected.begin(), "LoadObject Objects/cow.lwo\n");
  expected.push_back("AmbientColor 255 255 255\n");
  EXPECT_EQ(textsFrom(copy, 10), expected);
}

TEST(CopyObject, RightAfterASourceWithNoBlankLineAfterIt) {
  // After one copy the insertion point is the copy's own "ShadowOptions".
  SceneHandle document(documentFromText("LWSC\n\nAddNullObject N\nShadowOptions 7\nAmbientColor 1\n"));
  SceneLine* source = document->first->next->next;
  SceneLine* copy = copyObjectBlock(document.get(), source);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->prev, source->next);
  SceneLine* second = copyObjectBlock(document.get(), copy);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(documentText(document.get()),
            "LWSC\n\n"
            "AddNullObject N\nShadowOptions 7\n"
            "AddNullObject N\nShadowOptions 7\n"
            "AddNullObject N\nShadowOptions 7\n"
            "AmbientColor 1\n");
  EXPECT_EQ(second->objectNumber, 3);
}

TEST(CopyObject, IsAllOrNothingWhenMemoryRunsOut) {
  long allocations = expectAllOrNothing([] { return documentFromText(kTwoBalls); },
                                        [](SceneDocument* document) {
                                          return copyObject(document, "Objects/ball2", 1);
                                        });
  EXPECT_EQ(allocations, 8);  // four lines, each a node and a text
}

}  // namespace
