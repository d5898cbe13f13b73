// The scene's clock: the time the module asks for scaled to the scene's
// rate, and the words that tell which clock a bake ran on.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "runner/scene_clock.h"

namespace {

using ::testing::HasSubstr;

TEST(SceneClock, TheModulesTimeIsScaledByThirtyOverTheScenesRate) {
  struct Case {
    double framesPerSecond;
    double asked;
    double answered;
  };
  // The module's frame 30 is 1 s; the scene's frame 30 is 1.2 s at 25, 1.25 s at 24, 0.5 s at 60.
  const Case cases[] = {{25, 1, 1.2}, {24, 1, 1.25}, {60, 1, 0.5}, {30, 0.4, 0.4}, {25, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.framesPerSecond);
    double seen = -1;
    scene_eval::ItemSpec item;
    item.name = "Mover";
    item.worldPosition = [&seen](double seconds) {
      seen = seconds;
      return scene_eval::Vector3{seconds, 2, 3};
    };
    scene_eval::ItemSpec clocked = onSceneClock(item, c.framesPerSecond);
    EXPECT_EQ(clocked.name, "Mover");
    scene_eval::Vector3 position = clocked.worldPosition(c.asked);
    EXPECT_DOUBLE_EQ(seen, c.answered);
    EXPECT_DOUBLE_EQ(position.x, c.answered);
    EXPECT_EQ(position.z, 3);
  }
  scene_eval::ItemSpec still;
  EXPECT_FALSE(onSceneClock(still, 25).worldPosition);
}

TEST(SceneClock, TheWarningAndTheNoteSayWhatTheRateDoes) {
  EXPECT_EQ(frameRateWarning(30), "");
  EXPECT_EQ(frameRateWarning(25),
            "the scene plays 25 fps, the module 30: --scene-rate keeps its frames");
  EXPECT_THAT(frameRateWarning(29.97), HasSubstr("plays 29.97 fps"));
  // One line of at most 100 characters as printed, whatever the rate.
  for (double rate : {23.976, 29.97002997, 1234567.0, 1e-300, 1.7e308}) {
    std::string line = "quorvel-run: warning: " + frameRateWarning(rate);
    EXPECT_LE(line.size(), 100u) << line;
    EXPECT_EQ(line.find('\n'), std::string::npos) << line;
  }

  EXPECT_EQ(clockNote(30, false), "");
  EXPECT_EQ(clockNote(30, true), ", on the scene's clock (30 frames a second)");
  EXPECT_EQ(clockNote(25, true), ", on the scene's clock (25 frames a second)");
  EXPECT_EQ(clockNote(24, false),
            ", on the module's clock (30 frames a second; the scene plays 24)");
}

}  // namespace
