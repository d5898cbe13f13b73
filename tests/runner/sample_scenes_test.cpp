// quorvel-run on scene files that third-party projects publish (see
// tests/runner/scenes/LICENSE): every version bakes, and at key frames the
// distance is that of the keyed positions.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/run_support.h"

namespace {

using ::testing::HasSubstr;

const std::string SAMPLES = std::string(QUORVEL_SOURCE_DIR) + "/tests/runner/scenes/";

// Where every sample puts its light, the target measured to.
constexpr double LIGHT[3] = {-2, 2, -2};

// The distances of an envelope file by frame.
std::map<int, double> distancesByFrame(const std::string& envelope) {
  std::istringstream in(envelope);
  std::string line;
  for (int header = 0; header < 4; ++header) std::getline(in, line);
  std::map<int, double> distances;
  std::string value;
  while (std::getline(in, value) && std::getline(in, line)) {
    distances[std::stoi(line)] = std::stod(value);
  }
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
    return distancesByFrame(readFile(directory_.path("out.env")));
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
  EXPECT_EQ(version3.out, "object\tsimple_cube\nlight\tLight\ncamera\tCamera\n");
}

}  // namespace
