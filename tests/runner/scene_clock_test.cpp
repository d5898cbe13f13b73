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
  EXPECT_EQ(frameRateWarning("s.lws", 30), "");
  EXPECT_THAT(frameRateWarning("s.lws", 25), HasSubstr("s.lws plays 25 frames a second"));
  EXPECT_THAT(frameRateWarning("s.lws", 25), HasSubstr("N/25 s, so in the scene the envelope "
                                                       "takes 1.2 times as long"));
  EXPECT_THAT(frameRateWarning("s.lws", 60), HasSubstr("takes 0.5 times as long"));
  EXPECT_THAT(frameRateWarning("s.lws", 29.97), HasSubstr("plays 29.97 frames"));

  EXPECT_EQ(clockNote(30, false), "");
  EXPECT_EQ(clockNote(30, true), ", on the scene's clock (30 frames a second)");
  EXPECT_EQ(clockNote(25, true), ", on the scene's clock (25 frames a second)");
  EXPECT_EQ(clockNote(24, false),
            ", on the module's clock (30 frames a second; the scene plays 24)");
}

}  // namespace
