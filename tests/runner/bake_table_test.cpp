// The table of a bake, row by row against the envelope's own numbers, in a
// comma-decimal locale; a table that cannot be made leaves the file alone.

#include "runner/bake_table.h"

#include <gtest/gtest.h>

#include "tests/support/comma_locale.h"
#include "tests/support/test_platform.h"

namespace {

using scene_eval::Vector3;

TEST(BakeTable, RowsCarryTheEnvelopesDigitsAndBothPositionsAtTheKeysTime) {
  ScratchDirectory directory;
  writeFile(directory.path("a.env"),
            "LWEN\r\n1\r\n1\r\n2\r\n5.000000\r\n0 1 0 0 0\r\n2.236068\r\n15 1 0 0 0\r\n");
  writeFile(directory.path("b.env"), "LWEN\r\n1\r\n1\r\n1\r\n0.500000\r\n3 1 0 0 0\r\n");
  auto moving = [](double seconds) { return Vector3{seconds, -2 * seconds, 0.1}; };
  auto resting = [](double) { return Vector3{3, 4, 0}; };
  std::vector<BakedPair> pairs = {
      {"Ball", "Lamp, \"key\"", moving, resting, directory.path("a.env")},
      {"Ball", "Cam", resting, moving, directory.path("b.env")},
  };
  CommaDecimalLocale comma;
  std::string error;
  {
    BakeTable table;
    ASSERT_TRUE(table.begin(directory.path("t.csv"), 25, &error)) << error;
    ASSERT_TRUE(table.add(pairs[0], &error)) << error;
    ASSERT_TRUE(table.add(pairs[1], &error)) << error;
    EXPECT_EQ(readFile(directory.path("t.csv")), "");  // replaced whole at finish
    ASSERT_TRUE(table.finish(&error)) << error;
  }
  // Every number with 6 decimals, -0 written as 0, the same columns for one
  // pair as for several.
  EXPECT_EQ(readFile(directory.path("t.csv")),
            "item,target,frame,seconds,distance,item_x,item_y,item_z,target_x,target_y,target_z\r\n"
            "Ball,\"Lamp, \"\"key\"\"\",0,0.000000,5.000000,0.000000,0.000000,0.100000,"
            "3.000000,4.000000,0.000000\r\n"
            "Ball,\"Lamp, \"\"key\"\"\",15,0.600000,2.236068,0.600000,-1.200000,0.100000,"
            "3.000000,4.000000,0.000000\r\n"
            "Ball,Cam,3,0.120000,0.500000,3.000000,4.000000,0.000000,0.120000,-0.240000,"
            "0.100000\r\n");

  BakeTable one;
  ASSERT_TRUE(one.begin(directory.path("one.csv"), 30, &error)) << error;
  ASSERT_TRUE(one.add(pairs[1], &error)) << error;
  ASSERT_TRUE(one.finish(&error)) << error;
  EXPECT_EQ(readFile(directory.path("one.csv")),
            "item,target,frame,seconds,distance,item_x,item_y,item_z,target_x,target_y,target_z\r\n"
            "Ball,Cam,3,0.100000,0.500000,3.000000,4.000000,0.000000,0.100000,-0.200000,"
            "0.100000\r\n");
}

TEST(BakeTable, AnUnreadableEnvelopeOrAnUnfinishedTableLeavesTheTableFileAsItWas) {
  ScratchDirectory directory;
  writeFile(directory.path("t.csv"), "before");
  writeFile(directory.path("bad.env"), "LWEN\r\n1\r\n1\r\n2\r\n5.0\r\n0 1 0 0 0\r\n");
  auto still = [](double) { return Vector3{}; };
  std::string error;
  {
    BakeTable table;
    ASSERT_TRUE(table.begin(directory.path("t.csv"), 30, &error)) << error;
    EXPECT_FALSE(table.add({"A", "B", still, still, directory.path("bad.env")}, &error));
  }  // abandoned unfinished
  EXPECT_NE(error.find("bad.env"), std::string::npos) << error;
  EXPECT_EQ(readFile(directory.path("t.csv")), "before");
  {
    BakeTable table;
    ASSERT_TRUE(table.begin(directory.path("t.csv"), 30, &error)) << error;
    writeFile(directory.path("good.env"), "LWEN\r\n1\r\n1\r\n1\r\n0.500000\r\n3 1 0 0 0\r\n");
    ASSERT_TRUE(table.add({"A", "B", still, still, directory.path("good.env")}, &error)) << error;
  }  // an interrupted run does not finish its table
  EXPECT_EQ(readFile(directory.path("t.csv")), "before");
}

}  // namespace
