#include "scene_eval/scene_numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "tests/support/test_platform.h"

namespace scene_eval {
namespace {

// Under a locale whose decimal point is a comma (when the machine has one),
// scene numbers still read with "." and only with it.
TEST(SceneNumbers, ReadTheSameInACommaDecimalLocale) {
  std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, commaDecimalLocaleName()) == nullptr) {
    GTEST_SKIP() << "no " << commaDecimalLocaleName() << " locale on this machine";
  }
  struct Case {
    const char* text;
    bool ok;
    std::vector<double> numbers;
  };
  const Case cases[] = {
      {"  0.5\t-2.25e1 3 ", true, {0.5, -22.5, 3}},
      {"", true, {}},
      {"1,5", false, {}},
      {"1e999", false, {}},
      {"inf", false, {}},
      {"nan", false, {}},
      {"2x", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<double> numbers;
    EXPECT_EQ(parseNumbers(c.text, &numbers), c.ok);
    if (c.ok) {
      EXPECT_EQ(numbers, c.numbers);
    }
  }
  long integer = 0;
  EXPECT_TRUE(parseInteger(" 42 ", &integer));
  EXPECT_EQ(integer, 42);
  EXPECT_FALSE(parseInteger("4.2", &integer));
  EXPECT_EQ(numberText(0.5), "0.5");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace scene_eval
