// quorvel-scene on scenes of every version, end to end: the same edits made
// on a scene of version 1 (as `new` writes it) and on the real samples of
// versions 2, 3 and 5, then baked by quorvel-run to distances worked out by
// hand; the names `list` prints, which both tools take; a scene with CR LF
// line ends that keeps them; `new` that replaces a file only when told to.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "envelope/envelope.h"
#include "tests/support/run_support.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const std::string RUNNER_SAMPLES = std::string(QUORVEL_SOURCE_DIR) + "/tests/runner/scenes/";

RunResult runScene(const std::vector<std::string>& arguments, const ScratchDirectory& directory) {
  return runProgram(QUORVEL_SCENE, arguments, directory.root());
}

// The distances of the envelope file at `path`, in the order of its keys.
std::vector<double> distancesOf(const std::string& path) {
  std::vector<double> distances;
  std::string error;
  EXPECT_TRUE(readEnvelopeFile(
      path, [&](const EnvelopeKey& key) { distances.push_back(key.value); }, &error))
      << error;
  return distances;
}

// The distances quorvel-run bakes from Post to `target` in `scene` at frames
// 0, 15 and 30; empty, with a failed expectation, when it bakes none.
std::vector<double> bakeFromPost(const std::string& scene, const std::string& target,
                                 const ScratchDirectory& directory) {
  RunResult run = runQuorvel({"--scene", scene, "--item", "Post", "--target", target,
                              "--last-frame", "31", "--step", "15", "--output", "out.env"},
                             directory.root());
  EXPECT_EQ(run.status, 0) << target << ": " << run.err;
  return run.status == 0 ? distancesOf(directory.path("out.env")) : std::vector<double>{};
}

void expectDistances(const std::vector<double>& baked, const std::vector<double>& expected,
                     const std::string& what) {
  ASSERT_EQ(baked.size(), expected.size()) << what;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(baked[i], expected[i], 1e-6) << what << " at key " << i;
  }
}

// The scenes edited: the default scene of version 1 and one real sample of
// each later version the samples hold.
struct Version {
  int number;
  const char* sample;  // in tests/runner/scenes; empty: `new` writes it
  int objectsBefore;
};
constexpr Version VERSIONS[] = {
    {1, "", 0}, {2, "move_x_oldformat_56.lws", 1}, {3, "move_x_oldformat_6.lws", 1},
    {5, "move_x.lws", 1}};

// One edit of s.lws and the exit status it ends with on each scene, in the
// order of VERSIONS.
struct Step {
  std::vector<std::string> arguments;
  std::array<int, 4> status;
};

constexpr std::array<int, 4> DONE = {0, 0, 0, 0};

// Post rests at the origin. Rider is keyed at frames 0 and 30 (and at 15
// where the version takes a key before the last), Lamp rides 12 above it
// along z, and Lamp (2) is a copy of Lamp. Arm is keyed 12 along z of
// Turner, which stands at x = 5 turned 90 degrees in heading: Arm lies at
// x = 17. ball rests 5 along -z.
const Step STEPS[] = {
    {{"add-null", "s.lws", "Post"}, DONE},
    {{"add-null", "s.lws", "Rider"}, DONE},
    {{"key", "s.lws", "Rider", "--frame", "0", "--position", "3", "4", "0"}, DONE},
    // Version 2's span code for a linear key is not known.
    {{"key", "s.lws", "Rider", "--frame", "30", "--position", "6", "8", "0", "--linear"},
     {0, 4, 0, 0}},
    // Version 1 keys must follow the last; later versions replace a key at
    // the same frame, or put it among the others in order.
    {{"key", "s.lws", "Rider", "--frame", "30", "--position", "6", "8", "0"}, {4, 0, 0, 0}},
    {{"key", "s.lws", "Rider", "--frame", "15", "--position", "0", "0", "0"}, {4, 0, 0, 0}},
    {{"add-null", "s.lws", "Lamp"}, DONE},
    {{"key", "s.lws", "Lamp", "--frame", "0", "--position", "0", "0", "12"}, DONE},
    {{"parent", "s.lws", "Lamp", "Rider"}, DONE},
    {{"add-null", "s.lws", "Turner"}, DONE},
    {{"key", "s.lws", "Turner", "--frame", "0", "--position", "5", "0", "0", "--rotation", "90",
      "0", "0"},
     DONE},
    {{"add-null", "s.lws", "Arm"}, DONE},
    {{"key", "s.lws", "Arm", "--frame", "0", "--position", "0", "0", "12"}, DONE},
    {{"parent", "s.lws", "Arm", "Turner"}, DONE},
    {{"copy", "s.lws", "Lamp"}, DONE},
    {{"add-object", "s.lws", "Objects/ball.lwo"}, DONE},
    {{"key", "s.lws", "ball", "--frame", "0", "--position", "0", "0", "-5"}, DONE},
    // No layout of a version 2 dissolve is known; version 1 dissolve keys
    // must follow the last.
    {{"dissolve", "s.lws", "Lamp", "--frame", "0", "--value", "0"}, {0, 4, 0, 0}},
    {{"dissolve", "s.lws", "Lamp", "--frame", "30", "--value", "1"}, {0, 4, 0, 0}},
    {{"dissolve", "s.lws", "Lamp", "--frame", "15", "--value", "0.5"}, {4, 4, 0, 0}},
};

