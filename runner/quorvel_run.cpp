// quorvel-run: runs the Quorvel module headless. It loads the module file,
// serves it a scene through the stand-in host, answers the options panel as
// the command line says, and reports what the module wrote.

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "envelope/envelope.h"
#include "hostsim/hostsim.h"
#include "platform/platform.h"
#include "runner/bake_progress.h"
#include "runner/bake_table.h"
#include "runner/envelope_size.h"
#include "runner/exact_bake.h"
#include "runner/exit_status.h"
#include "runner/item_choice.h"
#include "runner/module_loader.h"
#include "runner/option_checks.h"
#include "runner/output_checks.h"
#include "runner/pair_bakes.h"
#include "runner/panel_script.h"
#include "runner/run_options.h"
#include "runner/run_scene.h"
#include "runner/same_files.h"
#include "runner/scene_clock.h"
#include "runner/scene_reading.h"

namespace {

constexpr char ENVELOPES_DIRECTORY_KIND[] = "Envelopes";
constexpr char DEFAULT_ENVELOPE_NAME[] = "quorvel.env";
// The activation's results: 0 done, 1 wrong version, 2 a service missing.
constexpr std::int32_t LARGEST_ACTIVATION_RESULT = 2;
// The panel holds a path of at most this many bytes.
constexpr std::size_t LONGEST_PATH = 255;
// What the panel holds when the user types nothing.
constexpr std::int32_t PANEL_LAST_FRAME = 60;
constexpr std::int32_t PANEL_FRAME_STEP = 1;
// The module asks the host for two positions per key.
constexpr std::uint64_t CALLS_PER_KEY = 2;
// The progress line is looked at once per this many itemParam calls.
constexpr std::uint64_t CALLS_PER_PROGRESS_UPDATE = 1024;

// Where the run's report goes: standard output, unless the table does.
std::FILE* reportStream(const RunOptions& options) {
  return options.tablePath == "-" ? stderr : stdout;
}

int reportInterrupted() {
  std::fprintf(stderr, "quorvel-run: interrupted\n");
  return EXIT_INTERRUPTED;
}

int fail(const std::string& error) {
  std::fprintf(stderr, "quorvel-run: %s\n", error.c_str());
  return EXIT_RUNNER_FAILED;
}

// Anything but a device: what the module writes there can be read back. A
// device such as /dev/null is written through and reads back as something
// else.
bool readableBack(const std::string& path) { return !platform::namesADevice(path); }

// The file the module will write: the typed output, or the panel's default
// in the envelopes directory. False when the panel could not hold it, when
// it opens only with a reader, or when no plot could be drawn of it.
bool envelopePathFor(const RunOptions& options, std::string* path, std::string* error) {
  *path = options.output ? *options.output
                         : options.envelopesDirectory + "/" + DEFAULT_ENVELOPE_NAME;
  if (path->size() > LONGEST_PATH) {
    *error = "the envelope path " + *path + " is longer than the panel's " +
             std::to_string(LONGEST_PATH) + " bytes";
  } else if (platform::opensOnlyWithAReader(*path)) {
    *error = "the envelope path " + *path + " is a pipe or socket, not a file";
  } else if (!options.plotPath.empty() && !readableBack(*path)) {
    *error = "--plot: the envelope path " + *path +
             " is not a regular file, so it cannot be read back to draw";
  }
  return error->empty();
}

// The step the panel will hold; a bake happens only for a step of 1 or more.
std::int32_t frameStep(const RunOptions& options) {
  return options.frameStep.value_or(PANEL_FRAME_STEP);
}
std::int32_t lastFrame(const RunOptions& options) {
  return options.lastFrame.value_or(PANEL_LAST_FRAME);
}
bool bakes(const RunOptions& options) { return !options.cancel && frameStep(options) >= 1; }

// The keys the module is about to write; 0 when it will not bake.
std::uint64_t keysToBake(const RunOptions& options) {
  return bakes(options) ? envelopeKeyCount(lastFrame(options), frameStep(options)) : 0;
}

// Puts the scene's items into the host, on the scene's clock when asked;
// their ids, in the scene's order.
std::vector<ItemId> addItems(hostsim::HostSim* host, const RunScene& scene,
                             const RunOptions& options, double framesPerSecond) {
  std::vector<ItemId> ids;
  for (const scene_eval::ItemSpec& item : scene.items()) {
    ids.push_back(host->addItem(options.sceneRate ? onSceneClock(item, framesPerSecond) : item));
  }
  return ids;
}

// The name of what the module measured to: the chosen target, or the scene's
// first camera when "Camera" was chosen.
std::string targetName(const RunScene& scene, const RunOptions& options, const ItemChoice& choice) {
  if (options.camera) return scene.camera() ? scene.items()[*scene.camera()].name : "the camera";
  return scene.items()[*choice.target].name;
}

void reportMessages(const std::vector<hostsim::Message>& messages) {
  for (const hostsim::Message& message : messages) {
    std::fprintf(stderr, "Quorvel message: %s\n", message.line1.c_str());
    if (message.line2) std::fprintf(stderr, "                 %s\n", message.line2->c_str());
  }
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
    return fail(error);
  }
  if (!options.quiet) {
    std::fprintf(reportStream(options), "%s%s\n", envelopeSummaryLine(path, summary).c_str(),
                 note.c_str());
  }
  if (options.plotPath.empty()) return 0;
  DistanceChart chart(summary);
  if (!readEnvelopeFile(
          path, [&](const EnvelopeKey& key) { chart.add(key); }, &error)) {
    return fail(error);
  }
  std::string svg =
      chart.svg(scene.items()[choice.item].name, targetName(scene, options, choice), path);
  if (!writePlotFile(options.plotPath, svg, &error)) return fail(error);
  if (!options.quiet) std::fprintf(reportStream(options), "plot: %s\n", options.plotPath.c_str());
  return 0;
}

