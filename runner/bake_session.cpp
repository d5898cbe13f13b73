#include "runner/bake_session.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <vector>

#include "envelope/envelope.h"
#include "platform/platform.h"
#include "runner/envelope_size.h"
#include "runner/exact_bake.h"
#include "runner/exit_status.h"
#include "runner/item_choice.h"
#include "runner/module_run.h"
#include "runner/option_checks.h"
#include "runner/output_checks.h"
#include "runner/pair_bakes.h"
#include "runner/run_report.h"
#include "runner/same_files.h"
#include "runner/scene_clock.h"

namespace {

// The name of what the module measured to: the chosen target, or the scene's
// first camera when "Camera" was chosen.
std::string targetName(const RunScene& scene, const RunOptions& options, const ItemChoice& choice) {
  if (options.camera) return scene.camera() ? scene.items()[*scene.camera()].name : "the camera";
  return scene.items()[*choice.target].name;
}

// Reads the written envelope back, key by key, prints its summary and draws
// the plot when asked (reading it a second time, so that the chart's axes
// are known before its points are gathered).
int reportEnvelope(const std::string& path, const RunScene& scene, const RunOptions& options,
                   const ItemChoice& choice, const std::string& note) {
  EnvelopeSummary summary;
  std::string error;
  if (!readEnvelopeFile(
          path, [&](const EnvelopeKey& key) { summary.add(key); }, &error)) {
    return reportFailure(error);
  }
  if (!options.quiet) {
    std::fprintf(reportStream(options), "%s%s\n", envelopeSummaryLine(path, summary).c_str(),
                 note.c_str());
  }
  if (options.plotPath.empty()) return 0;
  DistanceChart chart(summary);
  if (!readEnvelopeFile(
          path, [&](const EnvelopeKey& key) { chart.add(key); }, &error)) {
    return reportFailure(error);
  }
  std::string svg =
      chart.svg(scene.items()[choice.item].name, targetName(scene, options, choice), path);
  if (!writePlotFile(options.plotPath, svg, &error)) return reportFailure(error);
  if (!options.quiet) std::fprintf(reportStream(options), "plot: %s\n", options.plotPath.c_str());
  return 0;
}

// What the summary line adds for a reduced envelope.
std::string reductionNote(const EnvelopeReduction& counts, double tolerance) {
  char number[32];
  auto written = std::to_chars(number, number + sizeof number, tolerance);
  return " (reduced from " + std::to_string(counts.keysBefore) + " keys within " +
         std::string(number, written.ptr) + ")";
}

// Rewrites the envelope with fewer keys when --reduce asks, whole or not at
// all; an interrupt meanwhile ends the run once it is done. Sets `note` to
// what the summary says of it. Returns the exit status.
int reduceWhenAsked(const RunOptions& options, const std::string& envelopePath, std::string* note) {
  if (!options.reduceTolerance) return 0;
  EnvelopeReduction counts;
  std::string error;
  bool reduced = reduceEnvelopeFile(envelopePath, *options.reduceTolerance, &counts, &error);
  if (!reduced) return reportFailure(error);
  if (platform::interrupted()) return reportInterrupted();
  *note = reductionNote(counts, *options.reduceTolerance);
  return 0;
}

// A bake that has passed every check: what the panel is to be answered,
// the items chosen, the envelope it writes and the warnings to print first.
struct CheckedBake {
  RunOptions options;
  ItemChoice choice;
  std::string envelopePath;
  std::vector<std::string> warnings;
};

// The item measured to: the chosen target, or the first camera with --camera.
const scene_eval::ItemSpec& measuredTarget(const RunScene& scene, const RunOptions& options,
                                           const ItemChoice& choice) {
  return scene.items()[options.camera ? *scene.camera() : *choice.target];
}

// The items a bake measures: the chosen item, and the chosen target or,
// with --camera, the scene's first camera.
std::vector<std::size_t> measuredItems(const RunScene& scene, const RunOptions& options,
                                       const ItemChoice& choice) {
  std::vector<std::size_t> measured = {choice.item};
  std::optional<std::size_t> target = options.camera ? scene.camera() : choice.target;
  if (target) measured.push_back(*target);
  return measured;
}

// Chooses the items of a bake and reads their motions and those of the
// items they hang from; the other items' motions are not read. An item that
// is chosen when its target cannot be is read all the same, so that its
// motion's refusal comes first, as when every motion was read.
bool chooseMeasuredItems(RunScene* scene, const RunOptions& options, ItemChoice* choice,
                         std::string* error) {
  const std::size_t unchosen = scene->items().size();
  choice->item = unchosen;
  if (!chooseItems(*scene, options, choice, error)) {
    if (choice->item != unchosen) scene->evaluate({choice->item}, error);
    return false;
  }
  return scene->evaluate(measuredItems(*scene, options, *choice), error);
}

// The checks of one bake, all made before anything is written: its items,
// its contradictions, its files, its exactness and its room (its options
// alone are validateRunOptions's, and the run's table is checked once for
// all its bakes). False with `error` set at the
// first that fails.
bool checkBake(Session* session, const RunOptions& options, CheckedBake* checked,
               std::string* error) {
  const RunScene& scene = session->scene;
  checked->options = options;
  checked->envelopePath = envelopePath(options);
  if (!chooseMeasuredItems(&session->scene, options, &checked->choice, error) ||
      !checkContradictions(options, scene, checked->choice, error) ||
      !checkDistinctFiles(runFiles(options, checked->envelopePath, session->modulePath), error) ||
      (bakes(options) &&
       !checkOutputsWritable(checked->envelopePath, options.plotPath, error))) {
    return false;
  }
  if (!bakes(options)) return true;
  if (!checkExactBake(scene, options, checked->choice, &checked->warnings, error)) return false;
  if (readableBack(checked->envelopePath) &&
      !envelopeFits(checked->envelopePath, panelLastFrame(options), panelFrameStep(options), error)) {
    return false;
  }
  std::string rateWarning = frameRateWarning(session->timing.framesPerSecond);
  if (!options.sceneRate && !rateWarning.empty()) checked->warnings.push_back(rateWarning);
  return true;
}

// Adds the rows of a written envelope to the run's table when one is asked
// for, beginning it at the first. Returns the exit status.
int addToTable(Session* session, const CheckedBake& checked) {
  const RunOptions& options = checked.options;
  if (options.tablePath.empty()) return 0;
  std::string error;
  double framesPerSecond =
      options.sceneRate ? session->timing.framesPerSecond : MODULE_FRAMES_PER_SECOND;
  if (!session->tableBegun && !session->table.begin(options.tablePath, framesPerSecond, &error)) {
    return reportFailure(error);
  }
  session->tableBegun = true;
  const RunScene& scene = session->scene;
  const scene_eval::ItemSpec& item = scene.items()[checked.choice.item];
  const scene_eval::ItemSpec& target = measuredTarget(scene, options, checked.choice);
  BakedPair pair = {item.name, target.name, item.worldPosition, target.worldPosition,
                    checked.envelopePath};
  if (!session->table.add(pair, &error)) return reportFailure(error);
  return 0;
}

// Runs one checked bake: its warnings (those not printed before in the run),
// the module's activation, then for a written envelope its table rows
// (every key the module wrote), its reduction and its summary. Returns the
// exit status.
int runBake(Session* session, const CheckedBake& checked) {
  const RunOptions& options = checked.options;
  if (!options.quiet) {
    for (const std::string& warning : checked.warnings) {
      if (!session->warned.insert(warning).second) continue;
      std::fprintf(stderr, "quorvel-run: warning: %s\n", warning.c_str());
    }
  }
  double framesPerSecond = session->timing.framesPerSecond;
  bool written = false;
  int status = runModule(&session->module, session->scene, options, checked.choice,
                         checked.envelopePath, framesPerSecond, &written);
  if (!written) return status;
  if (int tableStatus = addToTable(session, checked)) return tableStatus;
  if (platform::interrupted()) return reportInterrupted();
  std::string reduction;
  if (int reduceStatus = reduceWhenAsked(options, checked.envelopePath, &reduction)) {
    return reduceStatus;
  }
  return reportEnvelope(checked.envelopePath, session->scene, options, checked.choice,
                        reduction + clockNote(framesPerSecond, options.sceneRate));
}

// Runs the checked bakes in order, stopping at an interrupt: the module is
// loaded once, then the table is finished when one was begun. Returns the
// worst exit status of them.
int runBakes(Session* session, const std::vector<CheckedBake>& checked) {
  std::string error;
  if (!session->module.load(session->modulePath, &error)) return reportFailure(error);
  int worst = 0;
  for (const CheckedBake& one : checked) {
    if (platform::interrupted()) return reportInterrupted();
    int status = runBake(session, one);
    if (status == EXIT_INTERRUPTED) return status;
    worst = std::max(worst, status);
  }
  if (!session->tableBegun) return worst;
  if (!session->table.finish(&error)) return std::max(worst, reportFailure(error));
  if (platform::interrupted()) return reportInterrupted();
  const RunOptions& options = checked.front().options;
  if (!options.quiet && options.tablePath != "-") {
    std::printf("table: %s\n", options.tablePath.c_str());
  }
  return worst;
}

// Prints every refusal of a run, one line each; the exit status.
int refuseAll(const std::vector<std::string>& refusals) {
  for (const std::string& refusal : refusals) reportFailure(refusal);
  return EXIT_RUNNER_FAILED;
}

}  // namespace

