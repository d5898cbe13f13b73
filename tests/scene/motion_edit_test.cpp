// Parents, motion keys and dissolve envelopes inside object blocks.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "scene/scene.h"
#include "tests/support/comma_locale.h"
#include "tests/scene/scene_test_support.h"

namespace {

using Edit = std::function<bool(SceneDocument*)>;

// One block as addNullObject makes it: head, default motion key, tail.
const std::string HEAD = "LWSC\nAddNullObject Null\nShowObject 8 7\nObjectMotion (unnamed)\n  9\n";
const std::string DEFAULT_KEY = "  0 0 0 0 0 0 1 1 1\n  0 0 0 0 0\n";
const std::string END = "EndBehavior 1\n";
const std::string TAIL = "ShadowOptions 7\n\nAmbientColor 1\n";
const std::string BLOCK = HEAD + "  1\n" + DEFAULT_KEY + END + TAIL;

// The key that keyAt(base, frame) adds, for the bases used here.
const std::string KEY1 =
    "  1.000000 2.000000 3.000000 10.000000 20.000000 30.000000 1.000000 1.500000 2.000000\n";
const std::string KEY5 =
    "  -5.000000 -4.000000 -3.000000 10.000000 20.000000 30.000000 1.000000 1.500000 2.000000\n";

SceneLine* objectOf(SceneDocument* document) { return findObjectLine(document, "", 1); }

Edit keyAt(double base, std::int32_t frame) {
  return [=](SceneDocument* d) {
    return addMotionKey(objectOf(d), base, base + 1, base + 2, 10, 20, 30, 1, 1.5, 2, frame, 255, 2,
                        3, -4);
  };
}
Edit parentOf(std::int32_t n) {
  return [=](SceneDocument* d) { return setParentObject(objectOf(d), n); };
}
Edit dissolveAt(double value, std::int32_t frame) {
  return [=](SceneDocument* d) { return addDissolveKey(objectOf(d), value, frame); };
}
Edit dropKey() {
  return [](SceneDocument* d) { return dropLastMotionKey(objectOf(d)); };
}

struct Case {
  const char* what;
  std::string scene;
  Edit edit;
  bool result;
  std::string expected;
};

void expectCases(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    expectEdit(c.scene, c.edit, c.result, c.expected);
  }
}

TEST(ParentEdits, InsertBeforeShadowOptionsThenRewriteInPlaceOrGrown) {
  const std::string parented = HEAD + "  1\n" + DEFAULT_KEY + END + "ParentObject 9\n" + TAIL;
  const std::string stray = "LWSC\nAddNullObject a\nShadowOptions 7\nParentObject 9\n";
  expectCases({
      {"insert", BLOCK, parentOf(9), true, parented},
      {"rewrite", parented, parentOf(3), true,
       HEAD + "  1\n" + DEFAULT_KEY + END + "ParentObject 3\n" + TAIL},
      {"grow", parented, parentOf(10), true,
       HEAD + "  1\n" + DEFAULT_KEY + END + "ParentObject 10\n" + TAIL},
      {"negative", parented, parentOf(-2147483647 - 1), true,
       HEAD + "  1\n" + DEFAULT_KEY + END + "ParentObject -2147483648\n" + TAIL},
      {"parent line past the block", stray, parentOf(2), true,
       "LWSC\nAddNullObject a\nParentObject 2\nShadowOptions 7\nParentObject 9\n"},
      {"no block end", "LWSC\nAddNullObject a\n", parentOf(2), false, ""},
  });
}

TEST(ParentEdits, SetArgumentNumberReplacesEverythingAfterTheFirstBlank) {
  auto number = [](std::int32_t value) {
    return [=](SceneDocument* d) { return setArgumentNumber(d->first, value); };
  };
  expectCases({
      {"shorter", "ParentObject 12\n", number(7), true, "ParentObject 7\n"},
      {"several words", "Key a b c\n", number(5), true, "Key 5\n"},
      {"empty argument", "Key \n", number(42), true, "Key 42\n"},
      {"no blank", "ParentObject\n", number(1), false, ""},
  });
}

