#include "tests/tools/run_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>

extern char** environ;

ScratchDirectory::ScratchDirectory() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "quorvel-run-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) ADD_FAILURE() << "cannot make a temporary directory";
  root_ = pattern;
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

RunResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::filesystem::path& workDirectory) {
  ScratchDirectory capture;
  std::string outPath = capture.path("stdout");
  std::string errPath = capture.path("stderr");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addchdir_np(&actions, workDirectory.c_str());

  std::vector<char*> argv;
  std::string programCopy = program;
  std::vector<std::string> argumentCopies = arguments;
  argv.push_back(programCopy.data());
  for (std::string& argument : argumentCopies) argv.push_back(argument.data());
  argv.push_back(nullptr);

  RunResult result;
  pid_t child = 0;
  int spawnError = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawnError != 0) {
    ADD_FAILURE() << "cannot start " << program;
    return result;
  }
  int waitStatus = 0;
  if (waitpid(child, &waitStatus, 0) == child && WIFEXITED(waitStatus)) {
    result.status = WEXITSTATUS(waitStatus);
  }
  result.out = readFile(outPath);
  result.err = readFile(errPath);
  return result;
}

RunResult runQuorvel(const std::vector<std::string>& arguments,
                     const std::filesystem::path& workDirectory) {
  return runProgram(QUORVEL_RUN, arguments, workDirectory);
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) ADD_FAILURE() << "cannot write " << path;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
