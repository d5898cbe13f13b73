// Object blocks: new default blocks, the lines they are made of, and copies.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "failing_allocation/failing_allocation.h"
#include "scene/scene.h"
#include "tests/scene/scene_test_support.h"

namespace {

// A new block's lines after its object line.
const std::string BLOCK_REST =
    "ShowObject 8 7\nObjectMotion (unnamed)\n  9\n  1\n  0 0 0 0 0 0 1 1 1\n  0 0 0 0 0\n"
    "EndBehavior 1\nShadowOptions 7\n";

// ball2 comes first and has a parent line; its name begins with that of ball.
const std::string TWO_BALLS =
    "LWSC\n\nLoadObject Objects/ball2.lwo\nParentObject 2\nShadowOptions 7\n\n"
    "LoadObject Objects/ball.lwo\nShadowOptions 3\n\nAmbientColor 1\n";

TEST(ObjectBlockEdits, ChangeTheDocumentAsExpectedOrNotAtAll) {
  const std::string ambient = "LWSC\n\nAmbientColor 1\n";
  auto afterSecond = [](SceneDocument* d) { return d->first->next; };
  auto copy = [](const char* name, int ordinal) {
    return [=](SceneDocument* d) { return copyObject(d, name, ordinal); };
  };
  struct Case {
    const char* what;
    std::string scene;
    std::function<bool(SceneDocument*)> edit;
    bool result;
    std::string expected;
  };
  const Case cases[] = {
      {"null object", ambient,
       [&](SceneDocument* d) { return addNullObject(d, afterSecond(d), "Null") != nullptr; }, true,
       "LWSC\n\nAddNullObject Null\n" + BLOCK_REST + "\nAmbientColor 1\n"},
      {"load object without a name", ambient,
       [&](SceneDocument* d) { return addLoadObject(d, afterSecond(d), nullptr) != nullptr; }, true,
       "LWSC\n\nLoadObject \n" + BLOCK_REST + "\nAmbientColor 1\n"},
      {"after the last line", "LWSC\n",
       [](SceneDocument* d) { return addLoadObject(d, d->last, "a") != nullptr; }, true,
       "LWSC\nLoadObject a\n" + BLOCK_REST + "\n"},
      {"no place to add", "LWSC\n",
       [](SceneDocument* d) { return addNullObject(d, objectInsertPoint(d), "N") != nullptr; },
       false, ""},
      {"copy by name prefix", TWO_BALLS, copy("Objects/ball", 1), true,
       TWO_BALLS.substr(0, TWO_BALLS.size() - 15) +
           "LoadObject Objects/ball2.lwo\nParentObject 2\nShadowOptions 7\nAmbientColor 1\n"},
      {"copy right after a source with no empty line after it",
       "LWSC\nAddNullObject N\nShadowOptions 7\nAmbientColor 1\n", copy("N", 1), true,
       "LWSC\nAddNullObject N\nShadowOptions 7\nAddNullObject N\nShadowOptions 7\nAmbientColor "
       "1\n"},
      {"ordinal past the matches", TWO_BALLS, copy("Objects/ball.lwo", 2), false, ""},
      {"ordinal 0", TWO_BALLS, copy("Objects/ball", 0), false, ""},
      {"null name", TWO_BALLS, copy(nullptr, 1), false, ""},
      {"no insertion point", "LWSC\nLoadObject a\nShadowOptions 7\n", copy("a", 1), false, ""},
      {"ambient first", "AmbientColor 1\nLoadObject a\nShadowOptions 7\n", copy("a", 1), false, ""},
      {"no block end", "LWSC\nLoadObject a\n\nAmbientColor 1\n", copy("a", 1), false, ""},
      {"insertion at the object line", "LWSC\nLoadObject a\nAmbientColor 1\nShadowOptions 7\n",
       copy("a", 1), false, ""},
      {"insertion inside the block", "LWSC\nLoadObject a\nX\nAmbientColor 1\nShadowOptions 7\n",
       copy("a", 1), false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    expectEdit(c.scene, c.edit, c.result, c.expected);
  }
}

TEST(ObjectBlockEdits, NewBlocksInTheDefaultSceneAreClassifiedAndCopiedAsNineLines) {
  SceneHandle document(newScene());
  SceneLine* after = objectInsertPoint(document.get());
  ASSERT_EQ(addNullObject(document.get(), after, "Null"), after);
  EXPECT_STREQ(after->text, "\n");
  EXPECT_EQ(after->next->kind, LINE_OBJECT);
  EXPECT_EQ(after->next->objectNumber, 1);
  EXPECT_EQ(document->nextObjectNumber, 2);
  ASSERT_STREQ(findLine(after, "AmbientColor")->prev->text, "\n");
  EXPECT_EQ(checkedLineCount(document.get()), 86);

  ASSERT_NE(addLoadObject(document.get(), after, "cow.lwo"), nullptr);
  EXPECT_EQ(after->next->objectNumber, 1);
  EXPECT_EQ(findObjectLine(document.get(), "Null", 1)->objectNumber, 2);
  ASSERT_TRUE(copyObject(document.get(), "cow.lwo", 1));
  EXPECT_EQ(checkedLineCount(document.get()), 105);
  SceneLine* copy = findObjectLine(document.get(), "cow.lwo", 2);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->objectNumber, 3);
  EXPECT_EQ(document->nextObjectNumber, 4);
  EXPECT_EQ(findShadowOptions(copy)->next, findLine(copy, "AmbientColor"));
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
      {longText.c_str(), longSuffix.c_str(), longText + longSuffix + "\n"},
  };
  SceneHandle holder(documentFromText(""));  // gives the lines back
  for (const Case& c : cases) {
    SceneLine* made = makeLine(c.text, c.suffix);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->text, c.expected);
    EXPECT_TRUE(made->prev == nullptr && made->next == nullptr && made->objectNumber == 0);
    SceneLine* copy = lineFromText(made->text);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->text, c.expected);
    appendLine(holder.get(), made);
    appendLine(holder.get(), copy);
  }
}

TEST(LineMaking, CloneIsUnclassifiedUntilClassification) {
  SceneHandle document(documentFromText("LWSC\nLoadObject a\n"));
  SceneLine* clone = cloneLine(document->last);
  ASSERT_NE(clone, nullptr);
  EXPECT_STREQ(clone->text, "LoadObject a\n");
  EXPECT_NE(clone->text, document->last->text);
  EXPECT_EQ(clone->kind, 0);
  EXPECT_EQ(clone->objectNumber, 0);
  appendLine(document.get(), clone);
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

}  // namespace
