#include "tests/support/run_support.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/test_platform.h"

RunResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::filesystem::path& workDirectory, const std::string& inputPath) {
  constexpr double LONGEST_RUN_SECONDS = 120;
  return StartedProgram(program, arguments, workDirectory, false, inputPath)
      .wait(LONGEST_RUN_SECONDS);
}

RunResult runQuorvel(const std::vector<std::string>& arguments,
                     const std::filesystem::path& workDirectory, const std::string& inputPath) {
  return runProgram(QUORVEL_RUN, arguments, workDirectory, inputPath);
}

std::unique_ptr<StartedProgram> startQuorvel(const std::vector<std::string>& arguments,
                                             const std::filesystem::path& workDirectory) {
  return std::make_unique<StartedProgram>(QUORVEL_RUN, arguments, workDirectory, true);
}

namespace {

std::string keyLines(const SceneKey& key) {
  char text[160];
  std::snprintf(text, sizeof text, "  %g %g %g 0 0 0 1 1 1\n  %d %d 0 0 0\n", key.x, key.y, key.z,
                key.frame, key.linear);
  return text;
}

}  // namespace

std::string nullObject(const std::string& name, const std::vector<SceneKey>& keys) {
  std::string block = "AddNullObject " + name + "\nShowObject 8 7\nObjectMotion (unnamed)\n  9\n";
  block += "  " + std::to_string(keys.size()) + "\n";
  for (const SceneKey& key : keys) block += keyLines(key);
  return block + "EndBehavior 1\nShadowOptions 7\n\n";
}

std::string staticNull(const std::string& name, double x, double y, double z) {
  return nullObject(name, {{x, y, z, 0, 0}});
}

std::string sceneWith(const std::vector<std::string>& objects) {
  std::string scene = "LWSC\n1\n\nFirstFrame 1\nLastFrame 60\nFramesPerSecond 30.000000\n\n";
  for (const std::string& object : objects) scene += object;
  return scene +
         "AmbientColor 255 255 255\nAmbIntensity 0.250000\n\n"
         "ShowCamera 1 7\nCameraMotion (unnamed)\n  9\n  1\n  0 0 -4 0 0 0 1 1 1\n"
         "  0 0 0 0 0\nEndBehavior 1\nZoomFactor 3.200000\n";
}