const char* const NEW_OBJECTS[] = {"Post", "Rider", "Lamp", "Turner", "Arm", "Lamp (2)", "ball"};

// What `list` prints for the objects of the edited scene: the sample's
// simple_cube first, then the new objects, with consecutive IDs in version 5.
std::string expectedObjects(const Version& version) {
  std::string listing = version.objectsBefore ? "object\tsimple_cube" : "";
  if (version.objectsBefore) listing += version.number == 5 ? "\t10000000\t1\n" : "\t-\t1\n";
  int number = version.objectsBefore;
  for (const char* name : NEW_OBJECTS) {
    listing += std::string("object\t") + name + "\t";
    listing += version.number == 5 ? "1000000" + std::to_string(number) : "-";
    listing += "\t" + std::to_string(number + 1) + "\n";
    ++number;
  }
  return listing;
}

TEST(SceneVersions, TheSameEditsOnEveryVersionBakeToTheDistancesTheyKey) {
  // Rider and Lamp at frame 15: on the straight line halfway in version 1,
  // at the key at frame 15 (Rider at the origin) in the others.
  const double halfway = 7.5;                          // |(4.5, 6, 0)|
  const double lampHalfway = std::sqrt(200.25);        // |(4.5, 6, 12)|
  const double lampAtEnd = std::sqrt(6 * 6 + 8 * 8 + 12 * 12);  // |(6, 8, 12)|
  for (std::size_t v = 0; v < std::size(VERSIONS); ++v) {
    const Version& version = VERSIONS[v];
    SCOPED_TRACE("version " + std::to_string(version.number));
    ScratchDirectory directory;
    if (*version.sample) {
      writeFile(directory.path("s.lws"), readFile(RUNNER_SAMPLES + version.sample));
    } else {
      ASSERT_EQ(runScene({"new", "s.lws"}, directory).status, 0);
    }
    for (const Step& step : STEPS) {
      RunResult result = runScene(step.arguments, directory);
      EXPECT_EQ(result.status, step.status[v]) << step.arguments[0] << " " << step.arguments[2]
                                               << ": " << result.err;
    }
    std::string scene = readFile(directory.path("s.lws"));
    EXPECT_EQ(scene.find('\r'), std::string::npos) << "a line end other than the file's";

    RunResult listed = runScene({"list", "s.lws"}, directory);
    EXPECT_THAT(listed.out, HasSubstr(expectedObjects(version)));

    bool firstVersion = version.number == 1;
    std::vector<double> lamp = {13, firstVersion ? lampHalfway : 12, lampAtEnd};
    expectDistances(bakeFromPost("s.lws", "Rider", directory), {5, firstVersion ? halfway : 0, 10},
                    "Rider");
    expectDistances(bakeFromPost("s.lws", "Lamp", directory), lamp, "Lamp");
    expectDistances(bakeFromPost("s.lws", "Lamp (2)", directory), lamp, "Lamp (2)");
    expectDistances(bakeFromPost("s.lws", "Arm", directory), {17, 17, 17}, "Arm");
    expectDistances(bakeFromPost("s.lws", "ball", directory), {5, 5, 5}, "ball");
  }
}