TEST(ParentEdits, FindChildObjectLooksOnlyInsideEachBlock) {
  SceneHandle document(
      documentFromText("LWSC\nLoadObject parent\nShadowOptions 7\n"
                       "LoadObject child\nParentObject 1\nShadowOptions 7\n"
                       "AddNullObject stray\nShadowOptions 7\nParentObject 9\n"
                       "AddNullObject nameless\nParentObject x\nShadowOptions 7\n"
                       "LoadObject broken\nParentObject\nShadowOptions 7\n"
                       "LoadObject late\nParentObject 1\nShadowOptions 7\n"));
  SceneLine* child = findObjectLine(document.get(), "child", 1);
  SceneLine* nameless = findObjectLine(document.get(), "nameless", 1);
  SceneLine* broken = findObjectLine(document.get(), "broken", 1);
  SceneLine* late = findObjectLine(document.get(), "late", 1);
  struct Search {
    SceneLine* from;
    std::int32_t n;
    SceneLine* stop;
    SceneLine* found;
  };
  const Search searches[] = {
      {document->first, 1, nullptr, child},
      {document->first, 1, child, nullptr},     // the stop line is not examined
      {child, 1, child, child},                 // the first line always is
      {document->first, 9, broken, nullptr},    // that parent line is in no block
      {document->first, 0, nullptr, nameless},  // no digits read as 0
      {child->next, 1, nullptr, nullptr},       // a parent line without a blank ends it
      {late, 1, nullptr, late},
  };
  for (const Search& s : searches) {
    EXPECT_EQ(findChildObject(s.from, s.n, s.stop), s.found) << "n " << s.n;
  }
}

TEST(MotionKeys, FrameZeroRestartsTheMotionAndOtherFramesAppend) {
  const std::string oneKey = HEAD + "  1\n" + KEY1 + "  0 255 2 3 -4\n" + END + TAIL;
  const std::string twoKeys =
      HEAD + "  2\n" + KEY1 + "  0 255 2 3 -4\n" + KEY5 + "  30 255 2 3 -4\n" + END + TAIL;
  expectCases({
      {"frame 0 on the default key", BLOCK, keyAt(1, 0), true, oneKey},
      {"frame 30 appends", oneKey, keyAt(-5, 30), true, twoKeys},
      {"frame 0 on several keys", twoKeys, keyAt(1, 0), true, oneKey},
      {"no key yet", HEAD + "  0\n" + END + TAIL, keyAt(-5, 30), true,
       HEAD + "  1\n" + KEY5 + "  30 255 2 3 -4\n" + END + TAIL},
      {"drop the last key, counting it down", twoKeys, dropKey(), true,
       HEAD + "  1\n" + KEY1 + "  0 255 2 3 -4\n" + END + TAIL},
      {"drop with no key", HEAD + "  0\n" + END + TAIL, dropKey(), false, ""},
      {"drop half a key", HEAD + "  1\n  0 0 0 0 0\n" + END + TAIL, dropKey(), false, ""},
      {"no key count line", HEAD + END + TAIL, keyAt(1, 5), false, ""},
      {"count without a blank", HEAD + "1\n" + END + TAIL, keyAt(1, 5), false, ""},
      {"motion without end", HEAD + "  1\n" + DEFAULT_KEY + TAIL, keyAt(1, 5), false, ""},
      // The next object's motion is not this one's.
      {"block without motion", "LWSC\nAddNullObject a\nShadowOptions 7\n" + BLOCK.substr(5),
       keyAt(1, 5), false, ""},
      {"drop in a block without motion",
       "LWSC\nAddNullObject a\nShadowOptions 7\n" + BLOCK.substr(5), dropKey(), false, ""},
  });
}

TEST(MotionKeys, ListsCutShortByTheNextObjectAreLeftAlone) {
  // The next object line stands where the count, or a key, would be: editing
  // the list would rewrite or drop that object line.
  const std::string countIsObject = HEAD + "AddNullObject b\n" + DEFAULT_KEY + END + TAIL;
  const std::string keyIsObject = HEAD + "  1\nAddNullObject b\n  0 0 0 0 0\n" + END + TAIL;
  const std::string dissolve = HEAD + "  1\n" + DEFAULT_KEY + END +
                               "ObjDissolve (envelope)\n  1\nAddNullObject b\n" + END + TAIL;
  expectCases({
      {"append over a count", countIsObject, keyAt(1, 5), false, ""},
      {"drop over a count", countIsObject, dropKey(), false, ""},
      {"restart over a key", keyIsObject, keyAt(1, 0), false, ""},
      {"drop a key", keyIsObject, dropKey(), false, ""},
      {"dissolve over a count", dissolve, dissolveAt(1, 10), false, ""},
  });
}

