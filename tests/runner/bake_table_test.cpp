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
  ASSERT_TRUE(writeBakeTable(directory.path("t.csv"), pairs, true, 25, &error)) << error;
  EXPECT_EQ(readFile(directory.path("t.csv")),
            "item,target,frame,seconds,distance,item_x,item_y,item_z,target_x,target_y,target_z\r\n"
            "Ball,\"Lamp, \"\"key\"\"\",0,0,5.000000,0,-0,0.1,3,4,0\r\n"
            "Ball,\"Lamp, \"\"key\"\"\",15,0.6,2.236068,0.6,-1.2,0.1,3,4,0\r\n"
            "Ball,Cam,3,0.12,0.500000,3,4,0,0.12,-0.24,0.1\r\n");

  ASSERT_TRUE(writeBakeTable(directory.path("one.csv"), {pairs[1]}, false, 30, &error)) << error;
  EXPECT_EQ(readFile(directory.path("one.csv")),
            "frame,seconds,distance,item_x,item_y,item_z,target_x,target_y,target_z\r\n"
            "3,0.1,0.500000,3,4,0,0.1,-0.2,0.1\r\n");
}

TEST(BakeTable, AnUnreadableEnvelopeLeavesTheTableFileAsItWas) {
  ScratchDirectory directory;
  writeFile(directory.path("t.csv"), "before");
  writeFile(directory.path("bad.env"), "LWEN\r\n1\r\n1\r\n2\r\n5.0\r\n0 1 0 0 0\r\n");
  auto still = [](double) { return Vector3{}; };
  std::string error;
  EXPECT_FALSE(writeBakeTable(directory.path("t.csv"),
                              {{"A", "B", still, still, directory.path("bad.env")}}, false, 30,
                              &error));
  EXPECT_NE(error.find("bad.env"), std::string::npos) << error;
  EXPECT_EQ(readFile(directory.path("t.csv")), "before");
}

}  // namespace
