// Programs started the POSIX way: posix_spawn with the output going to
// files, signals, waitpid.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "tests/support/run_support.h"

extern char** environ;

StartedProgram::StartedProgram(const std::string& program,
                               const std::vector<std::string>& arguments,
                               const std::filesystem::path& workDirectory, bool,
                               const std::string& inputPath) {
  std::string outPath = capture_.path("stdout");
  std::string errPath = capture_.path("stderr");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!inputPath.empty()) {
    posix_spawn_file_actions_addopen(&actions, 0, inputPath.c_str(), O_RDONLY, 0);
  }
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

void StartedProgram::interrupt() {
  if (child_ >= 0) kill(static_cast<pid_t>(child_), SIGINT);
}

RunResult StartedProgram::wait(double seconds) {
  RunResult result;
  if (child_ < 0) return result;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  int waitStatus = 0;
  pid_t ended = 0;
  while ((ended = waitpid(static_cast<pid_t>(child_), &waitStatus, WNOHANG)) == 0 &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (ended == 0) {
    ADD_FAILURE() << "the program did not end within " << seconds << " s";
    kill(static_cast<pid_t>(child_), SIGKILL);
    waitpid(static_cast<pid_t>(child_), &waitStatus, 0);
  } else if (ended == child_ && WIFEXITED(waitStatus)) {
    result.status = WEXITSTATUS(waitStatus);
  }
  child_ = -1;
  result.out = readFile(capture_.path("stdout"));
  result.err = readFile(capture_.path("stderr"));
  return result;
}
