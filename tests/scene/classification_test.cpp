// Classifying lines by keyword, numbering object lines, and the searches.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/scene.h"
#include "tests/scene/core_documents.h"

namespace {

TEST(CompareKeyword, MatchesLeadingBytesExactly) {
  struct Case {
    const char* text;
    const char* keyword;
    int expected;
  } cases[] = {
      {"AmbientColor 1\n", "AmbientColor", 0}, {"AmbientColorX 1\n", "AmbientColor", 0},
      {"Ambient", "AmbientColor", 1},          {"ambientColor 1\n", "AmbientColor", 1},
      {" LWSC\n", "LWSC", 1},                  {"LWSC", "LWSC", 0},
      {"", "LWSC", 1},                         {"", "", 0},
      {"anything\n", "", 0},                   {"LWS", "LWSC", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(compareKeyword(c.text, c.keyword), c.expected) << c.text << " / " << c.keyword;
  }
}

TEST(ClassifyLines, KindComesFromTheLeadingKeyword) {
  struct Case {
    const char* text;
    LineKind kind;
  } cases[] = {
      {"LWSC\n", LINE_HEADER},
      {" LWSC\n", LINE_OTHER},
      {"lwsc\n", LINE_OTHER},
      {"AddNullObject Null\n", LINE_OBJECT},
      {"AddNullObject\n", LINE_OBJECT},
      {"LoadObject a.lwo\n", LINE_OBJECT},
      {"LoadObjectLayer 1 a.lwo\n", LINE_OBJECT},
      {"AmbientColor 255 255 255\n", LINE_AMBIENT},
      {"AmbientColorX 1\n", LINE_AMBIENT},
      {"Ambient\n", LINE_OTHER},
      {"AmbIntensity 0.25\n", LINE_OTHER},
      {"ShowCamera 1 7\n", LINE_CAMERA},
      {"SolidBackdrop 1\r\n", LINE_BACKDROP},
      {"RenderMode 2\n", LINE_RENDER},
      {"ViewMode 3", LINE_VIEW},
      {"ViewAimpoint 0 0 0\n", LINE_OTHER},
      {"\n", LINE_OTHER},
      {"", LINE_OTHER},
  };
  for (const Case& c : cases) {
    // Each text is tried first, in the middle and last, so no position is
    // special; the padding lines are plain settings.
    for (int at = 0; at < 3; ++at) {
      std::vector<std::string> texts = {"FrameStep 1\n", "GridSize 1\n"};
      texts.insert(texts.begin() + at, c.text);
      ScenePtr document = documentOf(texts);
      EXPECT_EQ(lineAt(document.get(), at + 1)->kind, c.kind) << c.text << " at " << at;
    }
  }
}

TEST(ClassifyLines, NumbersObjectLinesOfBothKeywordsTogether) {
  ScenePtr document = documentOf({"LWSC\n", "AddNullObject A\n", "ShadowOptions 7\n",
                                  "LoadObject B\n", "AddNullObject A\n", "AmbientColor 1\n",
                                  "LoadObject a\n"});
  std::vector<std::int32_t> numbers;
  for (SceneLine* line = document->first; line; line = line->next) numbers.push_back(line->objectNumber);
  EXPECT_EQ(numbers, (std::vector<std::int32_t>{0, 1, 0, 2, 3, 0, 4}));
  EXPECT_EQ(document->nextObjectNumber, 5);

  ScenePtr none = documentOf({"LWSC\n", "1\n"});
  EXPECT_EQ(none->nextObjectNumber, 1);
  ScenePtr empty = documentOf({});
  EXPECT_EQ(empty->nextObjectNumber, 1);
}

TEST(ClassifyLines, RenumbersAfterAnObjectLineIsInserted) {
  ScenePtr document = documentOf({"LoadObject a\n", "LoadObject b\n"});
  SceneLine* added = lineOf("AddNullObject n\n");
  insertLineAfter(document->first, added);
  EXPECT_EQ(added->kind, LINE_HEADER);  // unclassified until classifyLines
  classifyLines(document.get());
  EXPECT_EQ(added->kind, LINE_OBJECT);
  EXPECT_EQ(added->objectNumber, 2);
  EXPECT_EQ(document->last->objectNumber, 3);
  EXPECT_EQ(document->nextObjectNumber, 4);
}

TEST(FindLine, WalksFromTheStartLineIncluded) {
  ScenePtr document = documentOf({"LWSC\n", "ViewMode 3\n", "GridSize 1\n", "ViewMode 4\n"});
  EXPECT_EQ(findLine(nullptr, "LWSC"), nullptr);
  EXPECT_EQ(positionOf(document.get(), findLine(document->first, "ViewMode")), 2);
  EXPECT_EQ(positionOf(document.get(), findLine(lineAt(document.get(), 2), "ViewMode")), 2);
  EXPECT_EQ(positionOf(document.get(), findLine(lineAt(document.get(), 3), "ViewMode")), 4);
  EXPECT_EQ(findLine(document->first, "Missing"), nullptr);
  EXPECT_EQ(findLine(document->first, ""), document->first);
}

TEST(FindLineBefore, StopsAtTheStopLineWithoutExaminingIt) {
  ScenePtr document = documentOf({"LWSC\n", "A 1\n", "B 2\n", "A 3\n"});
  SceneLine* first = document->first;
  SceneLine* second = lineAt(document.get(), 2);
  SceneLine* third = lineAt(document.get(), 3);
  SceneLine* fourth = lineAt(document.get(), 4);
  EXPECT_EQ(findLineBefore(first, first, "LWSC"), nullptr);    // stop at the start
  EXPECT_EQ(findLineBefore(first, second, "A"), nullptr);      // the match is the stop
  EXPECT_EQ(findLineBefore(first, third, "A"), second);        // found before the stop
  EXPECT_EQ(findLineBefore(third, nullptr, "A"), fourth);      // no stop: to the end
  EXPECT_EQ(findLineBefore(third, second, "A"), fourth);       // stop before the start
  EXPECT_EQ(findLineBefore(nullptr, second, "A"), nullptr);
}

TEST(FindObjectLine, SelectsByNamePrefixAndOrdinal) {
  ScenePtr document = documentOf({"LWSC\n", "AddNullObject A\n", "LoadObject B\n",
                                  "AddNullObject A\n", "AmbientColor 1\n"});
  struct Case {
    const char* name;
    int ordinal;
    int position;  // 0: none
  } cases[] = {
      {"A", 1, 2}, {"A", 2, 4}, {"A", 3, 0}, {"A", 0, 0}, {"A", -1, 0},
      {"B", 1, 3}, {"", 2, 3},  {"", 3, 4},  {"C", 1, 0}, {"A\n", 2, 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(positionOf(document.get(), findObjectLine(document.get(), c.name, c.ordinal)),
              c.position)
        << '"' << c.name << "\" #" << c.ordinal;
  }
}

TEST(FindObjectLine, NameMatchesAsAPrefixOfTheArgument) {
  ScenePtr document = documentOf({"AddNullObject Null2\n", "AddNullObject Null\n"});
  EXPECT_EQ(findObjectLine(document.get(), "Null", 1), document->first);
  EXPECT_EQ(findObjectLine(document.get(), "Null", 2), document->last);
  EXPECT_EQ(findObjectLine(document.get(), "Null\n", 1), document->last);
}

TEST(FindObjectLine, EndsAtAnObjectLineWithoutBlank) {
  ScenePtr document = documentOf({"AddNullObject\n", "AddNullObject Null\n"});
  EXPECT_EQ(findObjectLine(document.get(), "Null", 1), nullptr);
  // A matching line before the blankless one is still found.
  ScenePtr earlier = documentOf({"AddNullObject Null\n", "LoadObject\n", "AddNullObject Null\n"});
  EXPECT_EQ(findObjectLine(earlier.get(), "Null", 1), earlier->first);
  EXPECT_EQ(findObjectLine(earlier.get(), "Null", 2), nullptr);
}

TEST(FindObjectLine, HandlesNamesAndArgumentsLongerThanAWorkBuffer) {
  std::string longName(400, 'n');
  ScenePtr document = documentOf({"AddNullObject " + longName + "x\n",
                                  "AddNullObject " + longName + "\n"});
  EXPECT_EQ(findObjectLine(document.get(), longName.c_str(), 2), document->last);
  EXPECT_EQ(findObjectLine(document.get(), (longName + "\n").c_str(), 1), document->last);
}

TEST(FindObjectLine, SeesKindsAsOfTheLastClassification) {
  ScenePtr document = documentOf({"LWSC\n"});
  appendLine(document.get(), lineOf("LoadObject a\n"));
  EXPECT_EQ(findObjectLine(document.get(), "a", 1), nullptr);
  classifyLines(document.get());
  EXPECT_EQ(findObjectLine(document.get(), "a", 1), document->last);
}

TEST(ObjectInsertPoint, IsTheLineBeforeTheFirstAmbientLine) {
  ScenePtr none = documentOf({"LWSC\n", "1\n"});
  EXPECT_EQ(objectInsertPoint(none.get()), nullptr);
  ScenePtr first = documentOf({"AmbientColor 1\n", "LWSC\n"});
  EXPECT_EQ(objectInsertPoint(first.get()), nullptr);
  ScenePtr two = documentOf({"LWSC\n", "\n", "AmbientColor 1\n", "AmbientColor 2\n"});
  EXPECT_EQ(positionOf(two.get(), objectInsertPoint(two.get())), 2);
  ScenePtr empty = documentOf({});
  EXPECT_EQ(objectInsertPoint(empty.get()), nullptr);
}

}  // namespace
