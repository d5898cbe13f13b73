// The runner's bakes in process: the options' rules, one bake and a run of
// pairs made by the session, and the module's activation on its own.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "envelope/envelope.h"
#include "runner/bake_session.h"
#include "runner/module_run.h"
#include "runner/option_checks.h"
#include "tests/support/test_platform.h"

namespace {

using ::testing::HasSubstr;

// The frames of the envelope at `path`, in file order.
std::vector<std::int32_t> envelopeFrames(const std::string& path) {
  std::vector<std::int32_t> frames;
  std::string error;
  EXPECT_TRUE(readEnvelopeFile(
      path, [&](const EnvelopeKey& key) { frames.push_back(key.frame); }, &error))
      << error;
  return frames;
}

TEST(ValidateRunOptions, EachRuleRefusesWithItsWords) {
  const struct {
    const char* why;
    void (*change)(RunOptions*);
    std::string words;  // empty: the options are valid
  } cases[] = {
      {"nothing given", [](RunOptions*) {}, ""},
      {"camera and target", [](RunOptions* o) { o->camera = true, o->target = "B"; },
       "--target excludes --camera; run quorvel-run --help for the options"},
      {"verbose alone", [](RunOptions* o) { o->verbose = true; }, "--verbose requires --list-items"},
      {"both progress flags", [](RunOptions* o) { o->progress = o->noProgress = true; },
       "--progress excludes --no-progress"},
      {"quiet progress", [](RunOptions* o) { o->progress = o->quiet = true; },
       "--progress excludes --quiet"},
      {"quiet without progress", [](RunOptions* o) { o->noProgress = o->quiet = true; }, ""},
      {"scene rate without scene", [](RunOptions* o) { o->sceneRate = true; },
       "--scene-rate requires --scene"},
      {"negative tolerance", [](RunOptions* o) { o->reduceTolerance = -0.5; },
       "--reduce: the tolerance must be a finite number of 0 or more"},
      {"output dir alone", [](RunOptions* o) { o->pairsDirectory = "d"; },
       "--output-dir is where the envelopes of --pair go"},
      {"pair and plot",
       [](RunOptions* o) { o->pairs = {{"A", "B", "--pair A B"}}, o->plotPath = "p.svg"; },
       "--plot cannot be given with --pair"},
      {"pairs leave the last frame to each pair",
       [](RunOptions* o) { o->pairs = {{"A", "B", "--pair A B"}}, o->lastFrame = 0; }, ""},
      {"last frame 0", [](RunOptions* o) { o->lastFrame = 0; }, "--last-frame 0: "},
      {"last frame 0 cancelled", [](RunOptions* o) { o->lastFrame = 0, o->cancel = true; }, ""},
      {"last frame 0 listed", [](RunOptions* o) { o->lastFrame = 0, o->listItems = true; }, ""},
      {"a path the panel cannot hold", [](RunOptions* o) { o->output = std::string(256, 'a'); },
       "is longer than the panel's 255 bytes"},
      {"the longest path it holds", [](RunOptions* o) { o->output = std::string(255, 'a'); }, ""},
      {"a default path it cannot hold",
       [](RunOptions* o) { o->envelopesDirectory = std::string(244, 'd'); },
       "/quorvel.env is longer than the panel's"},
  };
  for (const auto& c : cases) {
    RunOptions options;
    c.change(&options);
    std::string error;
    EXPECT_EQ(validateRunOptions(options, &error), c.words.empty()) << c.why;
    EXPECT_THAT(error, HasSubstr(c.words)) << c.why;
  }
}

class BakeSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(session_.scene.load("", RunScene::Detail::POSITIONS, &error)) << error;
    session_.modulePath = QUORVEL_MODULE_FILE;
    options_.envelopesDirectory = directory_.root().string();
    options_.quiet = true;
  }

  ScratchDirectory directory_;
  Session session_;
  RunOptions options_;
};

TEST_F(BakeSessionTest, OneBakeWritesThePanelsDefaultEnvelopeAndTable) {
  options_.tablePath = directory_.path("table.csv");
  ASSERT_EQ(bakeOne(&session_, options_), 0);
  std::vector<std::int32_t> frames = envelopeFrames(directory_.path(PANEL_ENVELOPE_NAME));
  ASSERT_EQ(frames.size(), static_cast<std::size_t>(PANEL_LAST_FRAME));
  EXPECT_EQ(frames.back(), PANEL_LAST_FRAME - 1);
  std::string table = readFile(directory_.path("table.csv"));
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), PANEL_LAST_FRAME + 1);  // and a head
}

TEST_F(BakeSessionTest, APairRefusedLeavesNoDirectoryAndNoEnvelope) {
  options_.pairs = {{"Orbiter", "Drifter", "--pair Orbiter Drifter"},
                    {"Drifter", "Drifter", "--pair Drifter Drifter"}};
  options_.pairsDirectory = directory_.path("pairs");
  EXPECT_EQ(bakePairs(&session_, options_), 3);
  EXPECT_TRUE(snapshot(directory_.root()).empty());

  options_.pairs.pop_back();
  options_.lastFrame = 3;
  EXPECT_EQ(bakePairs(&session_, options_), 0);
  EXPECT_EQ(envelopeFrames(directory_.path("pairs/Orbiter-Drifter.env")),
            (std::vector<std::int32_t>{0, 1, 2}));
}

TEST_F(BakeSessionTest, TheModuleRunsOnceAsThePanelIsAnswered) {
  std::string error;
  LoadedModule module;
  ASSERT_TRUE(module.load(QUORVEL_MODULE_FILE, &error)) << error;
  ItemChoice choice{0, 1};
  std::string path = directory_.path("out.env");
  bool written = false;
  options_.cancel = true;
  EXPECT_EQ(runModule(&module, session_.scene, options_, choice, path, 30, &written), 0);
  EXPECT_FALSE(written);
  EXPECT_TRUE(snapshot(directory_.root()).empty());

  options_.cancel = false;
  options_.output = path;
  options_.lastFrame = 10;
  options_.frameStep = 3;
  EXPECT_EQ(runModule(&module, session_.scene, options_, choice, path, 30, &written), 0);
  EXPECT_TRUE(written);
  EXPECT_EQ(envelopeFrames(path), (std::vector<std::int32_t>{0, 3, 6, 9}));
}

}  // namespace
