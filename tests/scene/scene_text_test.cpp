// The small text operations, on short texts and on texts longer than a
// 256-byte work buffer.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/scene/core_documents.h"

namespace {

TEST(LineArgument, CopiesAfterTheFirstBlankOrRefusesWithoutWriting) {
  const std::string p255(255, 'p');
  struct {
    std::string text;
    const char* argument;  // null: refused
  } cases[] = {
      {"LoadObject dir/a b\n", "dir/a b\n"}, {"DataOverlayLabel \n", "\n"},
      {"Key ", ""},                          {"Path " + p255, p255.c_str()},
      {"AddLight\n", nullptr},               {"Path " + p255 + "\n", nullptr},
      {"Path " + std::string(5000, 'p'), nullptr},
  };
  for (auto& c : cases) {
    char buffer[SCENE_BUFFER_SIZE + 16];
    std::string untouched(sizeof buffer, '#');
    untouched.copy(buffer, sizeof buffer);
    SceneLine line{};
    line.text = c.text.data();
    char* argument = lineArgument(&line, buffer);
    if (!c.argument) {
      EXPECT_EQ(argument, nullptr) << c.text;
      EXPECT_EQ(std::string(buffer, sizeof buffer), untouched) << c.text;
      continue;
    }
    ASSERT_EQ(argument, buffer) << c.text;
    EXPECT_STREQ(argument, c.argument);
    EXPECT_EQ(std::string(buffer + SCENE_BUFFER_SIZE, 16), untouched.substr(0, 16));
  }
}

TEST(ParenOrdinal, ReadsTheNumberInTrailingParentheses) {
  const std::pair<std::string, int> cases[] = {
      {"Null (12)", 12},   {"Null (x)", 0},     {"Null ()", 0},      {"Null (-3)", -3},
      {"Null ( +7x)", 7},  {"Null", 1},         {"", 1},             {"Null (2)\n", 1},
      {"a(1)b(2)", 1},     {"Null (99999999999)", INT_MAX},  {"N (-2147483648)", INT_MIN},
      {"Null (" + std::string(300, ' ') + "6)", 6},  {std::string(400, 'N') + " (3)", 3},
      {"Null (+-5)", 0},   {"Null (-9223372036854775809)", INT_MIN},
  };
  for (const auto& [text, ordinal] : cases) EXPECT_EQ(parenOrdinal(text.c_str()), ordinal) << text;
}

TEST(TextEndsWith, ComparesTheTailWithTheEndOfTheText) {
  const std::string text1000 = std::string(996, 'a') + "tail";
  const std::tuple<std::string, std::string, int> cases[] = {
      {"abc", "bc", 1},  {"abc", "ab", 0},      {"abc", "", 1},      {"bc", "abc", 0},
      {"", "", 1},       {text1000, "tail", 1}, {text1000, text1000, 1},
      {text1000, "a" + text1000, 0},            {text1000, "atai", 0},
  };
  for (const auto& [text, tail, expected] : cases) {
    EXPECT_EQ(textEndsWith(text.c_str(), tail.c_str()), expected) << text.size() << " / " << tail;
  }
}

}  // namespace
