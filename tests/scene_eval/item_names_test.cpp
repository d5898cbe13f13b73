// Items as both programs list and find them: the listed form of a name,
// what a typed text selects, and the hint for one that selects nothing.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "scene_eval/scene_eval.h"

namespace scene_eval {
namespace {

using ::testing::HasSubstr;

ItemSpec item(const std::string& name, const std::string& id = "",
              ItemKind kind = ItemKind::OBJECT) {
  ItemSpec spec;
  spec.kind = kind;
  spec.name = name;
  spec.fileId = id;
  return spec;
}

TEST(ItemNames, EditDistanceCountsInsertionsDeletionsAndSubstitutions) {
  const struct {
    const char* a;
    const char* b;
    std::size_t distance;
  } cases[] = {
      {"", "", 0},         {"Ball", "Ball", 0},   {"Ball", "ball", 1}, {"Ball", "Bal", 1},
      {"Bal", "Ball", 1},  {"--itme", "--item", 2}, {"", "abc", 3},    {"kitten", "sitting", 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(editDistance(c.a, c.b), c.distance) << c.a << " " << c.b;
    EXPECT_EQ(editDistance(c.b, c.a), c.distance) << c.b << " " << c.a;
  }
}

TEST(ItemNames, KindsAreTheWordsListingsGive) {
  EXPECT_STREQ(kindName(ItemKind::OBJECT), "object");
  EXPECT_STREQ(kindName(ItemKind::LIGHT), "light");
  EXPECT_STREQ(kindName(ItemKind::CAMERA), "camera");
  EXPECT_STREQ(kindName(ItemKind::BONE), "bone");
}

TEST(ItemNames, AListedNameHoldsNoControlCharacterAndNeverBeginsWithAHash) {
  const struct {
    std::string name;
    std::string listed;
  } cases[] = {
      {"Ball", "Ball"},
      {"Big Ball (2)", "Big Ball (2)"},
      {"a\tb", "a\\tb"},
      {"line\nend\r", "line\\nend\\r"},
      {"back\\slash", "back\\\\slash"},
      {std::string("nul\0bell\a", 9), "nul\\x00bell\\x07"},
      {"del\x7F", "del\\x7F"},
      {"\x1B[31mred", "\\x1B[31mred"},
      {"#10000000", "\\#10000000"},
      {"a#b", "a#b"},                           // only a leading hash reads as an ID
      {"caf\xC3\xA9", "caf\xC3\xA9"},           // UTF-8 stays as it is
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(listedName(c.name), c.listed) << c.listed;
}

TEST(ItemNames, TypedTextSelectsByIdThenListedFormThenExactName) {
  const std::vector<ItemSpec> items = {
      item("Ball", "10000000"),   item("a\tb", "10000001"),
      item("#10000000"),          item("back\\slash", "10000003"),
      item("Light", "20000000", ItemKind::LIGHT), item("a\\tb")};
  const struct {
    std::string typed;
    std::optional<std::size_t> found;
  } cases[] = {
      {"Ball", 0},
      {"#10000000", 0},       // the ID before the name "#10000000"
      {"\\#10000000", 2},     // the listed form of that name
      {"#20000000", 4},
      {"a\\tb", 1},           // a listed form before another's exact name
      {"a\\\\tb", 5},
      {"a\tb", 1},
      {"back\\\\slash", 3},   // the listed form of a name with a backslash
      {"back\\slash", 3},
      {"#", std::nullopt},
      {"#99999999", std::nullopt},
      {"ball", std::nullopt},  // names match exactly
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(findItem(items, c.typed), c.found) << c.typed;
}

TEST(ItemNames, EveryListedNameSelectsItsItem) {
  const std::vector<ItemSpec> items = {item("x\ty"), item("#1", "1"), item("\\#1"), item("x\\ty"),
                                       item("Null"), item("Null (2)")};
  for (std::size_t index = 0; index < items.size(); ++index) {
    EXPECT_EQ(findItem(items, listedName(items[index].name)), index) << items[index].name;
  }
}

TEST(ItemNames, AnUnknownNameIsOfferedTheNearestTenCaseFirst) {
  std::vector<ItemSpec> items;
  for (int n = 0; n < 100; ++n) items.push_back(item("Prop" + std::to_string(n)));
  items.push_back(item("Ball"));
  items.push_back(item("Bell\t1"));

  std::string hint = unknownItemHint(items, "ball", "--list-items");
  EXPECT_EQ(hint.rfind("did you mean \"Ball\"? Also near: \"Bell\\t1\"", 0), 0u) << hint;
  EXPECT_THAT(hint, HasSubstr("; --list-items shows all 102"));
  // Ten names at most: the one meant and nine more.
  EXPECT_EQ(std::count(hint.begin(), hint.end(), '"'), 20) << hint;
  EXPECT_LT(hint.size(), 200u);

  EXPECT_EQ(unknownItemHint(items, "Prop7x", "list"),
            "the nearest: \"Prop7\", \"Prop70\", \"Prop71\", \"Prop72\", \"Prop73\", \"Prop74\", "
            "\"Prop75\", \"Prop76\", \"Prop77\", \"Prop78\"; list shows all 102");
  EXPECT_EQ(unknownItemHint({item("Only")}, "only", "x"), "did you mean \"Only\"? x shows all 1");
  EXPECT_EQ(unknownItemHint({}, "Ball", "x"), "the scene has no items");
}

}  // namespace
}  // namespace scene_eval
