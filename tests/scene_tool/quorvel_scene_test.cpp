// quorvel-scene end to end: each subcommand's effect on a scene, the edits
// it refuses, and a scene built call by call, as a shell script builds it, and
// baked by quorvel-run.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/run_support.h"

namespace {

using ::testing::HasSubstr;

RunResult runScene(const std::vector<std::string>& arguments, const ScratchDirectory& directory) {
  return runProgram(QUORVEL_SCENE, arguments, directory.root());
}

// A null's block as a new one stands, the empty line after it included.
std::string nullBlock(const std::string& name) {
  return "AddNullObject " + name +
         "\nShowObject 8 7\nObjectMotion (unnamed)\n  9\n  1\n  0 0 0 0 0 0 1 1 1\n"
         "  0 0 0 0 0\nEndBehavior 1\nShadowOptions 7\n\n";
}

// `text` with its one occurrence of `before` replaced by `after`.
std::string replaced(std::string text, const std::string& before, const std::string& after) {
  std::size_t at = text.find(before);
  EXPECT_NE(at, std::string::npos) << before;
  EXPECT_EQ(text.find(before, at + 1), std::string::npos) << before;
  return at == std::string::npos ? text : text.replace(at, before.size(), after);
}

class QuorvelSceneTest : public ::testing::Test {
 protected:
  // s.lws: the default scene with the nulls A (object 1) and B (object 2).
  void SetUp() override {
    run({"new", "s.lws"});
    EXPECT_EQ(read("s.lws").size(), 1144u);  // the 76 lines of the default scene
    run({"add-null", "s.lws", "A"});
    run({"add-null", "s.lws", "B"});
    base_ = read("s.lws");
  }
  void run(const std::vector<std::string>& arguments) {
    RunResult result = runScene(arguments, directory_);
    ASSERT_EQ(result.status, 0) << arguments[0] << ": " << result.err;
  }
  std::string read(const std::string& name) const { return readFile(directory_.path(name)); }

