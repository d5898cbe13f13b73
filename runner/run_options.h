// The command line of quorvel-run, parsed into a plain record. Each option
// stands for what a user would do in the module's open panel, or for what
// the host would answer; what is not given keeps the panel's default.

#ifndef QUORVEL_RUNNER_RUN_OPTIONS_H_
#define QUORVEL_RUNNER_RUN_OPTIONS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "command/command.h"

// One pair asked for by --pair ITEM TARGET or --pair-camera ITEM.
struct PairRequest {
  std::string item;
  std::optional<std::string> target;  // none: the scene's first camera (--pair-camera)
  std::string typed;                  // the option as typed, for messages: "--pair Ball Desk"
};

struct RunOptions {
  std::string modulePath;                 // empty: found as findModuleFile says
  std::string scenePath;                  // empty: the built-in demo scene; "-": standard input
  std::optional<std::string> item;        // chosen in the "Item" list
  std::optional<std::string> target;      // chosen in the "Target" list
  bool camera = false;                    // "Camera" chosen as the target kind
  std::optional<std::int32_t> lastFrame;  // typed into "Max Frame"
  std::optional<std::int32_t> frameStep;  // typed into "Frame Step"
  std::optional<std::string> output;      // typed into "env_name"
  bool cancel = false;                    // the panel is closed with Cancel
  std::string envelopesDirectory = ".";   // what "Directory Info" answers for "Envelopes"
  bool listItems = false;                 // print the scene's items and stop
  bool verbose = false;                   // the listing shows parents and exactness too
  bool keyedOnly = false;                 // bake an item not exact from its keyed motion
  std::string plotPath;                   // empty: no plot
  bool progress = false;                  // --progress: show a long bake's progress
  bool noProgress = false;                // --no-progress: never show it (neither: if a terminal)
  bool sceneRate = false;                 // the host's clock runs at the scene's frames a second
  bool quiet = false;                     // print nothing on success
  // Several bakes in one run, one per pair, in the order typed (--pair and
  // --pair-camera mixed); each envelope goes to pairsDirectory, named by
  // pairFileNames. Empty: one bake, as above.
  std::vector<PairRequest> pairs;
  std::optional<std::string> pairsDirectory;  // --output-dir; none: the envelopes directory
  std::string tablePath;                      // --table; empty: no table; "-": standard output
  std::optional<double> reduceTolerance;      // --reduce; none: every key the module wrote
};

// Whether the run bakes several pairs (--pair or --pair-camera given).
inline bool bakesPairs(const RunOptions& options) {
  return !options.pairs.empty();
}

// The last frame and the step the panel will hold: as typed, else the
// panel's defaults.
inline std::int32_t panelLastFrame(const RunOptions& options) {
  return options.lastFrame.value_or(PANEL_LAST_FRAME);
}
inline std::int32_t panelFrameStep(const RunOptions& options) {
  return options.frameStep.value_or(PANEL_FRAME_STEP);
}

// Whether the module will bake: the panel is not cancelled and its step is
// 1 or more.
inline bool bakes(const RunOptions& options) {
  return !options.cancel && panelFrameStep(options) >= 1;
}

// Whether to go on after parsing, and if not, the status to exit with.
struct ParseOutcome {
  bool run = false;
  int exitStatus = 0;
};

// Parses argv into `options`; what the options ask together is checked
// afterwards, by validateRunOptions. --help and --version print to standard
// output and end with status 0. A command line of no argument at all prints
// what the program does and how to start to standard error and ends with
// EXIT_RUNNER_FAILED, having done nothing. A malformed command line, or a
// path option given an empty path, prints the problem to standard error,
// beginning "quorvel-run: " and ending with what to do instead, and ends
// with EXIT_RUNNER_FAILED.
ParseOutcome parseRunOptions(int argc, const char* const* argv, RunOptions* options);

#endif  // QUORVEL_RUNNER_RUN_OPTIONS_H_