// Edits refused on some version, or on what a scene holds, with the line
// they name; none changes the file.
TEST(SceneVersions, RefusedEditsNameTheRuleOrTheLine) {
  struct Refusal {
    const char* sample;
    std::vector<std::string> arguments;
    std::string message;
    int status = 4;  // 3: the command could not run (an unknown name)
  };
  const Refusal refusals[] = {
      {"move_x_oldformat_56.lws",
       {"key", "s.lws", "simple_cube", "--frame", "5", "--position", "0", "0", "0", "--linear"},
       "s.lws:2: scene version 2: the span code of a linear key in a version 2 motion is not "
       "known"},
      {"move_x_oldformat_56.lws",
       {"dissolve", "s.lws", "simple_cube", "--frame", "0", "--value", "1"},
       "s.lws:2: scene version 2: no layout of a version 2 dissolve envelope is known"},
      {"move_x.lws",
       {"key", "s.lws", "simple_cube", "--frame", "-1", "--position", "0", "0", "0"},
       "s.lws: frame -1 is before the first frame, 0"},
      {"move_x.lws",
       {"key", "s.lws", "Light", "--frame", "0", "--position", "0", "0", "0"},
       "s.lws:228: \"Light\" is a light, not an object"},
      {"move_x_oldformat_6.lws",
       {"parent", "s.lws", "simple_cube", "Camera"},
       "s.lws:302: \"Camera\" is a camera, not an object"},
      // The name that quorvel-scene took before it named items as the runner does.
      {"move_x_oldformat_56.lws",
       {"copy", "s.lws", "simple_cube.lwo"},
       "s.lws: the scene has no object named \"simple_cube.lwo\"; items are named as quorvel-run "
       "--list-items names them: the object of line 15 is \"simple_cube\"",
       3},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.message);
    ScratchDirectory directory;
    const std::string scene = readFile(RUNNER_SAMPLES + refusal.sample);
    writeFile(directory.path("s.lws"), scene);
    RunResult result = runScene(refusal.arguments, directory);
    EXPECT_EQ(result.status, refusal.status);
    EXPECT_THAT(result.err, HasSubstr(refusal.message));
    EXPECT_EQ(readFile(directory.path("s.lws")), scene);
  }
}

// `text` with its first occurrence of `before` replaced by `after`.
std::string withReplaced(std::string text, const std::string& before, const std::string& after) {
  std::size_t at = text.find(before);
  EXPECT_NE(at, std::string::npos) << before;
  return at == std::string::npos ? text : text.replace(at, before.size(), after);
}

