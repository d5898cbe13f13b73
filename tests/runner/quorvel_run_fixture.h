// The fixture of the tests that run quorvel-run on a scene file of their
// own: a scratch directory to run in, and two still nulls to measure.

#ifndef QUORVEL_TESTS_RUNNER_QUORVEL_RUN_FIXTURE_H_
#define QUORVEL_TESTS_RUNNER_QUORVEL_RUN_FIXTURE_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/run_support.h"

// Two nulls standing 5 apart: "Origin" at (0, 0, 0) and "Corner" at (3, 4, 0).
inline std::string twoStaticNulls() {
  return sceneWith({staticNull("Origin", 0, 0, 0), staticNull("Corner", 3, 4, 0)});
}

// `text` in lower case, to match the system's words whatever case a C
// library gives them.
inline std::string lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

class QuorvelRunTest : public ::testing::Test {
 protected:
  // Writes `sceneText` as scene.lws and runs quorvel-run on it with `arguments`.
  RunResult runOnScene(const std::string& sceneText, std::vector<std::string> arguments) {
    writeFile(directory_.path("scene.lws"), sceneText);
    arguments.insert(arguments.begin(), {"--scene", "scene.lws"});
    return runQuorvel(arguments, directory_.root());
  }
  bool exists(const std::string& name) const {
    return std::filesystem::exists(directory_.path(name));
  }
  std::string read(const std::string& name) const { return readFile(directory_.path(name)); }

  ScratchDirectory directory_;
};

#endif  // QUORVEL_TESTS_RUNNER_QUORVEL_RUN_FIXTURE_H_
