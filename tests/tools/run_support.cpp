#include "tests/tools/run_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

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

StartedProgram::StartedProgram(const std::string& program,
                               const std::vector<std::string>& arguments,
                               const std::filesystem::path& workDirectory) {
  std::string outPath = capture_.path("stdout");
  std::string errPath = capture_.path("stderr");
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

  pid_t child = 0;
  int spawnError = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawnError != 0) {
    ADD_FAILURE() << "cannot start " << program;
    return;
  }
  child_ = child;
}

StartedProgram::~StartedProgram() {
  if (child_ >= 0) wait(0);
}

void StartedProgram::signal(int signalNumber) {
  if (child_ >= 0) kill(child_, signalNumber);
}

RunResult StartedProgram::wait(double seconds) {
  RunResult result;
  if (child_ < 0) return result;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  int waitStatus = 0;
  pid_t ended = 0;
  while ((ended = waitpid(child_, &waitStatus, WNOHANG)) == 0 &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (ended == 0) {
    ADD_FAILURE() << "the program did not end within " << seconds << " s";
    kill(child_, SIGKILL);
    waitpid(child_, &waitStatus, 0);
  } else if (ended == child_ && WIFEXITED(waitStatus)) {
    result.status = WEXITSTATUS(waitStatus);
  }
  child_ = -1;
  result.out = readFile(capture_.path("stdout"));
  result.err = readFile(capture_.path("stderr"));
  return result;
}

RunResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::filesystem::path& workDirectory) {
  constexpr double LONGEST_RUN_SECONDS = 120;
  return StartedProgram(program, arguments, workDirectory).wait(LONGEST_RUN_SECONDS);
}

RunResult runQuorvel(const std::vector<std::string>& arguments,
                     const std::filesystem::path& workDirectory) {
  return runProgram(QUORVEL_RUN, arguments, workDirectory);
}

std::unique_ptr<StartedProgram> startQuorvel(const std::vector<std::string>& arguments,
                                             const std::filesystem::path& workDirectory) {
  return std::make_unique<StartedProgram>(QUORVEL_RUN, arguments, workDirectory);
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