  ScratchDirectory directory_;
  std::string base_;
};

// B's block ends the objects: its motion's key, its end, the scene after it.
constexpr char B_KEY_AND_END[] =
    "  0 0 0 0 0 0 1 1 1\n  0 0 0 0 0\nEndBehavior 1\nShadowOptions 7\n\nAmbientColor";
constexpr char OBJECTS_END[] = "ShadowOptions 7\n\nAmbientColor";

TEST_F(QuorvelSceneTest, EachSubcommandChangesTheSceneAsTheLibraryEditsIt) {
  struct Edit {
    std::vector<std::string> arguments;
    std::string out;     // what it prints
    std::string before;  // the part of the scene it replaces (empty: none)
    std::string after;
    std::string written = "s.lws";
  };
  const std::string blockA = nullBlock("A");
  const Edit edits[] = {
      {{"list", "s.lws"},
       "object\tA\t-\t1\nobject\tB\t-\t2\nlight\tLight\t-\t-\ncamera\tCamera\t-\t-\n",
       "",
       ""},
      {{"add-null", "s.lws", "C"},
       "object\tC\t-\t3\n",
       OBJECTS_END,
       "ShadowOptions 7\n\n" + nullBlock("C") + "AmbientColor"},
      {{"add-null", "s.lws", "A"},
       "object\tA (2)\t-\t3\n",
       OBJECTS_END,
       "ShadowOptions 7\n\n" + nullBlock("A") + "AmbientColor"},
      // A loaded object is named by its file's base name, as the runner names it.
      {{"add-object", "s.lws", "Objects/ball.lwo", "--output", "out.lws"},
       "object\tball\t-\t3\n",
       OBJECTS_END,
       "ShadowOptions 7\n\nLoadObject Objects/ball.lwo" + nullBlock("").substr(14) + "AmbientColor",
       "out.lws"},
      // The copy ends at its "ShadowOptions" line: the empty line is not part of the block.
      {{"copy", "s.lws", "A"},
       "object\tA (2)\t-\t3\n",
       OBJECTS_END,
       "ShadowOptions 7\n\n" + blockA.substr(0, blockA.size() - 1) + "AmbientColor"},
      {{"parent", "s.lws", "B", "A"},
       "",
       "EndBehavior 1\nShadowOptions 7\n\nAmbientColor",
       "EndBehavior 1\nParentObject 1\nShadowOptions 7\n\nAmbientColor"},
      {{"key", "s.lws", "B", "--frame", "0", "--position", "1", "-2", "3.5", "--rotation", "90",
        "0", "0", "--linear"},
       "",
       B_KEY_AND_END,
       "  1.000000 -2.000000 3.500000 90.000000 0.000000 0.000000 1.000000 1.000000 1.000000\n"
       "  0 1 0 0 0\nEndBehavior 1\nShadowOptions 7\n\nAmbientColor"},
      {{"key", "s.lws", "B", "--frame", "30", "--position", "0", "0", "5e0", "--scale", "2", "2",
        "2"},
       "",
       std::string("  1\n") + B_KEY_AND_END,
       "  2\n  0 0 0 0 0 0 1 1 1\n  0 0 0 0 0\n"
       "  0.000000 0.000000 5.000000 0.000000 0.000000 0.000000 2.000000 2.000000 2.000000\n"
       "  30 0 0 0 0\nEndBehavior 1\nShadowOptions 7\n\nAmbientColor"},
      {{"dissolve", "s.lws", "B", "--frame", "0", "--value", "0.25"},
       "",
       "EndBehavior 1\nShadowOptions 7\n\nAmbientColor",
       "EndBehavior 1\nObjDissolve (envelope)\n  1\n  1\n  0.250000\n  0 0 0 0 0\nEndBehavior 1\n"
       "ShadowOptions 7\n\nAmbientColor"},
  };
  for (const Edit& edit : edits) {
    writeFile(directory_.path("s.lws"), base_);
    RunResult result = runScene(edit.arguments, directory_);
    std::string what = edit.arguments[0] + " " + edit.arguments.back();
    EXPECT_EQ(result.status, 0) << what << ": " << result.err;
    EXPECT_EQ(result.out, edit.out) << what;
    EXPECT_EQ(read(edit.written),
              edit.before.empty() ? base_ : replaced(base_, edit.before, edit.after))
        << what;
    if (edit.written != "s.lws") {
      EXPECT_EQ(read("s.lws"), base_) << what;
    }
  }
}

TEST_F(QuorvelSceneTest, RefusedEditsSayWhyAndChangeNoFile) {
  run({"parent", "s.lws", "B", "A"});
  run({"key", "s.lws", "B", "--frame", "30", "--position", "0", "0", "0"});
  const std::string scene = read("s.lws");
  writeFile(directory_.path("bare.lws"), "LWSC\n1\n\nFirstFrame 1\n");
  writeFile(directory_.path("notes.txt"), "not a scene\n");
  const std::string version6 = replaced(scene, "LWSC\n1\n", "LWSC\n6\n");
  writeFile(directory_.path("v6.lws"), version6);
  struct Refusal {
    std::vector<std::string> arguments;
    int status;
    std::string message;
  };
  const Refusal refusals[] = {
      {{"copy", "s.lws", "Nobody"}, 3, "s.lws: the scene has no object named \"Nobody\""},
      {{"copy", "s.lws", "A", "--ordinal", "2"}, 3, "fewer than 2 objects named \"A\""},
      {{"key", "s.lws", "A (2)", "--frame", "1", "--position", "0", "0", "0"},
       3,
       "no object named \"A (2)\""},
      {{"parent", "s.lws", "A", "A"}, 4, "an object cannot be its own parent"},
      {{"parent", "s.lws", "A", "B"}, 4, "\"B\" hangs below \"A\" already"},
      {{"key", "s.lws", "B", "--frame", "30", "--position", "0", "0", "0"},
       4,
       "s.lws:30: the last motion key of \"B\" is at frame 30; a new key must come after it in a "
       "version 1 scene"},
      {{"dissolve", "s.lws", "A", "--frame", "5", "--value", "1"},
       4,
       "s.lws:12: \"A\" has no dissolve envelope yet: its first key stands at frame 0"},
      {{"add-null", "s.lws", ""}, 3, "NAME: the name is empty"},
      {{"add-null", "s.lws", std::string(250, 'n')}, 4, "longer than a scene line's 255 bytes"},
      {{"add-null", "bare.lws", "C"}, 4, "bare.lws: the scene has no object and no AmbientColor line"},
      {{"add-null", "v6.lws", "C"}, 4, "v6.lws:2: scene version 6 is not supported (1 to 5 are)"},
      {{"key", "s.lws", "A", "--frame", "1.5", "--position", "0", "0", "0"},
       3,
       "--frame: \"1.5\" is not a whole number"},
      {{"key", "s.lws", "A", "--frame", "1", "--position", "0", "inf", "0"},
       3,
       "--position: \"inf\" is not a finite decimal number"},
      {{"add-null", "s.lws", "C", "--output", "no/such/dir/out.lws"},
       3,
       "cannot write no/such/dir/out.lws"},
      {{"list", "missing.lws"}, 3, "cannot read missing.lws: No such file or directory"},
      {{"add-null", "notes.txt", "C"}, 3, "notes.txt:1: not a scene file"},
      {{"s.lws"}, 3, "give a subcommand first: new, list,"},
  };
  for (const Refusal& refusal : refusals) {
    RunResult result = runScene(refusal.arguments, directory_);
    std::string what = refusal.arguments[0] + " " + refusal.arguments.back();
    EXPECT_EQ(result.status, refusal.status) << what;
    EXPECT_THAT(result.err, HasSubstr(refusal.message)) << what;
    EXPECT_EQ(result.out, "") << what;
    EXPECT_EQ(read("s.lws"), scene) << what;
    EXPECT_EQ(read("bare.lws"), "LWSC\n1\n\nFirstFrame 1\n") << what;
    EXPECT_EQ(read("v6.lws"), version6) << what;
  }
}

TEST(QuorvelSceneScript, AScriptedSceneBakesWithTheRunner) {
  // B moves from (3, 4, 0) to (6, 8, 0); C rides on B, 12 above it along z.
  const std::vector<std::vector<std::string>> script = {
      {"new", "s.lws"},
      {"add-null", "s.lws", "A"},
      {"add-null", "s.lws", "B"},
      {"key", "s.lws", "B", "--frame", "0", "--position", "3", "4", "0"},
      {"key", "s.lws", "B", "--frame", "30", "--position", "6", "8", "0", "--linear"},
      {"add-null", "s.lws", "C"},
      {"key", "s.lws", "C", "--frame", "0", "--position", "0", "0", "12"},
      {"parent", "s.lws", "C", "B"},
      {"dissolve", "s.lws", "C", "--frame", "0", "--value", "0"},
      {"dissolve", "s.lws", "C", "--frame", "30", "--value", "1"},
  };
  ScratchDirectory directory;
  for (const std::vector<std::string>& step : script) {
    RunResult result = runScene(step, directory);
    ASSERT_EQ(result.status, 0) << step[0] << ": " << result.err;
  }

  RunResult toB = runQuorvel({"--scene", "s.lws", "--item", "A", "--target", "B", "--last-frame",
                              "31", "--step", "30", "--output", "b.env"},
                             directory.root());
  EXPECT_EQ(toB.status, 0) << toB.err;
  EXPECT_EQ(toB.out, "b.env: 2 keys, distance 5.000000 to 10.000000\n");
  RunResult toC = runQuorvel({"--scene", "s.lws", "--item", "A", "--target", "C", "--last-frame",
                              "31", "--step", "30", "--output", "c.env"},
                             directory.root());
  EXPECT_EQ(toC.status, 0) << toC.err;
  // sqrt(3² + 4² + 12²) = 13 and sqrt(6² + 8² + 12²) = 15.620499
  EXPECT_EQ(toC.out, "c.env: 2 keys, distance 13.000000 to 15.620499\n");
}

}  // namespace