// A motion or envelope the tool cannot read is refused at its line, and so
// is a parent that would close a loop, at the parent line that would.
TEST(SceneVersions, UnreadableMotionsAndLoopsOfParentsAreRefusedAtTheirLine) {
  const std::string version3 = readFile(RUNNER_SAMPLES + "move_x_oldformat_6.lws");
  const std::string version5 = readFile(RUNNER_SAMPLES + "move_x.lws");
  struct Case {
    std::string scene;
    std::vector<std::vector<std::string>> before;  // edits made first
    std::vector<std::string> refused;
    std::string message;
  };
  const Case cases[] = {
      {withReplaced(version3, "NumChannels 9", "NumChannels 6"),
       {},
       {"key", "s.lws", "simple_cube", "--frame", "0", "--position", "0", "0", "0"},
       "s.lws:21: expected all nine channels, 0 to 8, found \"NumChannels 6\""},
      {withReplaced(version5, "  Key -0.040000002831220627 0 0 0 0 0 0 0 0",
                    "  Key -0.040000002831220627 0 0"),
       {},
       {"key", "s.lws", "simple_cube", "--frame", "0", "--position", "0", "0", "0"},
       "s.lws:34: expected Key and nine numbers (value, time, span, six parameters), found "
       "\"  Key -0.040000002831220627 0 0\""},
      // B's parent line stands directly before its ShadowOptions line, 61
      // lines (A's block) and 59 lines after the objects' end at line 205.
      {version5,
       {{"add-null", "s.lws", "A"}, {"add-null", "s.lws", "B"}, {"parent", "s.lws", "B", "A"}},
       {"parent", "s.lws", "A", "B"},
       "s.lws:326: \"B\" hangs below \"A\" already: the parents would go round in a circle"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    ScratchDirectory directory;
    writeFile(directory.path("s.lws"), c.scene);
    for (const std::vector<std::string>& edit : c.before) {
      ASSERT_EQ(runScene(edit, directory).status, 0) << edit[0];
    }
    const std::string scene = readFile(directory.path("s.lws"));
    RunResult result = runScene(c.refused, directory);
    EXPECT_EQ(result.status, 4);
    EXPECT_THAT(result.err, HasSubstr(c.message));
    EXPECT_EQ(readFile(directory.path("s.lws")), scene);
  }
}

// The number of line ends in `text` that are a newline without a carriage
// return before it, and of those that are both.
struct LineEnds {
  int bare = 0;
  int crlf = 0;
};
LineEnds lineEndsOf(const std::string& text) {
  LineEnds ends;
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
    (at > 0 && text[at - 1] == '\r' ? ends.crlf : ends.bare)++;
  }
  return ends;
}

// A real scene saved with CR LF line ends (version 3, at 25 frames per
// second): every line an edit adds ends with CR LF too, and the scene bakes
// as keyed, scene frame 25 being the runner's frame 30 (one second).
TEST(SceneVersions, ACrLfSceneKeepsItsLineEnds) {
  const std::vector<std::vector<std::string>> edits = {
      {"add-null", "s.lws", "Post"},
      {"add-null", "s.lws", "X"},
      {"key", "s.lws", "X", "--frame", "25", "--position", "0", "3", "4"},
      {"add-object", "s.lws", "Objects/ball.lwo"},
      {"copy", "s.lws", "X"},
      {"parent", "s.lws", "X (2)", "X"},
      {"key", "s.lws", "X (2)", "--frame", "0", "--position", "0", "0", "1", "--linear"},
      {"dissolve", "s.lws", "X", "--frame", "10", "--value", "0.5"},
      {"dissolve", "s.lws", "X", "--frame", "5", "--value", "0"},
  };
  ScratchDirectory directory;
  const std::string original = readFile(RUNNER_SAMPLES + "scene_light_rig.lws");
  ASSERT_EQ(lineEndsOf(original).bare, 0);
  writeFile(directory.path("s.lws"), original);
  std::string before = original;
  for (const std::vector<std::string>& edit : edits) {
    RunResult result = runScene(edit, directory);
    EXPECT_EQ(result.status, 0) << edit[0] << ": " << result.err;
    std::string after = readFile(directory.path("s.lws"));
    EXPECT_NE(after, before) << edit[0] << " " << edit[2] << " changed nothing";
    EXPECT_EQ(lineEndsOf(after).bare, 0) << edit[0] << " " << edit[2];
    before = after;
  }
  RunResult toX = runQuorvel({"--scene", "s.lws", "--item", "Post", "--target", "X",
                              "--last-frame", "31", "--step", "30", "--output", "x.env"},
                             directory.root());
  EXPECT_EQ(toX.status, 0) << toX.err;
  expectDistances(distancesOf(directory.path("x.env")), {0, 5}, "X");
  // X (2), a copy of X keyed anew at frame 0, hangs from X: 1 along z from
  // it at frame 0, and with X's own key at scene frame 25, (0, 6, 8).
  RunResult toCopy = runQuorvel({"--scene", "s.lws", "--item", "Post", "--target", "X (2)",
                                 "--last-frame", "31", "--step", "30", "--output", "c.env"},
                                directory.root());
  EXPECT_EQ(toCopy.status, 0) << toCopy.err;
  expectDistances(distancesOf(directory.path("c.env")), {1, 10}, "X (2)");
}

