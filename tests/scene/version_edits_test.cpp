// Edits in the layout of the scene's own version: the lines each writes in
// versions 1 to 5, where they go, the line ends they take from the scene,
// and every refusal with the line it names. Each edit that is made is also
// proven all or nothing when memory runs out.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "scene/scene.h"
#include "scene/version_edits.h"
#include "tests/scene/scene_test_support.h"

namespace {

using VersionEdit = std::function<EditResult(SceneDocument*)>;

// The document's line that begins with `start`; null when none does.
SceneLine* lineStarting(const SceneDocument* document, const std::string& start) {
  for (SceneLine* line = document->first; line; line = line->next) {
    if (std::string(line->text).rfind(start, 0) == 0) return line;
  }
  return nullptr;
}

// The edits, each given the object lines it works on by how they begin.
VersionEdit addNull(const char* name) {
  return [=](SceneDocument* d) { return addNullObjectInVersion(d, name); };
}
VersionEdit addLoaded(const char* path) {
  return [=](SceneDocument* d) { return addLoadObjectInVersion(d, path); };
}
VersionEdit copyOf(const char* object) {
  return [=](SceneDocument* d) { return copyObjectInVersion(d, lineStarting(d, object)); };
}
VersionEdit parentOf(const char* child, const char* parent) {
  return [=](SceneDocument* d) {
    return setParentInVersion(d, lineStarting(d, child), lineStarting(d, parent));
  };
}
VersionEdit keyAt(const char* object, std::int32_t frame, double x, double heading,
                  bool linear = false) {
  return [=](SceneDocument* d) {
    KeyValues key = {{x, 0, 0, heading, 0, 0, 1, 1, 1}};
    return setMotionKeyInVersion(d, lineStarting(d, object), key, frame, linear);
  };
}
VersionEdit dissolveAt(const char* object, std::int32_t frame, double value) {
  return [=](SceneDocument* d) {
    return setDissolveKeyInVersion(d, lineStarting(d, object), value, frame);
  };
}

// `text` with every "\n" made "\r\n".
std::string crlf(const std::string& text) {
  std::string converted;
  for (char c : text) converted += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return converted;
}

// A version 2 motion of one TCB key at time 0 per channel, `x` on channel 0.
std::string version2Motion(const std::string& x) {
  std::string text = "ObjectMotion (unnamed)\n  9\n  1\n  " + x + " 0 2 0 0 0\n";
  for (const char* rest : {"0", "0", "0", "0", "0", "1", "1", "1"}) {
    text += std::string("  1\n  ") + rest + " 0 2 0 0 0\n";
  }
  return text + "Pre/PostBehavior 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n";
}

// A version 3 to 5 channel whose envelope holds `keys` ("Key ..." texts).
std::string channel(int index, const std::vector<std::string>& keys) {
  std::string text = "Channel " + std::to_string(index) + "\n{ Envelope\n  " +
                     std::to_string(keys.size()) + "\n";
  for (const std::string& key : keys) text += "  Key " + key + "\n";
  return text + "  Behaviors 1 1\n}\n";
}

// A version 3 to 5 motion of one TCB key at time 0 per channel, `x0` on
// channel 0, or the keys given for channel 0.
std::string version3Motion(const std::vector<std::string>& channel0Keys) {
  std::string text = "ObjectMotion\nNumChannels 9\n" + channel(0, channel0Keys);
  for (int c = 1; c < 9; ++c) text += channel(c, {std::string(c >= 6 ? "1" : "0") + " 0 0 0 0 0 0 0 0"});
  return text;
}
const std::string REST_MOTION = version3Motion({"0 0 0 0 0 0 0 0 0"});

// A version 3 to 5 block as addNullObjectInVersion writes it, its object
// line given.
std::string version3Block(const std::string& objectLine, const std::string& motion = REST_MOTION,
                          const std::string& parent = "") {
  return objectLine + "\nShowObject 6 7\n" + motion + "\n" + parent + "ShadowOptions 7\n\n";
}

const std::string HEAD3 = "LWSC\n3\n\nFramesPerSecond 30\n\n";
const std::string PARENTED_A =
    version3Block("AddNullObject 10000000 A", REST_MOTION, "ParentItem 20000000\n");

std::string withoutEmptyLineAtEnd(const std::string& block) {
  return block.substr(0, block.size() - 1);
}
const std::string TAIL = "AmbientColor 1 1 1\n\nAddLight\nLightName Sun\n";

TEST(VersionEdits, NewObjectsGoAfterTheLastObjectInTheVersionsLayout) {
  const std::string version2 = "LWSC\n2\n\nLoadObject a.lwo\n" + version2Motion("5") +
                               "SubPatchLevel 3 3\n" + TAIL;
  const std::string version4 = "LWSC\n4\n\nAddNullObject 10000000 A\nShadowOptions 7\n\n"
                               "LoadObjectLayer 1 10000001 b.lwo\nShadowOptions 7\n\n" + TAIL;
  const std::string version5 = "LWSC\n5\n\n" + version3Block("AddNullObject 10000000 A") + TAIL;
  struct Case {
    const char* what;
    std::string scene;
    VersionEdit edit;
    std::string expected;
  };
  const Case cases[] = {
      {"version 2: after the object's last line, no empty line", version2, addNull("N"),
       "LWSC\n2\n\nLoadObject a.lwo\n" + version2Motion("5") + "SubPatchLevel 3 3\n" +
           "AddNullObject N\n" + version2Motion("0") + TAIL},
      {"version 2 loads an object by its path", "LWSC\n2\n\n" + TAIL, addLoaded("x/b.lwo"),
       "LWSC\n2\n\nLoadObject x/b.lwo\n" + version2Motion("0") + TAIL},
      {"version 3, no object yet: before AmbientColor", HEAD3 + TAIL, addLoaded("b.lwo"),
       HEAD3 + version3Block("LoadObjectLayer 1 b.lwo") + TAIL},
      {"version 4: the ID after the last object's", version4, addNull("N"),
       "LWSC\n4\n\nAddNullObject 10000000 A\nShadowOptions 7\n\n"
       "LoadObjectLayer 1 10000001 b.lwo\nShadowOptions 7\n\n" +
           version3Block("AddNullObject 10000002 N") + TAIL},
      {"version 5 loads a layer", version5, addLoaded("b.lwo"),
       "LWSC\n5\n\n" + version3Block("AddNullObject 10000000 A") +
           version3Block("LoadObjectLayer 1 10000001 b.lwo") + TAIL},
      {"CR LF lines take CR LF", crlf(HEAD3 + TAIL), addNull("N"),
       crlf(HEAD3 + version3Block("AddNullObject N") + TAIL)},
      // The copy keeps every line, its parent's included; version 5 gives it
      // the next ID. The empty line after a block is not part of it.
      {"version 5 copy", "LWSC\n5\n\n" + PARENTED_A + TAIL, copyOf("AddNullObject 10000000 A"),
       "LWSC\n5\n\n" + PARENTED_A +
           withoutEmptyLineAtEnd(version3Block("AddNullObject 10000001 A", REST_MOTION,
                                               "ParentItem 20000000\n")) +
           TAIL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    expectEdit(c.scene, [&](SceneDocument* d) { return c.edit(d).status == EDIT_DONE; }, true,
               c.expected);
  }
}

TEST(VersionEdits, ParentLinesNameTheParentAsTheVersionDoes) {
  const std::string version2 = "LWSC\n2\n\nAddNullObject A\n" + version2Motion("0") +
                               "AddNullObject B\n" + version2Motion("0") + "IKInitialState 0\n\n" +
                               TAIL;
  const std::string version3 = HEAD3 + version3Block("AddNullObject A") +
                               version3Block("AddNullObject B") + TAIL;
  const std::string boned = HEAD3 + version3Block("AddNullObject A") +
                            "AddNullObject B\nAddBone\nBoneName b\nShadowOptions 7\n\n" + TAIL;
  struct Case {
    const char* what;
    std::string scene;
    VersionEdit edit;
    std::string expected;
  };
  const Case cases[] = {
      {"version 2: by object number, after the last own line", version2, parentOf("AddNullObject B", "AddNullObject A"),
       "LWSC\n2\n\nAddNullObject A\n" + version2Motion("0") + "AddNullObject B\n" +
           version2Motion("0") + "IKInitialState 0\nParentObject 1\n\n" + TAIL},
      {"version 3: by item ID, before ShadowOptions", version3,
       parentOf("AddNullObject A", "AddNullObject B"),
       HEAD3 + version3Block("AddNullObject A", REST_MOTION, "ParentItem 10000001\n") +
           version3Block("AddNullObject B") + TAIL},
      {"a parent line held is rewritten",
       HEAD3 + version3Block("AddNullObject A", REST_MOTION, "ParentItem 20000000\n") +
           version3Block("AddNullObject B") + TAIL,
       parentOf("AddNullObject A", "AddNullObject B"),
       HEAD3 + version3Block("AddNullObject A", REST_MOTION, "ParentItem 10000001\n") +
           version3Block("AddNullObject B") + TAIL},
      {"an object with bones: before its first bone, whose lines are its own", boned,
       parentOf("AddNullObject B", "AddNullObject A"),
       HEAD3 + version3Block("AddNullObject A") +
           "AddNullObject B\nParentItem 10000000\nAddBone\nBoneName b\nShadowOptions 7\n\n" +
           TAIL},
      {"CR LF", crlf(version3), parentOf("AddNullObject A", "AddNullObject B"),
       crlf(HEAD3 + version3Block("AddNullObject A", REST_MOTION, "ParentItem 10000001\n") +
            version3Block("AddNullObject B") + TAIL)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    expectEdit(c.scene, [&](SceneDocument* d) { return c.edit(d).status == EDIT_DONE; }, true,
               c.expected);
  }
}

// The text of channel `index` of a version 3 to 5 motion in `scene`.
std::string channelIn(const std::string& scene, int index) {
  std::size_t begin = scene.find("Channel " + std::to_string(index) + "\n");
  return begin == std::string::npos ? "" : scene.substr(begin, scene.find("}\n", begin) + 2 - begin);
}

TEST(VersionEdits, KeysReplaceTheirFrameOrStandInOrderInEveryChannel) {
  // Keys at frames 0 and 30 (one second) on channel 0 of a version 3 motion.
  const std::string twoKeys =
      HEAD3 +
      version3Block("AddNullObject A", version3Motion({"0 0 0 0 0 0 0 0 0", "9 1 0 0 0 0 0 0 0"})) +
      TAIL;
  struct Case {
    const char* what;
    VersionEdit edit;
    std::vector<std::string> channel0;
    std::vector<std::string> channel3;  // heading, written in radians
    std::vector<std::string> channel8;  // scale z
  };
  const Case cases[] = {
      {"frame 15 goes between", keyAt("AddNullObject A", 15, 4, 180),
       {"0 0 0 0 0 0 0 0 0", "4 0.5 0 0 0 0 0 0 0", "9 1 0 0 0 0 0 0 0"},
       {"0 0 0 0 0 0 0 0 0", "3.141592653589793 0.5 0 0 0 0 0 0 0"},
       {"1 0 0 0 0 0 0 0 0", "1 0.5 0 0 0 0 0 0 0"}},
      {"frame 30 replaces the key there, linear", keyAt("AddNullObject A", 30, -2.5, 0, true),
       {"0 0 0 0 0 0 0 0 0", "-2.5 1 3 0 0 0 0 0 0"},
       {"0 0 0 0 0 0 0 0 0", "0 1 3 0 0 0 0 0 0"},
       {"1 0 0 0 0 0 0 0 0", "1 1 3 0 0 0 0 0 0"}},
      {"frame 0 replaces the first", keyAt("AddNullObject A", 0, 7, 0),
       {"7 0 0 0 0 0 0 0 0", "9 1 0 0 0 0 0 0 0"}, {"0 0 0 0 0 0 0 0 0"},
       {"1 0 0 0 0 0 0 0 0"}},
      {"frame 45 goes last", keyAt("AddNullObject A", 45, 1, 0),
       {"0 0 0 0 0 0 0 0 0", "9 1 0 0 0 0 0 0 0", "1 1.5 0 0 0 0 0 0 0"},
       {"0 0 0 0 0 0 0 0 0", "0 1.5 0 0 0 0 0 0 0"},
       {"1 0 0 0 0 0 0 0 0", "1 1.5 0 0 0 0 0 0 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SceneHandle document(documentFromText(twoKeys));
    ASSERT_EQ(c.edit(document.get()).status, EDIT_DONE);
    std::string text = documentText(document.get());
    EXPECT_EQ(channelIn(text, 0), channel(0, c.channel0));
    EXPECT_EQ(channelIn(text, 3), channel(3, c.channel3));
    EXPECT_EQ(channelIn(text, 8), channel(8, c.channel8));
    expectAllOrNothing([&] { return documentFromText(twoKeys); },
                       [&](SceneDocument* d) { return c.edit(d).status == EDIT_DONE; });
  }
}

TEST(VersionEdits, Version2KeysKeepDegreesAndSecondsAndDissolvesAreKeyedInOrder) {
  const std::string version2 =
      "LWSC\n2\n\nFramesPerSecond 25\n\nAddNullObject A\n" + version2Motion("0") + TAIL;
  std::string keyed = version2Motion("0");
  // Frame 10 at 25 frames per second is 0.4 seconds; heading 90 stays 90.
  const std::vector<std::string> values = {"4", "0", "0", "90", "0", "0", "1", "1", "1"};
  std::size_t at = keyed.find("  9\n") + 4;
  for (const std::string& value : values) {
    std::string rest = keyed.substr(at);
    std::size_t keyEnd = rest.find('\n', rest.find('\n') + 1) + 1;  // count and key lines
    std::string was = rest.substr(0, keyEnd);
    std::string now = "  2" + was.substr(3) + "  " + value + " 0.4 2 0 0 0\n";
    keyed.replace(at, keyEnd, now);
    at += now.size();
  }
  expectEdit(version2,
             [](SceneDocument* d) {
               return keyAt("AddNullObject A", 10, 4, 90)(d).status == EDIT_DONE;
             },
             true, "LWSC\n2\n\nFramesPerSecond 25\n\nAddNullObject A\n" + keyed + TAIL);

  // A version 3 dissolve envelope follows the motion; later keys stand in order.
  const std::string scene = HEAD3 + version3Block("AddNullObject A") + TAIL;
  const std::string envelope30 = "ObjectDissolve (envelope)\n{ Envelope\n  1\n"
                                 "  Key 0.5 1 0 0 0 0 0 0 0\n  Behaviors 1 1\n}\n";
  const std::string both = "ObjectDissolve (envelope)\n{ Envelope\n  2\n"
                           "  Key 1 0.2 0 0 0 0 0 0 0\n  Key 0.5 1 0 0 0 0 0 0 0\n"
                           "  Behaviors 1 1\n}\n";
  const std::string dissolved = HEAD3 + "AddNullObject A\nShowObject 6 7\n" + REST_MOTION +
                                envelope30 + "\nShadowOptions 7\n\n" + TAIL;
  expectEdit(scene,
             [](SceneDocument* d) {
               return dissolveAt("AddNullObject A", 30, 0.5)(d).status == EDIT_DONE;
             },
             true, dissolved);
  std::string twice = dissolved;
  twice.replace(twice.find(envelope30), envelope30.size(), both);
  expectEdit(dissolved,
             [](SceneDocument* d) {
               return dissolveAt("AddNullObject A", 6, 1)(d).status == EDIT_DONE;
             },
             true, twice);
}

// Version 1 writes what the edits of scene.h write, with the scene's line ends.
TEST(VersionEdits, Version1WritesTheLibrarysBlocksWithTheScenesLineEnds) {
  SceneHandle plain(newScene());
  ASSERT_TRUE(addNullObject(plain.get(), objectInsertPoint(plain.get()), "A"));
  ASSERT_TRUE(addMotionKey(findObjectLine(plain.get(), "A", 1), 1, 2, 3, 90, 0, 0, 1, 1, 1, 0, 1,
                           0, 0, 0));
  ASSERT_TRUE(addMotionKey(findObjectLine(plain.get(), "A", 1), 4, 5, 6, 0, 0, 0, 1, 1, 1, 30, 0,
                           0, 0, 0));
  ASSERT_TRUE(addDissolveKey(findObjectLine(plain.get(), "A", 1), 0.25, 0));
  ASSERT_TRUE(addDissolveKey(findObjectLine(plain.get(), "A", 1), 1, 12));
  ASSERT_TRUE(addNullObject(plain.get(), objectInsertPoint(plain.get()), "B"));
  ASSERT_TRUE(setParentObject(findObjectLine(plain.get(), "B", 1), 1));

  for (bool crlfEnds : {false, true}) {
    SCOPED_TRACE(crlfEnds ? "CR LF" : "LF");
    SceneHandle fresh(newScene());
    std::string start = documentText(fresh.get());
    SceneHandle document(documentFromText(crlfEnds ? crlf(start) : start));
    SceneDocument* d = document.get();
    ASSERT_EQ(addNull("A")(d).status, EDIT_DONE);
    ASSERT_EQ(keyAt("AddNullObject A", 0, 1, 90, true)(d).status, EDIT_DONE);
    KeyValues later = {{4, 5, 6, 0, 0, 0, 1, 1, 1}};
    ASSERT_EQ(setMotionKeyInVersion(d, lineStarting(d, "AddNullObject A"), later, 30, false).status,
              EDIT_DONE);
    ASSERT_EQ(dissolveAt("AddNullObject A", 0, 0.25)(d).status, EDIT_DONE);
    ASSERT_EQ(dissolveAt("AddNullObject A", 12, 1)(d).status, EDIT_DONE);
    ASSERT_EQ(addNull("B")(d).status, EDIT_DONE);
    ASSERT_EQ(parentOf("AddNullObject B", "AddNullObject A")(d).status, EDIT_DONE);
    std::string expected = documentText(plain.get());
    // The key at frame 0 with y and z of 0: keyAt keys x and the heading only.
    expected.replace(expected.find("  1.000000 2.000000 3.000000"), 28,
                     "  1.000000 0.000000 0.000000");
    EXPECT_EQ(documentText(d), crlfEnds ? crlf(expected) : expected);
  }
}

// Where a version 1 edit and the edit of scene.h part ways, each keeps its
// own rule: the checks, where a line goes, the line end of a line rewritten.
TEST(VersionEdits, Version1PartsWaysWithTheLibrarysEditsOnlyWhereSaid) {
  const std::string motion = "LWSC\n1\nAddNullObject A\nObjectMotion (unnamed)\n  9\n";
  const std::string key30 = "  0 0 0 0 0 0 1 1 1\n  30 0 0 0 0\nEndBehavior 1\n";
  const std::string tail = "ShadowOptions 7\n\nAmbientColor 1\n";
  const std::string added = "  1.000000 0.000000 0.000000 0.000000 0.000000 0.000000 1.000000 "
                            "1.000000 1.000000\n  10 0 0 0 0\n";
  const std::string parented = "LWSC\r\n1\r\nAddNullObject A\r\nShadowOptions 7\r\n"
                               "AddNullObject B\r\nParentObject 5\r\nShadowOptions 7\r\n";
  const std::string noShadow = "LWSC\n1\nAddNullObject A\nShadowOptions 7\n"
                               "AddNullObject B\nShowObject 8 7\n\nAmbientColor 1\n";
  auto libraryKey = [](SceneDocument* d) {
    return addMotionKey(lineStarting(d, "AddNullObject A"), 1, 0, 0, 0, 0, 0, 1, 1, 1, 10, 0, 0,
                        0, 0);
  };
  auto libraryDissolve = [](SceneDocument* d) {
    return addDissolveKey(lineStarting(d, "AddNullObject A"), 0.5, 10);
  };
  auto libraryParent = [](SceneDocument* d) {
    return setParentObject(lineStarting(d, "AddNullObject B"), 1);
  };
  struct Case {
    const char* what;
    std::string scene;
    std::function<bool(SceneDocument*)> libraryEdit;
    std::string libraryResult;  // empty: refused
    VersionEdit versionEdit;
    EditStatus status;
    std::string versionResult;  // empty: refused
  };
  const Case cases[] = {
      {"a key before the last key's frame", motion + "  1\n" + key30 + tail, libraryKey,
       motion + "  2\n" + key30.substr(0, key30.size() - 14) + added + "EndBehavior 1\n" + tail,
       keyAt("AddNullObject A", 10, 1, 0), EDIT_FRAME_NOT_AFTER_LAST, ""},
      {"a count read only leniently", motion + "  0 keys\nEndBehavior 1\n" + tail, libraryKey,
       motion + "  1\n" + added + "EndBehavior 1\n" + tail, keyAt("AddNullObject A", 10, 1, 0),
       EDIT_UNREADABLE_LINE, ""},
      {"a first dissolve key past frame 0", motion + "  1\n" + key30 + tail, libraryDissolve,
       motion + "  1\n" + key30 + "ObjDissolve (envelope)\n  1\n  1\n  0.500000\n  0 0 0 0 0\n" +
           "EndBehavior 1\n" + tail,
       dissolveAt("AddNullObject A", 10, 0.5), EDIT_FIRST_KEY_NOT_AT_0, ""},
      {"an envelope that ends the document", motion + "  0\nEndBehavior 1\n",
       [](SceneDocument* d) { return addDissolveKey(lineStarting(d, "AddNullObject A"), 0.5, 0); },
       "", dissolveAt("AddNullObject A", 0, 0.5), EDIT_DONE,
       motion + "  0\nEndBehavior 1\nObjDissolve (envelope)\n  1\n  1\n  0.500000\n"
                "  0 0 0 0 0\nEndBehavior 1\n"},
      {"a parent line held, CR LF", parented, libraryParent,
       crlf("LWSC\n1\nAddNullObject A\nShadowOptions 7\nAddNullObject B\n") +
           "ParentObject 1\nShadowOptions 7\r\n",
       parentOf("AddNullObject B", "AddNullObject A"), EDIT_DONE,
       crlf("LWSC\n1\nAddNullObject A\nShadowOptions 7\nAddNullObject B\nParentObject 1\n"
            "ShadowOptions 7\n")},
      {"a block without ShadowOptions", noShadow, libraryParent, "",
       parentOf("AddNullObject B", "AddNullObject A"), EDIT_DONE,
       "LWSC\n1\nAddNullObject A\nShadowOptions 7\nAddNullObject B\nShowObject 8 7\n"
       "ParentObject 1\n\nAmbientColor 1\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    expectEdit(c.scene, c.libraryEdit, !c.libraryResult.empty(), c.libraryResult);
    SceneHandle document(documentFromText(c.scene));
    EXPECT_EQ(c.versionEdit(document.get()).status, c.status);
    expectEdit(c.scene, [&](SceneDocument* d) { return c.versionEdit(d).status == EDIT_DONE; },
               !c.versionResult.empty(), c.versionResult);
  }
}

// Each refusal leaves the document as it was and names its line.
TEST(VersionEdits, RefusalsNameTheirLine) {
  const std::string version1 = "LWSC\n1\n\nAddNullObject A\nObjectMotion (unnamed)\n  9\n  1\n"
                               "  0 0 0 0 0 0 1 1 1\n  30 0 0 0 0\nEndBehavior 1\n"
                               "ShadowOptions 7\n\n" + TAIL;
  const std::string version2 = "LWSC\n2\n\nAddNullObject A\n" + version2Motion("0") + TAIL;
  const std::string version3 = HEAD3 + version3Block("AddNullObject A") + TAIL;
  std::string sixChannels = version3;
  sixChannels.replace(sixChannels.find("NumChannels 9"), 13, "NumChannels 6");
  std::string fallingKeys = version3;
  fallingKeys.replace(fallingKeys.find("  1\n  Key 0 0 0"), 16,
                      "  2\n  Key 0 1 0 0 0 0 0 0 0\n  Key 0 0 0");
  std::string shortKey = version3;
  shortKey.replace(shortKey.find("  Key 0 0 0 0 0 0 0 0 0"), 23, "  Key 0 0");
  std::string unclosed = HEAD3 + "AddNullObject A\nObjectMotion\nNumChannels 9\nChannel 0\n"
                                 "{ Envelope\n  1\n  Key 0 0 0 0 0 0 0 0 0\n";
  std::string version2Short = version2;
  version2Short.replace(version2Short.find("  9\n"), 4, "  6\n");
  std::string noBehaviors = version2;
  noBehaviors.replace(noBehaviors.find("Pre/PostBehavior"), 16, "PathAlignLookAhead");
  struct Case {
    const char* what;
    std::string scene;
    VersionEdit edit;
    EditStatus status;
    const char* line;  // the start of the line named; null: none
  };
  const Case cases[] = {
      {"an unknown version", "LWSC\n6\n\nAddNullObject A\n" + TAIL, addNull("B"),
       EDIT_UNKNOWN_VERSION, "6"},
      {"no object, no AmbientColor", "LWSC\n3\n\nAddLight\n", addNull("B"),
       EDIT_NO_PLACE_FOR_OBJECT, nullptr},
      {"a version 1 key before the last", version1, keyAt("AddNullObject A", 20, 0, 0),
       EDIT_FRAME_NOT_AFTER_LAST, "  30 0 0 0 0"},
      {"a first version 1 dissolve key past 0", version1, dissolveAt("AddNullObject A", 5, 1),
       EDIT_FIRST_KEY_NOT_AT_0, "AddNullObject A"},
      {"a negative frame", version3, keyAt("AddNullObject A", -1, 0, 0), EDIT_FRAME_BEFORE_FIRST,
       nullptr},
      {"a linear version 2 key", version2, keyAt("AddNullObject A", 5, 0, 0, true),
       EDIT_NOT_IN_VERSION, nullptr},
      {"a version 2 dissolve", version2, dissolveAt("AddNullObject A", 0, 1), EDIT_NOT_IN_VERSION,
       nullptr},
      {"six channels", sixChannels, keyAt("AddNullObject A", 5, 0, 0), EDIT_UNREADABLE_LINE,
       "NumChannels 6"},
      {"key times that fall", fallingKeys, keyAt("AddNullObject A", 5, 0, 0),
       EDIT_UNREADABLE_LINE, "  Key 0 0 0"},
      {"a short key line", shortKey, keyAt("AddNullObject A", 5, 0, 0), EDIT_UNREADABLE_LINE,
       "  Key 0 0\n"},
      {"an unclosed envelope", unclosed, keyAt("AddNullObject A", 5, 0, 0), EDIT_UNREADABLE_LINE,
       "{ Envelope"},
      {"a version 2 motion of six channels", version2Short, keyAt("AddNullObject A", 5, 0, 0),
       EDIT_UNREADABLE_LINE, "  6"},
      {"no Pre/PostBehavior", noBehaviors, keyAt("AddNullObject A", 5, 0, 0),
       EDIT_UNREADABLE_LINE, "PathAlignLookAhead"},
      {"no motion", HEAD3 + "AddNullObject A\nShadowOptions 7\n" + TAIL,
       keyAt("AddNullObject A", 0, 0, 0), EDIT_NO_MOTION, "AddNullObject A"},
      {"an unreadable frame rate", "LWSC\n3\n\nFramesPerSecond 0\n\n" +
                                       version3Block("AddNullObject A") + TAIL,
       keyAt("AddNullObject A", 5, 0, 0), EDIT_UNREADABLE_LINE, "FramesPerSecond 0"},
      {"a constant dissolve",
       HEAD3 + "AddNullObject A\nShowObject 6 7\n" + REST_MOTION + "ObjectDissolve 0.5\n" +
           "ShadowOptions 7\n" + TAIL,
       dissolveAt("AddNullObject A", 0, 1), EDIT_CONSTANT_DISSOLVE, "ObjectDissolve 0.5"},
      {"a copy of an object with bones",
       HEAD3 + "AddNullObject A\nAddBone\nBoneName b\nShadowOptions 7\n" + TAIL,
       copyOf("AddNullObject A"), EDIT_OBJECT_HAS_BONES, "AddBone"},
      {"its own parent", version3, parentOf("AddNullObject A", "AddNullObject A"),
       EDIT_OWN_PARENT, "AddNullObject A"},
      {"a light as parent", version3, parentOf("AddNullObject A", "AddLight"),
       EDIT_NOT_AN_OBJECT, "AddLight"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SceneHandle document(documentFromText(c.scene));
    EditResult result = c.edit(document.get());
    EXPECT_EQ(result.status, c.status);
    if (c.line) {
      ASSERT_NE(result.line, nullptr);
      EXPECT_EQ(std::string(result.line->text).rfind(c.line, 0), 0u) << result.line->text;
    } else {
      EXPECT_EQ(result.line, nullptr);
    }
    EXPECT_EQ(result.detail != nullptr,
              c.status == EDIT_UNREADABLE_LINE || c.status == EDIT_NOT_IN_VERSION);
    EXPECT_EQ(documentText(document.get()), c.scene);
  }
}

}  // namespace
