// Helpers for the tests that run the built quorvel-run as a program: a
// scratch directory, the run itself with its output captured, and scene
// texts built from a few lines each.

#ifndef QUORVEL_TESTS_SUPPORT_RUN_SUPPORT_H_
#define QUORVEL_TESTS_SUPPORT_RUN_SUPPORT_H_

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/test_platform.h"

// What a program that ended left. Its standard output and error are given as
// the program wrote them: on Windows, where the C runtime writes "\r\n" for
// each "\n" it is given, that translation is undone, and a line end the
// translation cannot have written fails the test.
struct RunResult {
  int status = -1;  // the exit status; -1 when the program did not exit normally
  std::string out;  // standard output
  std::string err;  // standard error
};

// A program started with its output captured, to be waited for. Killed and
// waited for when the object goes and it still runs.
class StartedProgram {
 public:
  // An `interruptible` program can be sent interrupt(): on Windows it shares
  // a console that this process makes for it, once. The program reads the
  // file at `inputPath` as its standard input; when that is empty, it
  // inherits this process's on POSIX and reads NUL on Windows.
  StartedProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const std::filesystem::path& workDirectory, bool interruptible,
                 const std::string& inputPath = "");
  ~StartedProgram();
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  // Sends the program what Ctrl-C in its terminal sends: SIGINT on POSIX;
  // on Windows the Ctrl-C event of the console it shares with this process,
  // which this process itself takes no notice of. REQUIRES an interruptible
  // program.
  void interrupt();
  // Waits for the program to end, and kills it (status -1) if it has not
  // ended within `seconds`, so that a hang fails a test instead of hanging it.
  RunResult wait(double seconds);

 private:
  ScratchDirectory capture_;
  // The program: its process id on POSIX, its process handle on Windows; -1
  // once waited for or never started. One file per platform starts, signals
  // and waits (run_support_posix.cpp, run_support_windows.cpp).
  std::intptr_t child_ = -1;
};

// Runs `program` with `arguments` in the directory `workDirectory`, its
// standard input as StartedProgram takes `inputPath`, and waits for it to
// end.
RunResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::filesystem::path& workDirectory,
                     const std::string& inputPath = "");

// Runs the built quorvel-run.
RunResult runQuorvel(const std::vector<std::string>& arguments,
                     const std::filesystem::path& workDirectory,
                     const std::string& inputPath = "");
// Starts the built quorvel-run, interruptible.
std::unique_ptr<StartedProgram> startQuorvel(const std::vector<std::string>& arguments,
                                             const std::filesystem::path& workDirectory);

// One motion key of a scene's object: position and frame, linear or not.
struct SceneKey {
  double x;
  double y;
  double z;
  int frame;
  int linear;
};

// A null object's block: "AddNullObject NAME" and a motion of `keys`.
std::string nullObject(const std::string& name, const std::vector<SceneKey>& keys);
// A null object standing still at (x, y, z).
std::string staticNull(const std::string& name, double x, double y, double z);

// A whole scene file: the objects given, then ambient settings and a camera
// standing at (0, 0, -4).
std::string sceneWith(const std::vector<std::string>& objects);

#endif  // QUORVEL_TESTS_SUPPORT_RUN_SUPPORT_H_