// Every name `list` prints is taken by both tools, and `list` prints what
// `quorvel-run --list-items` prints, then each object's number.
TEST(SceneVersions, EveryNameListPrintsSelectsTheSameItemInBothTools) {
  const std::string samples[] = {
      RUNNER_SAMPLES + "move_x_oldformat_56.lws", RUNNER_SAMPLES + "move_x_oldformat_6.lws",
      RUNNER_SAMPLES + "move_x.lws", RUNNER_SAMPLES + "scene_light_rig.lws",
      RUNNER_SAMPLES + "seq_planet_01.lws"};
  for (const std::string& sample : samples) {
    SCOPED_TRACE(sample);
    ScratchDirectory directory;
    RunResult listed = runScene({"list", sample}, directory);
    RunResult runnerListed = runQuorvel({"--scene", sample, "--list-items"}, directory.root());
    ASSERT_EQ(listed.status, 0) << listed.err;
    std::istringstream lines(listed.out);
    std::string line;
    std::string withoutNumbers;
    while (std::getline(lines, line)) {
      std::size_t tab = line.find('\t');
      std::string kind = line.substr(0, tab);
      std::string name = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
      std::size_t lastTab = line.rfind('\t');
      EXPECT_EQ(line.substr(lastTab + 1) == "-", kind != "object") << line;
      withoutNumbers += line.substr(0, lastTab) + "\n";
      // The runner takes the name: it bakes, or refuses for another reason.
      RunResult run = runQuorvel({"--scene", sample, "--item", name, "--camera", "--last-frame",
                                  "1", "--output", "out.env"},
                                 directory.root());
      EXPECT_THAT(run.err, Not(HasSubstr("no item named"))) << name;
      // quorvel-scene takes it: it keys an object, and names any other kind.
      RunResult key = runScene({"key", sample, name, "--frame", "0", "--position", "0", "0", "0",
                                "--replace-motion", "--output", "out.lws"},
                               directory);
      if (kind == "object") {
        EXPECT_EQ(key.status, 0) << name << ": " << key.err;
      } else {
        EXPECT_THAT(key.err, HasSubstr("\"" + name + "\" is a " + kind + ", not an object"));
      }
    }
    EXPECT_EQ(withoutNumbers, runnerListed.out);
  }
}

// `new` writes a scene where there is none, and replaces one only with --force.
TEST(SceneVersions, NewReplacesAFileOnlyWithForce) {
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string message;
    bool replaced;
  };
  const Case cases[] = {
      {{"new", "s.lws"}, 3, "quorvel-scene: s.lws exists already; give --force to replace it\n",
       false},
      {{"new", "s.lws", "--force"}, 0, "", true},
      {{"new", "fresh.lws"}, 0, "", true},
  };
  for (const Case& c : cases) {
    ScratchDirectory directory;
    writeFile(directory.path("s.lws"), "LWSC\n1\n\nmine\n");
    RunResult result = runScene(c.arguments, directory);
    EXPECT_EQ(result.status, c.status) << c.arguments[1];
    EXPECT_EQ(result.err, c.message) << c.arguments[1];
    std::string written = readFile(directory.path(c.arguments[1]));
    EXPECT_EQ(written.size() == 1144u, c.replaced) << c.arguments[1];  // the default scene
    if (c.arguments[1] != "s.lws") {
      EXPECT_EQ(readFile(directory.path("s.lws")), "LWSC\n1\n\nmine\n");
    }
  }
}