// An edit is checked on the chain of the object it changes: a motion that
// cannot be read elsewhere keeps no edit from being made, and an edit that
// hangs an object from it is refused, naming that motion's line.
TEST_F(QuorvelSceneTest, AnEditIsCheckedOnTheChainOfTheObjectItChanges) {
  run({"add-null", "s.lws", "C"});
  const std::string countLine = "AddNullObject C\nShowObject 8 7\nObjectMotion (unnamed)\n  9\n  ";
  const std::string scene = replaced(read("s.lws"), countLine + "1\n", countLine + "one\n");
  writeFile(directory_.path("s.lws"), scene);

  RunResult key = runScene({"key", "s.lws", "A", "--frame", "30", "--position", "1", "2", "3"},
                           directory_);
  EXPECT_EQ(key.status, 0) << key.err;
  const std::string keyed = read("s.lws");
  EXPECT_NE(keyed, scene);

  // The refusal names the line of the scene as the edit would leave it: A's
  // new ParentObject line stands before C's motion.
  int unreadableLine = 2;
  for (std::size_t i = 0; i < keyed.find("  one\n"); ++i) unreadableLine += keyed[i] == '\n';
  RunResult parent = runScene({"parent", "s.lws", "A", "C"}, directory_);
  EXPECT_EQ(parent.status, 4);
  EXPECT_THAT(parent.err, HasSubstr("the edited scene would not bake with quorvel-run: s.lws:" +
                                    std::to_string(unreadableLine) + ": "));
  EXPECT_EQ(read("s.lws"), keyed);
}

