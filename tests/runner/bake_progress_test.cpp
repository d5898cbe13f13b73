// The progress line of a long bake on a clock the test turns: silent for the
// first second, redrawn in place a few times a second, cut to the terminal,
// cleared at the end.

#include "runner/bake_progress.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(BakeProgress, AppearsAfterASecondRedrawsInPlaceAndIsClearedAtTheEnd) {
  double now = 100;
  std::string screen;
  {
    BakeProgress progress(1000, true, 0, [&](const std::string& text) { screen += text; },
                          [&] { return now; });
    now = 100.5;
    progress.update(100);
    EXPECT_EQ(screen, "");  // not yet a second
    now = 102;
    progress.update(400);
    now = 102.1;
    progress.update(450);  // too soon to redraw
    now = 104;
    progress.update(800);
  }
  EXPECT_EQ(screen,
            "\rbaking: 40% (400 of 1000 keys), 200 keys/s, 0:03 left"
            "\rbaking: 80% (800 of 1000 keys), 200 keys/s, 0:01 left"
            "\r" + std::string(53, ' ') + "\r");
}

TEST(BakeProgress, AShorterLineBlanksTheRestANarrowTerminalCutsAndHiddenShowsNothing) {
  double now = 0;
  std::string screen;
  BakeProgress progress(10000, true, 0, [&](const std::string& text) { screen += text; },
                        [&] { return now; });
  now = 2;
  progress.update(1);
  std::string first = "baking: 0% (1 of 10000 keys), 0 keys/s, 5:33:18 left";
  EXPECT_EQ(screen, "\r" + first);
  screen.clear();
  now = 2.5;
  progress.update(9);
  std::string second = "baking: 0% (9 of 10000 keys), 3 keys/s, 46:16 left";
  EXPECT_EQ(screen, "\r" + second + std::string(first.size() - second.size(), ' '));
  screen.clear();
  progress.finish();
  progress.finish();  // once only
  EXPECT_EQ(screen, "\r" + std::string(second.size(), ' ') + "\r");

  screen.clear();
  BakeProgress narrow(100, true, 20, [&](const std::string& text) { screen += text; },
                      [&] { return now; });
  now = 10;
  narrow.update(50);
  EXPECT_EQ(screen, "\rbaking: 50% (50 of ");

  std::string hiddenScreen;
  BakeProgress hidden(100, false, 0, [&](const std::string& text) { hiddenScreen += text; },
                      [&] { return now; });
  now = 50;
  hidden.update(10);
  hidden.finish();
  EXPECT_EQ(hiddenScreen, "");
  EXPECT_EQ(progressLine(5, 5, 0), "baking: 100% (5 of 5 keys)");
}

}  // namespace