// What an edit prints: the object it adds as `list` lists it, and on
// standard error every item whose name it changed; --ordinal counts the
// objects by the name the file itself gives them.
TEST(SceneVersions, AnEditReportsItsObjectAndTheNamesItChanged) {
  struct Case {
    const char* sample;  // in tests/runner/scenes; empty: `new` writes it
    std::vector<std::string> arguments;
    std::string out;
    std::string err;
  };
  const Case cases[] = {
      // The default light is named "Light"; a new object of that name comes
      // before it in the file, so the light becomes "Light (2)".
      {"", {"add-null", "s.lws", "Light"}, "object\tLight\t-\t1\n",
       "quorvel-scene: note: the light \"Light\" is now named \"Light (2)\"\n"},
      {"seq_planet_01.lws",
       {"copy", "s.lws", "Null", "--ordinal", "3"},
       "object\tNull (5)\t-\t31\n",
       ""},
      {"seq_planet_01.lws", {"copy", "s.lws", "Null (3)"}, "object\tNull (5)\t-\t31\n", ""},
      {"seq_planet_01.lws", {"add-object", "s.lws", "Objects/mesh_planet.lwo"},
       "object\tmesh_planet (2)\t-\t31\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments[0] + " " + c.arguments[2]);
    ScratchDirectory directory;
    if (*c.sample) {
      writeFile(directory.path("s.lws"), readFile(RUNNER_SAMPLES + c.sample));
    } else {
      ASSERT_EQ(runScene({"new", "s.lws"}, directory).status, 0);
    }
    RunResult result = runScene(c.arguments, directory);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
  }
}

// A bone is listed as the runner lists it and refused where an object is
// needed; an object with bones takes a parent and keeps its bones.
TEST(SceneVersions, BonesAreListedAsTheRunnerListsThemAndRefusedWhereAnObjectIsNeeded) {
  ScratchDirectory directory;
  const std::string scene =
      withReplaced(readFile(RUNNER_SAMPLES + "move_x_oldformat_6.lws"),
                   "ObjGIMaxPixelSpacing 100.000000\nShadowOptions 7",
                   "ObjGIMaxPixelSpacing 100.000000\nAddBone\nBoneName Arm\nShadowOptions 7");
  writeFile(directory.path("s.lws"), scene);
  EXPECT_EQ(runScene({"list", "s.lws"}, directory).out,
            "object\tsimple_cube\t-\t1\nbone\tArm\t-\t-\nlight\tLight\t-\t-\n"
            "camera\tCamera\t-\t-\n");
  EXPECT_EQ(runQuorvel({"--scene", "s.lws", "--list-items"}, directory.root()).out,
            "object\tsimple_cube\t-\nbone\tArm\t-\nlight\tLight\t-\ncamera\tCamera\t-\n");
  const std::vector<std::string> refused[] = {
      {"parent", "s.lws", "Arm", "simple_cube"},
      {"parent", "s.lws", "simple_cube", "Arm"},
      {"key", "s.lws", "Arm", "--frame", "0", "--position", "0", "0", "0"},
  };
  for (const std::vector<std::string>& arguments : refused) {
    RunResult result = runScene(arguments, directory);
    EXPECT_EQ(result.status, 4) << arguments[0];
    EXPECT_THAT(result.err, HasSubstr("s.lws:195: \"Arm\" is a bone, not an object"));
  }
  RunResult copy = runScene({"copy", "s.lws", "simple_cube"}, directory);
  EXPECT_EQ(copy.status, 4);
  EXPECT_THAT(copy.err, HasSubstr("s.lws:195: \"simple_cube\" has bones"));
  EXPECT_EQ(readFile(directory.path("s.lws")), scene);

  // The object's parent line goes among its own lines, before its bone's:
  // the object hangs from N, and the bone still from the object.
  ASSERT_EQ(runScene({"add-null", "s.lws", "N"}, directory).status, 0);
  ASSERT_EQ(runScene({"parent", "s.lws", "simple_cube", "N"}, directory).status, 0);
  EXPECT_THAT(readFile(directory.path("s.lws")),
              HasSubstr("ParentItem 10000001\nAddBone\nBoneName Arm\nShadowOptions 7\n"));
  RunResult verbose = runQuorvel({"--scene", "s.lws", "--list-items", "--verbose"},
                                 directory.root());
  EXPECT_THAT(verbose.out, HasSubstr("object\tsimple_cube\t-\tN\t"));
  EXPECT_THAT(verbose.out, HasSubstr("bone\tArm\t-\tsimple_cube\t"));
}

}  // namespace
