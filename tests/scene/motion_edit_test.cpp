// Parents, motion keys and dissolve envelopes inside object blocks.

#include <gtest/gtest.h>

#include <string>

#include "scene/scene.h"
#include "tests/scene/failing_allocation.h"
#include "tests/scene/scene_test_support.h"

namespace {

// One object block as addNullObject makes it, before the ambient settings.
const char* const kBlockHead = "LWSC\n\nAddNullObject Null\nShowObject 8 7\nObjectMotion (unnamed)\n";
const char* const kDefaultMotionTail =
    "  9\n  1\n  0 0 0 0 0 0 1 1 1\n  0 0 0 0 0\nEndBehavior 1\n";
const char* const kBlockTail = "ShadowOptions 7\n\nAmbientColor 255 255 255\n";

std::string defaultBlockScene() {
  return std::string(kBlockHead) + kDefaultMotionTail + kBlockTail;
}

SceneLine* objectLine(const SceneHandle& document) {
  return findObjectLine(document.get(), "", 1);
}

bool addKey(SceneLine* line, double base, std::int32_t frame) {
  return addMotionKey(line, base, base + 1, base + 2, 10, 20, 30, 1, 1.5, 2, frame, 1, 2, 3, -4);
}

// Three objects; the second names the first as its parent, the third names
// object 9 only after its block has ended, and the fourth has a parent line
// without digits.
const char* const kFamily =
    "LWSC\n"
    "LoadObject parent\n"
    "ShadowOptions 7\n"
    "LoadObject child\n"
    "ParentObject 1\n"
    "ShadowOptions 7\n"
    "AddNullObject stray\n"
    "ShadowOptions 7\n"
    "ParentObject 9\n"
    "AddNullObject nameless\n"
    "ParentObject x\n"
    "ShadowOptions 7\n"
    "AmbientColor 1\n";

TEST(FindChildObject, FindsObjectsByTheirParentsNumberWithinTheirBlocks) {
  SceneHandle document(documentFromText(kFamily));
  SceneLine* parent = findObjectLine(document.get(), "parent", 1);
  SceneLine* child = findObjectLine(document.get(), "child", 1);
  SceneLine* stray = findObjectLine(document.get(), "stray", 1);
  SceneLine* nameless = findObjectLine(document.get(), "nameless", 1);

  EXPECT_EQ(findChildObject(document->first, 1, nullptr), child);
  EXPECT_EQ(findChildObject(child->next, 1, nullptr), nullptr);
  // The stop line is never examined, but the first line always is.
  EXPECT_EQ(findChildObject(document->first, 1, child), nullptr);
  EXPECT_EQ(findChildObject(child, 1, child), child);
  // A parent line after its block's "ShadowOptions" belongs to no block.
  EXPECT_EQ(findChildObject(document->first, 9, nullptr), nullptr);
  // A parent line without digits reads as object 0.
  EXPECT_EQ(findChildObject(document->first, 0, nullptr), nameless);
  EXPECT_EQ(findChildObject(stray, 0, nullptr), nameless);
  EXPECT_EQ(findChildObject(parent, 0, child), nullptr);
}

TEST(FindChildObject, ParentLineWithoutABlankEndsTheSearch) {
  SceneHandle document(documentFromText(
      "LoadObject a\nParentObject\nShadowOptions 7\nLoadObject b\nParentObject 1\nShadowOptions 7\n"));
  EXPECT_EQ(findChildObject(document->first, 1, nullptr), nullptr);
  EXPECT_NE(findChildObject(findObjectLine(document.get(), "b", 1), 1, nullptr), nullptr);
}

TEST(BlockFinders, KeywordsAreFoundWhereTheBlockSaysAndNoFurther) {
  SceneHandle document(documentFromText(kFamily));
  SceneLine* child = findObjectLine(document.get(), "child", 1);
  SceneLine* end = findShadowOptions(child);
  EXPECT_STREQ(findParentObject(child, end)->text, "ParentObject 1\n");
  EXPECT_EQ(findParentObject(child, child->next), nullptr);
  EXPECT_EQ(findShadowOptionsUpTo(child, end), end);
  EXPECT_EQ(findShadowOptionsUpTo(child, end->prev), nullptr);
  EXPECT_EQ(findObjectMotion(document->first), nullptr);
  EXPECT_EQ(findEndBehavior(nullptr), nullptr);
}

TEST(SetArgumentNumber, RewritesEverythingAfterTheFirstBlank) {
  struct Case {
    const char* text;
    std::int32_t value;
    const char* expected;
  };
  const Case cases[] = {
      {"ParentObject 7\n", 3, "ParentObject 3\n"},
      {"ParentObject 12\n", 3, "ParentObject 3\n"},
      {"ParentObject 9\n", 10, "ParentObject 10\n"},
      {"ParentObject 1\n", -2147483647 - 1, "ParentObject -2147483648\n"},
      {"Key a b c\n", 5, "Key 5\n"},
      {"Key \n", 42, "Key 42\n"},
  };
  for (const Case& c : cases) {
    SceneHandle document(documentFromText(c.text));
    EXPECT_TRUE(setArgumentNumber(document->first, c.value)) << c.text;
    EXPECT_STREQ(document->first->text, c.expected);
  }
  SceneHandle blankless(documentFromText("ParentObject\n"));
  EXPECT_FALSE(setArgumentNumber(blankless->first, 1));
  EXPECT_STREQ(blankless->first->text, "ParentObject\n");
}

TEST(SetParentObject, InsertsBeforeShadowOptionsThenRewritesInPlace) {
  SceneHandle document(documentFromText(defaultBlockScene()));
  SceneLine* object = objectLine(document);
  ASSERT_TRUE(setParentObject(object, 9));
  SceneLine* shadow = findShadowOptions(object);
  ASSERT_STREQ(shadow->prev->text, "ParentObject 9\n");
  SceneLine* parentLine = shadow->prev;

  struct Step {
    std::int32_t n;
    const char* expected;
  };
  for (const Step& step : {Step{3, "ParentObject 3\n"}, Step{10, "ParentObject 10\n"},
                           Step{-250, "ParentObject -250\n"}}) {
    ASSERT_TRUE(setParentObject(object, step.n));
    EXPECT_EQ(shadow->prev, parentLine);
    EXPECT_STREQ(parentLine->text, step.expected);
  }
  EXPECT_EQ(documentText(document.get()), std::string(kBlockHead) + kDefaultMotionTail +
                                              "ParentObject -250\n" + kBlockTail);
  EXPECT_EQ(findChildObject(document->first, -250, nullptr), object);
}

TEST(SetParentObject, IgnoresParentLinesOutsideTheBlockAndBlocksWithoutEnd) {
  SceneHandle document(documentFromText(kFamily));
  SceneLine* stray = findObjectLine(document.get(), "stray", 1);
  ASSERT_TRUE(setParentObject(stray, 2));
  EXPECT_STREQ(stray->next->text, "ParentObject 2\n");
  EXPECT_STREQ(stray->next->next->next->text, "ParentObject 9\n");

  SceneHandle endless(documentFromText("LoadObject a\nShowObject 8 7\n"));
  EXPECT_FALSE(setParentObject(endless->first, 2));
  EXPECT_EQ(documentText(endless.get()), "LoadObject a\nShowObject 8 7\n");
}

TEST(MotionKeys, FrameZeroReplacesTheDefaultKeyAndLaterFramesAppend) {
  SceneHandle document(documentFromText(defaultBlockScene()));
  SceneLine* object = objectLine(document);
  ASSERT_TRUE(addKey(object, 1, 0));
  const std::string firstKey =
      "  1.000000 2.000000 3.000000 10.000000 20.000000 30.000000 1.000000 1.500000 2.000000\n"
      "  0 1 2 3 -4\n";
  EXPECT_EQ(documentText(document.get()),
            std::string(kBlockHead) + "  9\n  1\n" + firstKey + "EndBehavior 1\n" + kBlockTail);

  ASSERT_TRUE(addMotionKey(object, -0.5, 0, 0, 0, 0, 0, 1, 1, 1, 30, 255, 0, 0, 0));
  EXPECT_EQ(documentText(document.get()),
            std::string(kBlockHead) + "  9\n  2\n" + firstKey +
                "  -0.500000 0.000000 0.000000 0.000000 0.000000 0.000000 1.000000 1.000000 "
                "1.000000\n  30 255 0 0 0\nEndBehavior 1\n" +
                kBlockTail);
}

TEST(MotionKeys, FrameZeroRestartsAMotionOfSeveralKeys) {
  SceneHandle document(documentFromText(defaultBlockScene()));
  SceneLine* object = objectLine(document);
  for (std::int32_t frame : {10, 20, 30}) ASSERT_TRUE(addKey(object, frame, frame));
  long live = liveAllocations();
  ASSERT_TRUE(addKey(object, 7, 0));
  EXPECT_EQ(documentText(document.get()),
            std::string(kBlockHead) + "  9\n  1\n" +
                "  7.000000 8.000000 9.000000 10.000000 20.000000 30.000000 1.000000 1.500000 "
                "2.000000\n  0 1 2 3 -4\nEndBehavior 1\n" +
                kBlockTail);
  // Four keys of two lines each went, one key came: six lines given back.
  EXPECT_EQ(liveAllocations(), live - 12);
}

TEST(MotionKeys, HugeValuesAreWrittenInFull) {
  SceneHandle document(documentFromText(defaultBlockScene()));
  SceneLine* object = objectLine(document);
  ASSERT_TRUE(addMotionKey(object, 1e300, -1e300, 1e300, 1e300, 1e300, 1e300, 1e300, 1e300,
                           1e300, 5, 0, 0, 0, 0));
  SceneLine* values = findEndBehavior(object)->prev->prev;
  EXPECT_EQ(std::string(values->text).size(), 2 + 9 * 308 + 1 + 8 + 1);
  EXPECT_EQ(std::string(values->text).substr(0, 6), "  1000");
  EXPECT_EQ(std::string(values->text).back(), '\n');
}

TEST(MotionKeys, DropLastKeyLeavesTheFirstKeyAndCount) {
  SceneHandle document(documentFromText(defaultBlockScene()));
  SceneLine* object = objectLine(document);
  ASSERT_TRUE(addKey(object, 5, 30));
  long live = liveAllocations();
  ASSERT_TRUE(dropLastMotionKey(object));
  EXPECT_EQ(documentText(document.get()),
            std::string(kBlockHead) + "  9\n  2\n  0 0 0 0 0 0 1 1 1\n  0 0 0 0 0\nEndBehavior 1\n" +
                kBlockTail);
  EXPECT_EQ(liveAllocations(), live - 4);  // two nodes and their texts
}

TEST(MotionKeys, EditsFailUnchangedWithoutAWholeMotionInTheBlock) {
  const std::string keyless = std::string(kBlockHead) + "  9\n  0\nEndBehavior 1\n" + kBlockTail;
  const std::string noCount = std::string(kBlockHead) + "  9\nEndBehavior 1\n" + kBlockTail;
  const std::string noEnd = std::string(kBlockHead) + "  9\n  1\n" + kBlockTail;
  // The first object has no motion of its own; the next object's is not its.
  const std::string motionless = std::string("LWSC\nAddNullObject a\nShadowOptions 7\n") +
                                 "AddNullObject b\nObjectMotion (unnamed)\n" + kDefaultMotionTail +
                                 kBlockTail;
  struct Case {
    const std::string& scene;
    bool drops;
    bool adds;
  };
  const Case cases[] = {
      {keyless, false, true},
      {noCount, false, false},
      {noEnd, false, false},
      {motionless, false, false},
  };
  for (const Case& c : cases) {
    SceneHandle document(documentFromText(c.scene));
    SceneLine* object = findObjectLine(document.get(), "", 1);
    EXPECT_EQ(dropLastMotionKey(object), c.drops) << c.scene;
    EXPECT_EQ(documentText(document.get()), c.scene);
    EXPECT_EQ(addKey(object, 1, 15), c.adds) << c.scene;
    if (!c.adds) {
      EXPECT_EQ(documentText(document.get()), c.scene);
    }
  }
}

TEST(MotionKeys, EditsAreAllOrNothingWhenMemoryRunsOut) {
  auto scene = [] { return documentFromText(defaultBlockScene()); };
  auto withTwoKeys = [] {
    SceneDocument* document = documentFromText(defaultBlockScene());
    addKey(document->first->next->next, 1, 30);
    return document;
  };
  auto object = [](SceneDocument* document) { return findObjectLine(document, "", 1); };
  for (auto make : {+scene, +withTwoKeys}) {
    for (std::int32_t frame : {0, 60}) {
      long allocations = expectAllOrNothing(make, [&](SceneDocument* document) {
        return addKey(object(document), 3, frame);
      });
      EXPECT_EQ(allocations, 5);  // the count text, two lines of a node and a text
    }
  }
  EXPECT_EQ(expectAllOrNothing(withTwoKeys, [&](SceneDocument* document) {
              return dropLastMotionKey(object(document));
            }),
            0);
}

TEST(DissolveKeys, FirstKeyMakesTheEnvelopeAtFrameZeroAndLaterKeysAppend) {
  SceneHandle document(documentFromText(defaultBlockScene()));
  SceneLine* object = objectLine(document);
  ASSERT_TRUE(setParentObject(object, 4));
  ASSERT_TRUE(addDissolveKey(object, 0.25, 15));
  const std::string envelopeHead = "ObjDissolve (envelope)\n  1\n";
  EXPECT_EQ(documentText(document.get()), std::string(kBlockHead) + kDefaultMotionTail +
                                              envelopeHead + "  1\n  0.250000\n  0 0 0 0 0\n" +
                                              "EndBehavior 1\nParentObject 4\n" + kBlockTail);
  ASSERT_TRUE(addDissolveKey(object, 1, 30));
  EXPECT_EQ(documentText(document.get()),
            std::string(kBlockHead) + kDefaultMotionTail + envelopeHead +
                "  2\n  0.250000\n  0 0 0 0 0\n  1.000000\n  30 0 0 0 0\n" +
                "EndBehavior 1\nParentObject 4\n" + kBlockTail);
  EXPECT_EQ(findObjDissolve(object), findEndBehavior(object)->next);
}

TEST(DissolveKeys, LaterBlocksEnvelopeIsNotThisBlocks) {
  const std::string scene = std::string("LWSC\nAddNullObject a\nObjectMotion (unnamed)\n") +
                            kDefaultMotionTail + "ShadowOptions 7\nAddNullObject b\n" +
                            "ObjDissolve (envelope)\n  1\n  1\n  0.5\n  0 0 0 0 0\nEndBehavior 1\n" +
                            kBlockTail;
  SceneHandle document(documentFromText(scene));
  SceneLine* a = findObjectLine(document.get(), "a", 1);
  EXPECT_EQ(findObjDissolve(a), nullptr);
  ASSERT_TRUE(addDissolveKey(a, 0.75, 20));
  SceneLine* head = findObjDissolve(a);
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(findShadowOptions(head), findShadowOptions(a));
  EXPECT_STREQ(head->next->next->text, "  1\n");
  EXPECT_STREQ(lineWithText(document.get(), "  0.5\n")->prev->text, "  1\n");
}

TEST(DissolveKeys, ConstantDissolveAndMissingLinesLeaveTheDocumentUnchanged) {
  const std::string constant = std::string(kBlockHead) + kDefaultMotionTail + "ObjDissolve 0.5\n" +
                               kBlockTail;
  const std::string noEnd = "LWSC\nAddNullObject a\nShowObject 8 7\nShadowOptions 7\n";
  const std::string endsDocument = "LWSC\nAddNullObject a\nEndBehavior 1\n";
  const std::string brokenEnvelope =
      std::string(kBlockHead) + kDefaultMotionTail + "ObjDissolve (envelope)\n  1\n" + kBlockTail;
  for (const std::string& scene : {constant, noEnd, endsDocument, brokenEnvelope}) {
    SceneHandle document(documentFromText(scene));
    EXPECT_FALSE(addDissolveKey(findObjectLine(document.get(), "", 1), 1, 10)) << scene;
    EXPECT_EQ(documentText(document.get()), scene);
  }
}

TEST(DissolveKeys, AreAllOrNothingWhenMemoryRunsOut) {
  auto scene = [] { return documentFromText(defaultBlockScene()); };
  auto withEnvelope = [] {
    SceneDocument* document = documentFromText(defaultBlockScene());
    addDissolveKey(findObjectLine(document, "", 1), 0.5, 0);
    return document;
  };
  auto edit = [](SceneDocument* document) {
    return addDissolveKey(findObjectLine(document, "", 1), 1, 45);
  };
  EXPECT_EQ(expectAllOrNothing(scene, edit), 12);       // six new lines
  EXPECT_EQ(expectAllOrNothing(withEnvelope, edit), 5);  // count text and two lines
}

TEST(ParentEdits, AreAllOrNothingWhenMemoryRunsOut) {
  auto scene = [] { return documentFromText(defaultBlockScene()); };
  auto withParent = [] {
    SceneDocument* document = documentFromText(defaultBlockScene());
    setParentObject(findObjectLine(document, "", 1), 9);
    return document;
  };
  auto setTo = [](std::int32_t n) {
    return [n](SceneDocument* document) {
      return setParentObject(findObjectLine(document, "", 1), n);
    };
  };
  EXPECT_EQ(expectAllOrNothing(scene, setTo(3)), 2);       // a new line: node and text
  EXPECT_EQ(expectAllOrNothing(withParent, setTo(1000)), 1);  // a longer text
  EXPECT_EQ(expectAllOrNothing(withParent, setTo(5)), 0);     // rewritten in place
}

}  // namespace
