// The one statement layer that the edits and the evaluation read through:
// which statements stand outside every block, and which begin items.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/statements.h"

namespace {

TEST(BlockDepth, TellsWhichStatementsStandOutsideEveryBlock) {
  struct Case {
    std::vector<std::string> statements;
    std::vector<bool> outside;  // per statement
  };
  const Case cases[] = {
      {{"A 1", "{ Envelope", "  1", "}", "B"}, {true, true, false, false, true}},
      // a plug-in's body is opaque: braces in it neither open nor close
      {{"Plugin X 1 Q", "  }", "AddNullObject H", "EndPlugin", "C"},
       {true, false, false, false, true}},
      {{"Plugin X 1 Q", "{ Odd", "EndPlugin", "C"}, {true, false, false, true}},
      {{"Plugin A", "  Plugin B", "  EndPlugin", "  x", "EndPlugin", "F"},
       {true, false, false, false, false, true}},
      // a plug-in within braces is stepped over whole, its braces too
      {{"{ E", "Plugin X", "}", "EndPlugin", "}", "D"}, {true, false, false, false, false, true}},
      {{"}", "EndPlugin", "E"}, {true, true, true}},  // closings of nothing
      {{"PluginX", "EndPluginY", "{"}, {true, true, true}},  // keywords match whole
      {{"{ A", "{ B", "}", "G"}, {true, false, false, false}},  // never closed
  };
  for (const Case& c : cases) {
    BlockDepth depth;
    for (std::size_t i = 0; i < c.statements.size(); ++i) {
      EXPECT_EQ(depth.take(c.statements[i]), c.outside[i])
          << c.statements.front() << ", statement " << i << ": " << c.statements[i];
    }
  }
}

TEST(ItemStatement, KeywordsBeginItemsByTheRulesOfTheVersion) {
  struct Case {
    const char* statement;
    int version;
    ItemStatement item;
  };
  const Case cases[] = {
      {"LoadObject Objects/ball.lwo", 5, ItemStatement::OBJECT},
      {"LoadObjectLayer 1 10000000 ball.lwo", 5, ItemStatement::OBJECT},
      {"  AddNullObject Null", 1, ItemStatement::OBJECT},
      {"AddNullObject", 3, ItemStatement::OBJECT},
      {"AddNullObjectX", 3, ItemStatement::NO_ITEM},
      {"AddLight 20000000", 4, ItemStatement::LIGHT},
      {"ShowCamera 1 7", 1, ItemStatement::CAMERA},
      {"ShowCamera 1 7", 2, ItemStatement::NO_ITEM},
      {"AddCamera", 2, ItemStatement::CAMERA},
      {"AddCamera", 1, ItemStatement::NO_ITEM},
      {"AddBone 40000000", 5, ItemStatement::BONE},
      {"\tAddBone", 5, ItemStatement::BONE},
      {"LightName Light", 5, ItemStatement::NO_ITEM},
      {"", 5, ItemStatement::NO_ITEM},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(itemStatementOf(c.statement, c.version), c.item)
        << c.statement << " in version " << c.version;
  }
}

}  // namespace