int bakePairs(Session* session, const RunOptions& options) {
  std::vector<std::string> refusals;
  std::vector<PairBake> pairs = resolvePairs(session->scene, options, &refusals);
  if (!refusals.empty()) return refuseAll(refusals);
  PairDirectory directory;
  std::string error;
  if (!directory.prepare(options, &error)) return reportFailure(error);
  std::vector<CheckedBake> checked;
  for (const PairBake& pair : pairs) {
    CheckedBake one;
    RunOptions pairOptions = pairBakeOptions(options, pair, directory.path());
    if (!validateRunOptions(pairOptions, &error) || !checkBake(session, pairOptions, &one, &error)) {
      refusals.push_back(pair.request.typed + ": " + error);
      error.clear();
    }
    checked.push_back(one);
  }
  if (!refusals.empty()) {
    directory.abandon();
    return refuseAll(refusals);
  }
  if (directory.made() && !options.quiet) {
    std::fprintf(reportStream(options), "made the directory %s for the envelopes\n",
                 directory.path().c_str());
  }
  return runBakes(session, checked);
}

int bakeOne(Session* session, const RunOptions& options) {
  CheckedBake checked;
  std::string error;
  if (!checkBake(session, options, &checked, &error)) return reportFailure(error);
  return runBakes(session, {checked});
}