// Runs the activation. Once interrupted (the run catches interrupts), the
// host answers positions that are not finite, so that the module ends its
// write at its next sample and leaves the old envelope alone. The progress
// line counts the position queries.
std::int32_t activateWatched(LoadedModule* module, hostsim::HostSim* host,
                             const RunOptions& options) {
  bool shown = !options.quiet && options.progress.value_or(platform::standardErrorIsTerminal());
  BakeProgress progress(keysToBake(options), shown, platform::standardErrorColumns(),
                        standardErrorWriter(), steadySeconds());
  host->observeItemParam([&](std::uint64_t calls) {
    if (platform::interrupted()) host->answerNonFinitePositions();
    if (calls % CALLS_PER_PROGRESS_UPDATE == 0) progress.update(calls / CALLS_PER_KEY);
  });
  std::int32_t result = module->activate(hostsim::HostSim::lookup());
  host->observeItemParam(nullptr);
  progress.finish();
  return result;
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
  if (!reduced) return fail(error);
  if (platform::interrupted()) return reportInterrupted();
  *note = reductionNote(counts, *options.reduceTolerance);
  return 0;
}

// Activates the module once on the scene, which plays `framesPerSecond`,
// with the panel answered as `options` says. Returns the exit status, and
// sets `written` when an envelope was written that can be read back, for
// the caller to report.
int runModule(LoadedModule* module, const RunScene& scene, const RunOptions& options,
              const ItemChoice& choice, const std::string& envelopePath, double framesPerSecond,
              bool* written) {
  hostsim::HostSim host;
  host.logCalls(false);  // a bake's memory must not grow with its keys
  host.setDirectory(ENVELOPES_DIRECTORY_KIND, options.envelopesDirectory);
  std::vector<ItemId> ids = addItems(&host, scene, options, framesPerSecond);
  host.scriptUser(panelScript(options, ids[choice.item], choice.target ? ids[*choice.target] : 0));

  bool readBack = readableBack(envelopePath);
  platform::FileStamp before = platform::stampFile(envelopePath);
  std::int32_t result = activateWatched(module, &host, options);
  if (platform::interrupted()) return reportInterrupted();
  reportMessages(host.messages());
  if (result < 0 || result > LARGEST_ACTIVATION_RESULT) {
    return fail("the module's activation returned " + std::to_string(result) +
                ", which no host knows");
  }
  if (result != 0) return result;
  if (!host.messages().empty()) {
    std::string note = moduleWriteFailureNote(host.messages(), envelopePath);
    if (!note.empty()) std::fprintf(stderr, "quorvel-run: %s\n", note.c_str());
    return EXIT_MODULE_MESSAGE;
  }
  if (options.cancel) return 0;
  bool noCamera = options.camera && !scene.camera();
  if (noCamera || (readBack && !platform::fileWrittenSince(before, envelopePath))) {
    std::fprintf(stderr, "quorvel-run: the module wrote no envelope%s\n",
                 noCamera ? " (the scene has no camera)" : "");
    return 0;
  }
  std::string clock = clockNote(framesPerSecond, options.sceneRate);
  if (!readBack) {
    std::uint64_t keys = keysToBake(options);
    if (options.quiet) return 0;
    std::fprintf(reportStream(options),
                 "%s: %llu %s written; not a regular file, so not read back%s\n",
                 envelopePath.c_str(), static_cast<unsigned long long>(keys),
                 keys == 1 ? "key" : "keys", clock.c_str());
    return 0;
  }
  *written = true;
  return 0;
}

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
// its contradictions, its files, its exactness and its room (the run's
// table is checked once for all its bakes). False with `error` set at the
// first that fails.
bool checkBake(Session* session, const RunOptions& options, CheckedBake* checked,
               std::string* error) {
  const RunScene& scene = session->scene;
  checked->options = options;
  if (!chooseMeasuredItems(&session->scene, options, &checked->choice, error) ||
      !checkContradictions(options, scene, checked->choice, error) ||
      !envelopePathFor(options, &checked->envelopePath, error) ||
      !checkDistinctFiles(runFiles(options, checked->envelopePath, session->modulePath), error) ||
      (bakes(options) &&
       !checkOutputsWritable(checked->envelopePath, options.plotPath, error))) {
    return false;
  }
  if (!bakes(options)) return true;
  if (!checkExactBake(scene, options, checked->choice, &checked->warnings, error)) return false;
  if (readableBack(checked->envelopePath) &&
      !envelopeFits(checked->envelopePath, lastFrame(options), frameStep(options), error)) {
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
    return fail(error);
  }
  session->tableBegun = true;
  const RunScene& scene = session->scene;
  const scene_eval::ItemSpec& item = scene.items()[checked.choice.item];
  const scene_eval::ItemSpec& target = measuredTarget(scene, options, checked.choice);
  BakedPair pair = {item.name, target.name, item.worldPosition, target.worldPosition,
                    checked.envelopePath};
  if (!session->table.add(pair, &error)) return fail(error);
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
  if (!session->module.load(session->modulePath, &error)) return fail(error);
  int worst = 0;
  for (const CheckedBake& one : checked) {
    if (platform::interrupted()) return reportInterrupted();
    int status = runBake(session, one);
    if (status == EXIT_INTERRUPTED) return status;
    worst = std::max(worst, status);
  }
  if (!session->tableBegun) return worst;
  if (!session->table.finish(&error)) return std::max(worst, fail(error));
  if (platform::interrupted()) return reportInterrupted();
  const RunOptions& options = checked.front().options;
  if (!options.quiet && options.tablePath != "-") {
    std::printf("table: %s\n", options.tablePath.c_str());
  }
  return worst;
}

