// A bake reads the motions of the items it measures and of the items they
// hang from, and no others: a motion that cannot be read elsewhere in the
// scene neither refuses the bake nor the listing, while one in a measured
// chain refuses it, naming its line, as before.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/runner/quorvel_run_fixture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// A still null whose key count "  1" reads "  one": a motion no reader takes.
std::string unreadableNull(const std::string& name) {
  std::string block = staticNull(name, 1, 0, 0);
  std::size_t count = block.find("  9\n  1\n") + 4;
  return block.replace(count + 2, 1, "one");
}

// `block` with a "ParentObject N" line before its "ShadowOptions".
std::string hangingFrom(std::string block, int parent) {
  return block.insert(block.find("ShadowOptions"), "ParentObject " + std::to_string(parent) + "\n");
}

// Objects 1 A at (3, 4, 0), 2 Broken (unreadable), 3 C at the origin, 4 D
// hanging from Broken, 5 E hanging from C.
std::string sceneWithAnUnreadableMotion() {
  return sceneWith({staticNull("A", 3, 4, 0), unreadableNull("Broken"), staticNull("C", 0, 0, 0),
                    hangingFrom(staticNull("D", 1, 1, 1), 2),
                    hangingFrom(staticNull("E", 0, 0, 5), 3)});
}

// The error of a refusal of Broken's motion: its file and key count line.
std::string brokenMotionError(const std::string& scene) {
  std::size_t broken = scene.find("AddNullObject Broken");
  int line = 1;
  for (std::size_t i = 0; i < scene.find("  one", broken); ++i) line += scene[i] == '\n';
  return "quorvel-run: scene.lws:" + std::to_string(line) + ": ";
}

TEST_F(QuorvelRunTest, OnlyTheMeasuredChainsMotionsAreRead) {
  const std::string scene = sceneWithAnUnreadableMotion();
  struct Case {
    std::vector<std::string> arguments;
    int status;
    bool refusesBroken;  // the refusal names Broken's key count line
  };
  const Case cases[] = {
      {{"--item", "A", "--target", "C"}, 0, false},
      {{"--item", "E", "--target", "A"}, 0, false},
      {{"--item", "A", "--camera"}, 0, false},
      {{"--item", "A", "--target", "Broken"}, 3, true},
      {{"--item", "Broken", "--camera"}, 3, true},
      {{"--item", "D", "--target", "A"}, 3, true},  // D hangs from Broken
      {{"--item", "A", "--target", "D"}, 3, true},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = c.arguments;
    arguments.insert(arguments.end(), {"--last-frame", "2", "--output", "out.env"});
    RunResult run = runOnScene(scene, arguments);
    std::string what = c.arguments[1] + " " + c.arguments.back();
    EXPECT_EQ(run.status, c.status) << what << ": " << run.err;
    if (c.refusesBroken) {
      EXPECT_THAT(run.err, HasSubstr(brokenMotionError(scene))) << what;
    }
  }
}

// E hangs from C, which stands at the origin: E's own (0, 0, 5) is where it
// is, 5 from C; A at (3, 4, 0) is 5 from the origin.
TEST_F(QuorvelRunTest, ABakeBesideAnUnreadableMotionMeasuresAsBefore) {
  RunResult run = runOnScene(sceneWithAnUnreadableMotion(),
                             {"--item", "E", "--target", "C", "--last-frame", "2", "--output",
                              "out.env"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("out.env: 2 keys, distance 5.000000 to 5.000000"));
}

// Pairs are checked as a whole, each on its own chains: the pair that
// measures the unreadable motion is refused by its line, the others are
// not, and nothing is written.
TEST_F(QuorvelRunTest, PairsReadTheSceneOnceAndEachPairItsOwnChains) {
  RunResult run = runOnScene(sceneWithAnUnreadableMotion(),
                             {"--pair", "A", "C", "--pair", "A", "Broken", "--pair", "E", "A",
                              "--last-frame", "2", "--output-dir", "."});
  EXPECT_EQ(run.status, 3);
  std::string motionError = brokenMotionError(sceneWithAnUnreadableMotion());
  EXPECT_THAT(run.err, HasSubstr("--pair A Broken: " + motionError.substr(13)));
  EXPECT_THAT(run.err, Not(HasSubstr("--pair A C:")));
  EXPECT_THAT(run.err, Not(HasSubstr("--pair E A:")));
  EXPECT_FALSE(exists("A-C.env"));
  EXPECT_FALSE(exists("E-A.env"));
  RunResult good = runOnScene(sceneWithAnUnreadableMotion(),
                              {"--pair", "A", "C", "--pair", "E", "A", "--last-frame", "2",
                               "--output-dir", "."});
  EXPECT_EQ(good.status, 0) << good.err;
  EXPECT_TRUE(exists("A-C.env"));
  EXPECT_TRUE(exists("E-A.env"));
}

TEST_F(QuorvelRunTest, AnUnreadableMotionStillLists) {
  RunResult plain = runOnScene(sceneWithAnUnreadableMotion(), {"--list-items"});
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(plain.out,
            "object\tA\t-\nobject\tBroken\t-\nobject\tC\t-\nobject\tD\t-\nobject\tE\t-\n"
            "camera\tCamera\t-\n");
  RunResult verbose = runOnScene(sceneWithAnUnreadableMotion(), {"--list-items", "--verbose"});
  EXPECT_EQ(verbose.status, 0) << verbose.err;
  EXPECT_THAT(verbose.out, HasSubstr("object\tD\t-\tBroken\texact\n"));
}

}  // namespace
