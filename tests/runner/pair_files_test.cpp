// Envelope file names for several pairs: safe on every platform, distinct
// even where only case or a dash in a name tells two pairs apart.

#include "runner/pair_files.h"

#include <gtest/gtest.h>

namespace {

TEST(PairFiles, NamesAreSafeOnEveryPlatformAndDistinct) {
  std::string longName(150, 'x');
  std::vector<std::pair<std::string, std::string>> pairs = {
      {"Ball", "Lamp"},
      {"ball", "LAMP"},
      {"A-B", "C"},
      {"A", "B-C"},
      {"Arm/Hand", "Eye: L?"},
      {"Con", "x"},
      {"Con-x", "y"},
      {"lpt1", "Cam"},
      {"nul.x", "Cam"},
      {"Tab\tName.", "dots..."},
      {longName, "T"},
      {"Ball", "Lamp"},
  };
  EXPECT_EQ(
      pairFileNames(pairs),
      (std::vector<std::string>{"Ball-Lamp.env", "ball-LAMP (2).env", "A-B-C.env", "A-B-C (2).env",
                                "Arm_Hand-Eye_ L_.env", "Con-x.env", "Con-x-y.env", "lpt1-Cam.env",
                                "_nul.x-Cam.env", "Tab_Name-dots.env",
                                std::string(100, 'x') + "-T.env", "Ball-Lamp (3).env"}));
}

}  // namespace
