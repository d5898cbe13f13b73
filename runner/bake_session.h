// The bakes of one run of quorvel-run: every bake checked before the first
// is made, then made in order with the module loaded once, each envelope
// reported (reduced, tabled and plotted when asked).

#ifndef QUORVEL_RUNNER_BAKE_SESSION_H_
#define QUORVEL_RUNNER_BAKE_SESSION_H_

#include <set>
#include <string>

#include "runner/bake_table.h"
#include "runner/module_loader.h"
#include "runner/run_options.h"
#include "runner/run_scene.h"
#include "scene_eval/scene_eval.h"

// What every bake of one run shares: the scene and its timing, the module
// (loaded once every bake has passed its checks), and the table of the
// run, begun at the first envelope written.
struct Session {
  RunScene scene;
  scene_eval::SceneTiming timing;
  std::string modulePath;
  LoadedModule module;
  BakeTable table;
  bool tableBegun = false;
  std::set<std::string> warned;  // each warning is printed once a run, not once a pair
};

// The run's one bake. Checks it before anything is written (its items,
// contradictions, files, exactness and room), then loads the module from
// session->modulePath, bakes, and reports the envelope on the report stream
// (unless --quiet): its summary line, with its reduction and clock, then
// the plot and the table. Prints every failure on standard error. Returns
// the exit status; EXIT_INTERRUPTED after an interrupt, which counts once
// the run catches them (platform::catchInterrupts). REQUIRES a session whose
// scene is loaded with positions and whose timing is read, and options
// validated (validateRunOptions) that ask one bake.
int bakeOne(Session* session, const RunOptions& options);

// The run's pairs (--pair, --pair-camera), as bakeOne bakes one, but every
// pair checked as a whole before the first bake, each refusal printed with
// the pair as typed; the directory of their envelopes made when missing
// (and taken away again when a check refuses). Returns the worst exit
// status of the pairs. REQUIRES as bakeOne, options that ask for pairs.
int bakePairs(Session* session, const RunOptions& options);

#endif  // QUORVEL_RUNNER_BAKE_SESSION_H_
