// Classifying lines by keyword, numbering object lines, and the searches.

#include <gtest/gtest.h>

#include <string>

#include "tests/scene/core_documents.h"

namespace {

TEST(CompareKeyword, MatchesLeadingBytesExactly) {
  EXPECT_EQ(compareKeyword("AmbientColorX 1\n", "AmbientColor"), 0);
  EXPECT_EQ(compareKeyword("Ambient", "AmbientColor"), 1);  // the text ends first
  EXPECT_EQ(compareKeyword("ambientColor", "AmbientColor"), 1);
  EXPECT_EQ(compareKeyword("", ""), 0);
  EXPECT_EQ(compareKeyword("anything", ""), 0);
}

TEST(ClassifyLines, SetsKindsAndNumbersObjectLinesOfBothKeywords) {
  const std::pair<const char*, LineKind> lines[] = {
      {"LWSC\n", LINE_HEADER},          {" LWSC\n", LINE_OTHER},
      {"AddNullObject A\n", LINE_OBJECT}, {"LoadObject B\r\n", LINE_OBJECT},
      {"\n", LINE_OTHER},               {"AddNullObject\n", LINE_OBJECT},
      {"AmbientColorX 1\n", LINE_AMBIENT}, {"Ambient\n", LINE_OTHER},
      {"ShowCamera 1 7\n", LINE_CAMERA}, {"SolidBackdrop 1\n", LINE_BACKDROP},
      {"RenderMode 2\n", LINE_RENDER},  {"ViewMode 3\n", LINE_VIEW},
      {"LoadObject a\n", LINE_OBJECT},  // the last line counts too
  };
  Texts texts;
  for (const auto& [text, kind] : lines) texts.emplace_back(text);
  SceneHandle document = documentOf(texts);
  int position = 0, objects = 0;
  for (const auto& [text, kind] : lines) {
    SceneLine* line = lineAt(document.get(), ++position);
    EXPECT_EQ(line->kind, kind) << text;
    EXPECT_EQ(line->objectNumber, kind == LINE_OBJECT ? ++objects : 0) << text;
  }
  EXPECT_EQ(document->nextObjectNumber, 5);
  EXPECT_EQ(documentOf({})->nextObjectNumber, 1);
}

// Every keyword, each of its prefixes and each one-byte change of it is
// classified as trying the keywords in their order would classify it.
TEST(ClassifyLines, AgreesWithTryingEveryKeywordInOrder) {
  const std::pair<std::string, LineKind> keywords[] = {
      {"LWSC", LINE_HEADER},         {"AddNullObject", LINE_OBJECT}, {"LoadObject", LINE_OBJECT},
      {"AmbientColor", LINE_AMBIENT}, {"ShowCamera", LINE_CAMERA},   {"SolidBackdrop", LINE_BACKDROP},
      {"RenderMode", LINE_RENDER},   {"ViewMode", LINE_VIEW},
  };
  auto expectedKind = [&](const std::string& text) {
    for (const auto& [keyword, kind] : keywords) {
      if (text.compare(0, keyword.size(), keyword) == 0) return kind;
    }
    return LINE_OTHER;
  };
  Texts texts = {"", "\n", "L", "A", "S"};
  for (const auto& [keyword, kind] : keywords) {
    for (std::size_t length = 1; length <= keyword.size(); ++length) {
      texts.push_back(keyword.substr(0, length) + " 1\n");
      for (char other : {'W', 'd', 'h', 'x', '\n'}) {
        std::string changed = keyword + "\n";
        changed[length - 1] = other;
        texts.push_back(changed);
      }
    }
  }
  SceneHandle document = documentOf(texts);
  for (const SceneLine* line = document->first; line; line = line->next) {
    EXPECT_EQ(line->kind, expectedKind(line->text)) << line->text;
  }
}

TEST(FindLineBefore, EndsAtTheStopLineWithoutExaminingIt) {
  SceneHandle document = documentOf({"LWSC\n", "A 1\n", "B 2\n", "A 3\n"});
  SceneLine* at[5] = {nullptr};
  for (int i = 1; i <= 4; ++i) at[i] = lineAt(document.get(), i);
  EXPECT_EQ(findLine(nullptr, "A"), nullptr);
  EXPECT_EQ(findLine(at[2], "A"), at[2]);  // the start line is examined
  EXPECT_EQ(findLine(at[3], "A"), at[4]);
  EXPECT_EQ(findLine(at[1], "C"), nullptr);
  EXPECT_EQ(findLineBefore(at[1], at[1], "LWSC"), nullptr);  // stop at the start
  EXPECT_EQ(findLineBefore(at[1], at[2], "A"), nullptr);
  EXPECT_EQ(findLineBefore(at[1], at[3], "A"), at[2]);
  EXPECT_EQ(findLineBefore(at[3], at[2], "A"), at[4]);  // a stop before the start never comes
}

TEST(FindObjectLine, SelectsByNamePrefixAndOrdinal) {
  SceneHandle document = documentOf({"LWSC\n", "AddNullObject A\n", "LoadObject B\n",
                                  "AddNullObject A\n", "AddNullObject A2\n", "AmbientColor 1\n"});
  struct {
    const char* name;
    int ordinal, position;  // position 0: no line
  } cases[] = {{"A", 1, 2}, {"A", 2, 4}, {"A", 3, 5}, {"A", 4, 0}, {"A", 0, 0},  {"A", -1, 0},
               {"A\n", 2, 4}, {"B", 1, 3}, {"", 2, 3},  {"", 4, 5},  {"C", 1, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(findObjectLine(document.get(), c.name, c.ordinal), lineAt(document.get(), c.position))
        << c.name << " #" << c.ordinal;
  }
}

TEST(FindObjectLine, EndsAtAnObjectLineWithoutBlank) {
  SceneHandle document = documentOf({"AddNullObject N\n", "LoadObject\n", "AddNullObject N\n"});
  EXPECT_EQ(findObjectLine(document.get(), "N", 1), document->first);
  EXPECT_EQ(findObjectLine(document.get(), "N", 2), nullptr);
}

TEST(FindObjectLine, MatchesArgumentsLongerThanAWorkBuffer) {
  std::string name(400, 'n');
  SceneHandle document = documentOf({"AddNullObject " + name + "x\n", "AddNullObject " + name + "\n"});
  EXPECT_EQ(findObjectLine(document.get(), (name + "\n").c_str(), 1), document->last);
}

TEST(ObjectInsertPoint, IsTheLineBeforeTheFirstAmbientLine) {
  EXPECT_EQ(objectInsertPoint(documentOf({"LWSC\n", "1\n"}).get()), nullptr);
  EXPECT_EQ(objectInsertPoint(documentOf({"AmbientColor 1\n", "LWSC\n"}).get()), nullptr);
  SceneHandle document = documentOf({"LWSC\n", "\n", "AmbientColor 1\n", "AmbientColor 2\n"});
  EXPECT_EQ(objectInsertPoint(document.get()), lineAt(document.get(), 2));
}

// The walk comes in from both ends: wherever the ambient lines lie, in
// documents of even and odd lengths, the first of them is the one found.
TEST(ObjectInsertPoint, FindsTheFirstAmbientLineWhereverTheAmbientLinesLie) {
  for (int length = 1; length <= 7; ++length) {
    for (int ambientMask = 0; ambientMask < (1 << length); ++ambientMask) {
      Texts texts;
      int firstAmbient = 0;  // 1-based; 0 for none
      for (int position = 1; position <= length; ++position) {
        bool ambient = (ambientMask >> (position - 1)) & 1;
        texts.emplace_back(ambient ? "AmbientColor 1\n" : "ShowCamera 1\n");
        if (ambient && firstAmbient == 0) firstAmbient = position;
      }
      SceneHandle document = documentOf(texts);
      SceneLine* expected = firstAmbient > 1 ? lineAt(document.get(), firstAmbient - 1) : nullptr;
      EXPECT_EQ(objectInsertPoint(document.get()), expected)
          << "length " << length << ", ambient lines " << ambientMask;
    }
  }
}

}  // namespace