TEST(MotionKeys, HugeValuesAreWrittenInFull) {
  SceneHandle document(documentFromText(BLOCK));
  ASSERT_TRUE(keyAt(1e300, 5)(document.get()));
  std::string values = findEndBehavior(objectOf(document.get()))->prev->prev->text;
  // The first three print 301 digits and ".000000" each; eight blanks
  // separate the nine values.
  EXPECT_EQ(values.size(), 2 + 3 * 308 + 3 * 9 + 3 * 8 + 8 + 1);
  EXPECT_EQ(values.substr(0, 6), "  1000");
}

TEST(DissolveKeys, FirstKeyMakesTheEnvelopeAtFrameZeroAndLaterKeysAppend) {
  const std::string motion = HEAD + "  1\n" + DEFAULT_KEY + END;
  const std::string envelope =
      "ObjDissolve (envelope)\n  1\n  1\n  0.250000\n  0 0 0 0 0\nEndBehavior 1\n";
  const std::string withEnvelope = motion + envelope + "ParentObject 4\n" + TAIL;
  const std::string laterBlock =
      "LWSC\nAddNullObject a\nObjectMotion\n  9\n  0\nEndBehavior 1\n"
      "ShadowOptions 7\nAddNullObject b\n" +
      envelope + TAIL;
  expectCases({
      {"new envelope", motion + "ParentObject 4\n" + TAIL, dissolveAt(0.25, 15), true,
       withEnvelope},
      {"second key", withEnvelope, dissolveAt(1, 30), true,
       motion +
           "ObjDissolve (envelope)\n  1\n  2\n  0.250000\n  0 0 0 0 0\n  1.000000\n"
           "  30 0 0 0 0\nEndBehavior 1\nParentObject 4\n" +
           TAIL},
      {"a later block's envelope", laterBlock, dissolveAt(0.25, 15), true,
       "LWSC\nAddNullObject a\nObjectMotion\n  9\n  0\nEndBehavior 1\n" + envelope +
           "ShadowOptions 7\nAddNullObject b\n" + envelope + TAIL},
      {"constant dissolve", motion + "ObjDissolve 0.5\n" + TAIL, dissolveAt(1, 10), false, ""},
      {"constant dissolve before the motion",
       "LWSC\nAddNullObject a\nObjDissolve 0.5\nObjectMotion\n  9\n  0\nEndBehavior 1\n" + TAIL,
       dissolveAt(1, 10), false, ""},
      {"envelope without end", motion + "ObjDissolve (envelope)\n  1\n" + TAIL, dissolveAt(1, 10),
       false, ""},
      {"no end behavior", "LWSC\nAddNullObject a\nShadowOptions 7\n", dissolveAt(1, 10), false, ""},
      {"end behavior ends the document", "LWSC\nAddNullObject a\nEndBehavior 1\n",
       dissolveAt(1, 10), false, ""},
  });
}

// A caller may run in a locale whose decimal point is a comma: every number
// the edits write or read back must still be the C locale's bytes.
TEST(NumbersInEveryLocale, EditsWriteTheSameBytesInACommaDecimalLocale) {
  auto edited = [] {
    SceneHandle document(documentFromText(BLOCK));
    for (const Edit& edit : {keyAt(0.5, 0), keyAt(-1234.5678, 30), keyAt(1e-7, 60), dropKey(),
                             dissolveAt(0.125, 15), dissolveAt(2.5, 45), parentOf(-12)}) {
      EXPECT_TRUE(edit(document.get()));
    }
    return documentText(document.get());
  };
  std::string inCLocale = edited();
  std::string inCommaLocale;
  {
    CommaDecimalLocale comma;
    inCommaLocale = edited();
  }
  EXPECT_EQ(inCommaLocale, inCLocale);
  EXPECT_NE(inCLocale.find("  2\n  0.500000 1.500000 2.500000 10.000000"), std::string::npos);
  EXPECT_NE(inCLocale.find("\n  -1234.567800 -1233.567800 -1232.567800 "), std::string::npos);
  EXPECT_NE(inCLocale.find("\n  2.500000\n  45 0 0 0 0\n"), std::string::npos);
  EXPECT_NE(inCLocale.find("\nParentObject -12\n"), std::string::npos);
}

}  // namespace