// Prints every refusal of a run, one line each; the exit status.
int refuseAll(const std::vector<std::string>& refusals) {
  for (const std::string& refusal : refusals) fail(refusal);
  return EXIT_RUNNER_FAILED;
}

// The run's pairs, checked as a whole before the first bake; the directory
// of their envelopes made when missing (and taken away again when a check
// refuses). Returns the exit status.
int bakePairs(Session* session, const RunOptions& options) {
  std::vector<std::string> refusals;
  std::vector<PairBake> pairs = resolvePairs(session->scene, options, &refusals);
  if (!refusals.empty()) return refuseAll(refusals);
  PairDirectory directory;
  std::string error;
  if (!directory.prepare(options, &error)) return fail(error);
  std::vector<CheckedBake> checked;
  for (const PairBake& pair : pairs) {
    CheckedBake one;
    RunOptions pairOptions = pairBakeOptions(options, pair, directory.path());
    if (!checkBake(session, pairOptions, &one, &error)) {
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

// The run's one bake, checked before anything is written. Returns the exit
// status.
int bakeOne(Session* session, const RunOptions& options) {
  CheckedBake checked;
  std::string error;
  if (!checkBake(session, options, &checked, &error)) return fail(error);
  return runBakes(session, {checked});
}

int run(const RunOptions& given, const char* argv0) {
  std::string error;
  Session session;
  RunScene& scene = session.scene;
  RunScene::Detail detail = !given.listItems ? RunScene::Detail::Positions
                            : given.verbose  ? RunScene::Detail::Structure
                                             : RunScene::Detail::Names;
  if (!checkPairOptions(given, &error)) return fail(error);
  if (!scene.load(given.scenePath, detail, &error)) return fail(error);
  if (given.listItems) {
    std::fputs((given.verbose ? scene.verboseListing() : scene.listing()).c_str(), stdout);
    return 0;
  }
  RunOptions options = given;
  if (!options.scenePath.empty() &&
      (!scene.timing(&session.timing, &error) ||
       !takeScenesLastFrame(session.timing, scene.sourceName(), &options, &error))) {
    return fail(error);
  }
  session.modulePath = options.modulePath.empty() ? defaultModulePath(argv0) : options.modulePath;
  if (!checkTableWritable(options.tablePath, &error)) return fail(error);
  // From here on Ctrl-C only asks the run to stop where no file is left half
  // written: within the module's write, between bakes, or after a file is
  // replaced whole.
  platform::catchInterrupts();
  int status = bakesPairs(options) ? bakePairs(&session, options) : bakeOne(&session, options);
  platform::releaseInterrupts();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  RunOptions options;
  ParseOutcome parsed = parseRunOptions(argc, argv, &options);
  if (!parsed.run) return parsed.exitStatus;
  return run(options, argc > 0 ? argv[0] : nullptr);
}