// A file that is no scene the host reads is refused (3) with the reason the
// runner gives, from a file or from standard input.
TEST_F(QuorvelSceneTest, AFileThatIsNoSceneIsRefusedWithTheReason) {
  std::string mac = base_;
  std::replace(mac.begin(), mac.end(), '\n', '\r');
  writeFile(directory_.path("mac.lws"), mac);
  writeFile(directory_.path("bom.lws"), "\xEF\xBB\xBF" + base_);
  writeFile(directory_.path("holds-nul.lws"), std::string("LWSC\n1\n\0\n", 9));
  const struct {
    std::string file;
    std::string message;
  } refusals[] = {
      {"mac.lws", "mac.lws:1: not a scene file: it ends its lines with CR alone"},
      {"bom.lws", "bom.lws:1: not a scene file: it begins with a UTF-8 byte-order mark"},
      {"holds-nul.lws",
       "cannot read holds-nul.lws: it holds a NUL byte at offset 7, so it is not text"},
      {"sub", "cannot read sub: it is a directory"},
  };
  std::filesystem::create_directory(directory_.path("sub"));
  for (const auto& refusal : refusals) {
    RunResult listed = runScene({"list", refusal.file}, directory_);
    EXPECT_EQ(listed.status, 3) << refusal.file;
    EXPECT_THAT(listed.err, HasSubstr(refusal.message));
    EXPECT_EQ(listed.out, "");
  }
  RunResult piped = runProgram(QUORVEL_SCENE, {"add-null", "-", "C"}, directory_.root(),
                               directory_.path("holds-nul.lws"));
  EXPECT_EQ(piped.status, 3);
  EXPECT_THAT(piped.err, HasSubstr("cannot read standard input: it holds a NUL byte at offset 7"));
  EXPECT_EQ(piped.out, "");
}
