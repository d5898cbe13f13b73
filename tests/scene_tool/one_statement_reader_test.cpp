// Both programs read a scene's statements by one rule: a plug-in's body is
// opaque, only the Plugin and EndPlugin lines nested in it count, so braces
// in it that do not match, and item keywords in it, neither end it nor
// begin items. quorvel-scene edits an object whose lines hold such a body as
// quorvel-run reads it, and both list the same items.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/run_support.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// A null of version 3 standing at (x, 0, 0), `body` after its ShowObject line.
std::string nullWith(const std::string& name, double x, const std::string& body) {
  std::string block = "AddNullObject " + name + "\nShowObject 8 7\n" + body +
                      "ObjectMotion\nNumChannels 9\n";
  const double values[9] = {x, 0, 0, 0, 0, 0, 1, 1, 1};
  for (int channel = 0; channel < 9; ++channel) {
    block += "Channel " + std::to_string(channel) + "\n{ Envelope\n  1\n  Key " +
             std::to_string(values[channel]) + " 0 0 0 0 0 0 0 0\n  Behaviors 1 1\n}\n";
  }
  return block + "ShadowOptions 7\n\n";
}

// A at (2, 0, 0) holding `body`, B at the origin, and a camera.
std::string sceneHolding(const std::string& body) {
  return "LWSC\n3\n\nFirstFrame 1\nLastFrame 60\nFramesPerSecond 30\n\n" + nullWith("A", 2, body) +
         nullWith("B", 0, "") + "AmbientColor 255 255 255\n\nAddCamera\nCameraName Camera\n";
}

// Plug-in bodies on which the editor and the evaluator once disagreed.
const char* const PLUGIN_BODIES[] = {
    // a closing brace, then an item keyword
    "Plugin CustomObjHandler 1 Quirky\n  }\nAddNullObject Hidden\nEndPlugin\n",
    // an opening brace that its body never closes
    "Plugin CustomObjHandler 1 Quirky\n{ Odd\nEndPlugin\n",
    // a nested plug-in whose body holds braces of its own
    ("Plugin CustomObjHandler 1 Outer\n  }\nPlugin CustomObjHandler 2 Inner\n{\nEndPlugin\n"
     "AddNullObject Hidden\n  }\nEndPlugin\n"),
};

TEST(OneStatementReader, APlugInBodyIsOpaqueToTheEditsAsToTheRunner) {
  for (const char* body : PLUGIN_BODIES) {
    ScratchDirectory directory;
    writeFile(directory.path("s.lws"), sceneHolding(body));
    RunResult list = runProgram(QUORVEL_SCENE, {"list", "s.lws"}, directory.root());
    EXPECT_EQ(list.status, 0) << body << list.err;
    EXPECT_THAT(list.out, Not(HasSubstr("Hidden"))) << body;
    RunResult runnerList = runQuorvel({"--scene", "s.lws", "--list-items"}, directory.root());
    EXPECT_EQ(runnerList.out, "object\tA\t-\nobject\tB\t-\ncamera\tCamera\t-\n") << body;

    // The key lands in A's motion, past its plug-in: A stands at (1, 2, 3)
    // at frame 30, 14 squared from B at the origin.
    RunResult key = runProgram(QUORVEL_SCENE, {"key", "s.lws", "A", "--frame", "30", "--position",
                                               "1", "2", "3"},
                               directory.root());
    EXPECT_EQ(key.status, 0) << body << key.err;
    RunResult bake = runQuorvel({"--scene", "s.lws", "--item", "A", "--target", "B",
                                 "--last-frame", "31", "--step", "30", "--output", "out.env"},
                                directory.root());
    EXPECT_EQ(bake.status, 0) << body << bake.err;
    EXPECT_THAT(bake.out, HasSubstr("2 keys, distance 2.000000 to 3.741657")) << body;
  }
}

}  // namespace
