// The small text operations: arguments, ordinals in parentheses, tails and
// copies, on short texts and on texts longer than a 256-byte work buffer.

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "scene/allocation.h"
#include "scene/scene.h"

namespace {

// Runs lineArgument on a line holding `text`, with a buffer whose every byte
// starts as '#' and which is followed by a guard area that must stay '#'.
struct ArgumentRun {
  explicit ArgumentRun(const std::string& lineText) : text(lineText) {
    std::memset(buffer, '#', sizeof buffer);
    SceneLine line{};
    line.text = text.data();
    result = lineArgument(&line, buffer);
  }
  bool bufferUntouched() const {
    for (char c : buffer) {
      if (c != '#') return false;
    }
    return true;
  }
  bool guardUntouched() const {
    for (std::size_t i = SCENE_BUFFER_SIZE; i < sizeof buffer; ++i) {
      if (buffer[i] != '#') return false;
    }
    return true;
  }
  std::string text;
  char buffer[SCENE_BUFFER_SIZE + 64];
  char* result;
};

TEST(LineArgument, IsEverythingAfterTheFirstBlank) {
  struct Case {
    std::string text;
    std::string argument;
  } cases[] = {
      {"LoadObject dir/a b\n", "dir/a b\n"},
      {"ShowObject 8 7\n", "8 7\n"},
      {"DataOverlayLabel \n", "\n"},
      {"Key ", ""},
      {" leading\n", "leading\n"},
      {"Path " + std::string(255, 'p'), std::string(255, 'p')},
  };
  for (const Case& c : cases) {
    ArgumentRun run(c.text);
    ASSERT_EQ(run.result, run.buffer) << c.text;
    EXPECT_EQ(std::string(run.result), c.argument);
    EXPECT_TRUE(run.guardUntouched());
  }
}

TEST(LineArgument, RefusesWithoutTouchingTheBuffer) {
  const std::string cases[] = {
      "AddLight\n",
      "",
      "Path " + std::string(256, 'p'),
      "Path " + std::string(255, 'p') + "\n",
      "Path " + std::string(5000, 'p'),
  };
  for (const std::string& text : cases) {
    ArgumentRun run(text);
    EXPECT_EQ(run.result, nullptr) << text.size() << " bytes";
    EXPECT_TRUE(run.bufferUntouched()) << text.size() << " bytes";
  }
}

TEST(ArgumentOf, PointsIntoTheTextAtAnyLength) {
  std::string longText = "AddNullObject " + std::string(1000, 'n') + "\n";
  EXPECT_EQ(argumentOf(longText.c_str()), longText.c_str() + 14);
  EXPECT_EQ(argumentOf("AddLight\n"), nullptr);
  EXPECT_STREQ(argumentOf("a b c"), "b c");
}

TEST(ParenOrdinal, ReadsTheNumberInTrailingParentheses) {
  struct Case {
    std::string text;
    int ordinal;
  } cases[] = {
      {"Null (2)", 2},
      {"Null (12)", 12},
      {"Null (x)", 0},
      {"Null ()", 0},
      {"Null (-3)", -3},
      {"Null (+4)", 4},
      {"Null ( 5)", 5},
      {"Null (7x)", 7},
      {"Null", 1},
      {"", 1},
      {"Null (2)\n", 1},
      {"Null 2)", 1},
      {"a(1)b(2)", 1},
      {")", 1},
      {"(9)", 9},
      {"Null (99999999999)", INT_MAX},
      {"Null (-99999999999)", INT_MIN},
      {"Null (2147483647)", INT_MAX},
      {"Null (-2147483648)", INT_MIN},
      {"Null (" + std::string(300, ' ') + "6)", 6},
      {"Null (" + std::string(300, '0') + "8)", 8},
      {std::string(400, 'N') + " (3)", 3},
  };
  for (const Case& c : cases) EXPECT_EQ(parenOrdinal(c.text.c_str()), c.ordinal) << c.text;
}

TEST(TextEndsWith, ComparesTheTailWithTheEndOfTheText) {
  const std::string longText = std::string(1000, 'a') + "tail";
  struct Case {
    std::string text;
    std::string tail;
    int expected;
  } cases[] = {
      {"abc", "bc", 1},       {"abc", "ab", 0},           {"abc", "", 1},
      {"bc", "abc", 0},       {"", "", 1},                {"", "a", 0},
      {"abc", "abc", 1},      {"abc", "xbc", 0},          {longText, "tail", 1},
      {longText, longText, 1}, {longText, "b" + longText, 0}, {longText, "atai", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(textEndsWith(c.text.c_str(), c.tail.c_str()), c.expected)
        << c.text.size() << " bytes / " << c.tail;
  }
}

TEST(CopyText, GivesAnExactCopyOfAnyLength) {
  for (const std::string& text : {std::string(), std::string("LWSC\n"), std::string(3000, 'c')}) {
    char* copy = copyText(text.c_str());
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, text.c_str());
    EXPECT_EQ(std::string(copy), text);
    sceneRelease(copy);
  }
}

}  // namespace
