// quorvel-run on scene files that third-party projects publish (see
// tests/runner/scenes/LICENSE): every version bakes, and at key frames the
// distance is that of the keyed positions.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "envelope/envelope.h"
#include "tests/support/run_support.h"

namespace {

using ::testing::HasSubstr;

const std::string SAMPLES = std::string(QUORVEL_SOURCE_DIR) + "/tests/runner/scenes/";

// Where every sample puts its light, the target measured to.
constexpr double LIGHT[3] = {-2, 2, -2};

// The distances of the envelope file at `path` by frame.
std::map<int, double> distancesByFrame(const std::string& path) {
  std::map<int, double> distances;
  std::string error;
  EXPECT_TRUE(readEnvelopeFile(
      path, [&](const EnvelopeKey& key) { distances[key.frame] = key.value; }, &error))
      << error;
  return distances;
}

class SampleScenesTest : public ::testing::Test {
 protected:
  // Bakes the sample from the object to the light over frames 0 to 160.
  std::map<int, double> bake(const std::string& sample) {
    RunResult run = runQuorvel({"--scene", SAMPLES + sample, "--target", "Light",
                                "--last-frame", "161", "--output", "out.env"},
                               directory_.root());
    EXPECT_EQ(run.status, 0) << run.err;
    return distancesByFrame(directory_.path("out.env"));
  }

  ScratchDirectory directory_;
};

// The object's keyed positions, read off the files: x keyed at frames 0, 20
// and 40 in the three files of one motion (versions 2, 3 and 5); x and z
// at their last keys from frame 89 on in the spline and Bezier files; y
// keyed at frames 0, 30 and 51 and oscillating after, so that frames 72
// and 102 mirror frames 30 and 0, and 153 the last key again.
TEST_F(SampleScenesTest, DistancesAtKeyFramesAreThoseOfTheKeyedPositions) {
  struct Keyed {
    int frame;
    double x, y, z;
  };
  const std::vector<Keyed> moveX = {{0, 0, -0.04, 0},
                                    {20, 2.0691125392913818, -0.04, 0},
                                    {40, -2.3748657703399658, -0.04, 0},
                                    {160, -2.3748657703399658, -0.04, 0}};
  struct Case {
    const char* sample;
    std::vector<Keyed> keyed;
  };
  const Case cases[] = {
      {"move_x_oldformat_56.lws", moveX},
      {"move_x_oldformat_6.lws", moveX},
      {"move_x.lws", moveX},
      {"move_xz_spline.lws",
       {{0, 0, 0, 0}, {89, -0.52300345897674561, 0, -0.11403416842222214},
        {160, -0.52300345897674561, 0, -0.11403416842222214}}},
      {"move_xz_bezier.lws",
       {{0, 0, 0, 0}, {89, -0.52300345897674561, 0, -0.095800442759067794}}},
      {"move_y_pre_ofrep_post_osc.lws",
       {{0, 0, 0, 0}, {30, 0, 0, 0}, {51, 0, 0.98909872770309448, 0}, {72, 0, 0, 0},
        {102, 0, 0, 0}, {153, 0, 0.98909872770309448, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sample);
    std::map<int, double> distances = bake(c.sample);
    ASSERT_EQ(distances.size(), 161u);
    for (const Keyed& k : c.keyed) {
      double expected = std::hypot(k.x - LIGHT[0], k.y - LIGHT[1], k.z - LIGHT[2]);
      EXPECT_NEAR(distances[k.frame], expected, 2e-6) << "frame " << k.frame;
    }
  }
}

TEST_F(SampleScenesTest, OneMotionSavedAsVersionsTwoThreeAndFiveBakesAlikeBetweenKeys) {
  std::map<int, double> version5 = bake("move_x.lws");
  for (const char* older : {"move_x_oldformat_56.lws", "move_x_oldformat_6.lws"}) {
    SCOPED_TRACE(older);
    std::map<int, double> distances = bake(older);
    ASSERT_EQ(distances.size(), version5.size());
    for (const auto& [frame, distance] : version5) {
      EXPECT_NEAR(distances[frame], distance, 2e-6) << "frame " << frame;
    }
  }
}

// The bakes of curved motions, kept beside these tests as the Linux build
// wrote them: every build, the 32-bit Windows one too, writes the same
// bytes.
TEST_F(SampleScenesTest, CurvedMotionsBakeToTheGoldenEnvelopesByteForByte) {
  for (std::string sample : {"move_xz_spline", "move_xz_bezier", "move_y_pre_ofrep_post_osc"}) {
    bake(sample + ".lws");
    EXPECT_EQ(readFile(directory_.path("out.env")),
              readFile(QUORVEL_SOURCE_DIR "/tests/runner/golden/" + sample + ".env"))
        << sample;
  }
}

// A key of a span kind the host does not read (2) keeps the scene from
// baking, naming the line, but not from being listed.
TEST_F(SampleScenesTest, ListingShowsKindsAndIdsEvenWhenAMotionCannotBeRead) {
  std::string scene = readFile(SAMPLES + "move_x.lws");
  const std::string key = "  Key 0 0 0 0";
  scene.replace(scene.find(key), key.size(), "  Key 0 0 2 0");
  writeFile(directory_.path("kind2.lws"), scene);

  RunResult list = runQuorvel({"--scene", "kind2.lws", "--list-items"}, directory_.root());
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out, "object\tsimple_cube\t10000000\nlight\tLight\t20000000\n"
                      "camera\tCamera\t30000000\n");
  RunResult bake = runQuorvel({"--scene", "kind2.lws"}, directory_.root());
  EXPECT_EQ(bake.status, 3);
  EXPECT_THAT(bake.err, HasSubstr("kind2.lws:26: span kind 2 of key 1 of channel 0 is not "
                                  "supported"));

  RunResult version3 = runQuorvel({"--scene", SAMPLES + "move_x_oldformat_6.lws", "--list-items"},
                                  directory_.root());
  EXPECT_EQ(version3.out, "object\tsimple_cube\t-\nlight\tLight\t-\ncamera\tCamera\t-\n");
}

// Every sample lists, plainly and with --verbose.
TEST_F(SampleScenesTest, EverySampleLists) {
  for (const auto& entry : std::filesystem::directory_iterator(SAMPLES)) {
    if (entry.path().extension() != ".lws") continue;
    SCOPED_TRACE(entry.path().filename().string());
    for (bool verbose : {false, true}) {
      std::vector<std::string> arguments = {"--scene", entry.path().string(), "--list-items"};
      if (verbose) arguments.push_back("--verbose");
      RunResult run = runQuorvel(arguments, directory_.root());
      EXPECT_EQ(run.status, 0) << run.err;
      EXPECT_THAT(run.out, HasSubstr("camera\tCamera"));
    }
  }
}

// The items of a production scene that --list-items --verbose calls not
// exact, by name, and how many items it lists.
struct Exactness {
  std::size_t items = 0;
  std::set<std::string> notExact;
};

Exactness exactnessOf(const std::string& listing) {
  Exactness found;
  std::istringstream lines(listing);
  std::string line;
  while (std::getline(lines, line)) {
    ++found.items;
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    if (fields.size() == 5 && fields[4] != "exact") found.notExact.insert(fields[1]);
  }
  return found;
}

// Two production scenes (tests/runner/scenes/LICENSE). In the light rig
// every light follows another item through a motion modifier plug-in; in
// the robot every joint below a shoulder or hip is turned by inverse
// kinematics (a thigh's controller stands on a fused line, 516), and the
// hands and toes end chains.
TEST_F(SampleScenesTest, ProductionScenesTellWhichItemsAreExact) {
  struct Case {
    const char* sample;
    std::size_t items;
    std::set<std::string> notExact;
  };
  const Case cases[] = {
      {"scene_light_rig.lws", 16,
       {"Environment1", "Environment2", "Environment3", "Environment4", "Environment6",
        "Environment7", "Environment8", "Environment10", "Environment13", "Environment15",
        "Environment16", "Environment18", "Environment19"}},
      {"seq_planet_01.lws", 32,
       {"mesh_bot_av_bras_l", "mesh_bot_main_l", "mesh_bot_mollet_l", "mesh_bot_pied_l",
        "mesh_bot_av_bras_r", "mesh_bot_main_r", "mesh_bot_mollet_r", "mesh_bot_pied_r",
        "orteil_r", "orteil_l"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sample);
    RunResult run = runQuorvel({"--scene", SAMPLES + c.sample, "--list-items", "--verbose"},
                               directory_.root());
    EXPECT_EQ(run.status, 0) << run.err;
    Exactness found = exactnessOf(run.out);
    EXPECT_EQ(found.items, c.items);
    EXPECT_EQ(found.notExact, c.notExact);
  }
}

// Bakes of the production scenes end to end: an exact pair gives at every
// frame the distance read off the file; a pair with an item not exact is
// refused naming the line of what moves it.
//   light rig: Environment_Null rests at (-0.77360678, 0, 12.47689),
//     LightSizer at the origin, the camera at (-7.2717481, 23.481607,
//     -32.766357).
//   robot: the head's pivot (0, 2.53, 0.19) and the body's (0, -3.399999,
//     0.18) both lie in the body's frame, and the body only turns: the two
//     stay hypot(2.53 + 3.399999, 0.19 - 0.18) apart while the body pitches.
TEST_F(SampleScenesTest, ProductionScenesBakeExactlyOrAreRefusedNamingTheLine) {
  struct Case {
    const char* sample;
    std::vector<std::string> pair;
    double distance;           // every key's, for a bake
    std::string refusal = "";  // for a refusal
  };
  const Case cases[] = {
      {"scene_light_rig.lws", {"--item", "Environment_Null", "--target", "LightSizer"},
       std::hypot(0.77360678, 12.47689)},
      {"scene_light_rig.lws", {"--item", "Environment_Null", "--camera"},
       std::hypot(-7.2717481 + 0.77360678, 23.481607, -32.766357 - 12.47689)},
      {"scene_light_rig.lws", {"--item", "Environment_Null", "--target", "Environment1"}, 0,
       "scene_light_rig.lws:240: cannot bake \"Environment1\" exactly: it is moved by a motion "
       "modifier plug-in (\"Plugin ItemMotionHandler 1 LW_Follower\")"},
      {"seq_planet_01.lws", {}, std::hypot(2.53 + 3.399999, 0.19 - 0.18)},
      {"seq_planet_01.lws", {"--item", "mesh_bot_tete", "--target", "mesh_bot_mollet_l"}, 0,
       "seq_planet_01.lws:516: cannot bake \"mesh_bot_mollet_l\" exactly: its parent "
       "\"mesh_bot_cuisse_l\" turns by inverse kinematics (\"PController 3\")"},
      {"seq_planet_01.lws", {"--item", "mesh_bot_main_r", "--target", "mesh_bot_body"}, 0,
       "seq_planet_01.lws:952: cannot bake \"mesh_bot_main_r\" exactly: it ends a chain solved "
       "by inverse kinematics (\"GoalObject 18\")"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sample + (c.pair.empty() ? std::string() : " " + c.pair[1]));
    std::filesystem::remove(directory_.path("out.env"));
    std::vector<std::string> arguments = {"--scene", SAMPLES + c.sample, "--output", "out.env"};
    arguments.insert(arguments.end(), c.pair.begin(), c.pair.end());
    RunResult run = runQuorvel(arguments, directory_.root());
    if (!c.refusal.empty()) {
      EXPECT_EQ(run.status, 3);
      EXPECT_THAT(run.err, HasSubstr(c.refusal));
      EXPECT_FALSE(std::filesystem::exists(directory_.path("out.env")));
      continue;
    }
    EXPECT_EQ(run.status, 0) << run.err;
    std::map<int, double> distances = distancesByFrame(directory_.path("out.env"));
    ASSERT_EQ(distances.size(), 61u);  // frames 0 to both scenes' LastFrame, 60
    for (const auto& [frame, distance] : distances) {
      EXPECT_NEAR(distance, c.distance, 2e-6) << "frame " << frame;
    }
  }
}

}  // namespace
