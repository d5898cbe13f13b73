#include "runner/module_run.h"

#include <cstdio>
#include <vector>

#include "hostsim/hostsim.h"
#include "platform/platform.h"
#include "runner/bake_progress.h"
#include "runner/envelope_size.h"
#include "runner/exit_status.h"
#include "runner/output_checks.h"
#include "runner/panel_script.h"
#include "runner/run_report.h"
#include "runner/scene_clock.h"

namespace {

constexpr char ENVELOPES_DIRECTORY_KIND[] = "Envelopes";
// The activation's results: 0 done, 1 wrong version, 2 a service missing.
constexpr std::int32_t LARGEST_ACTIVATION_RESULT = 2;
// The module asks the host for two positions per key.
constexpr std::uint64_t CALLS_PER_KEY = 2;
// The progress line is looked at once per this many itemParam calls.
constexpr std::uint64_t CALLS_PER_PROGRESS_UPDATE = 1024;

// The keys the module is about to write; 0 when it will not bake.
std::uint64_t keysToBake(const RunOptions& options) {
  return bakes(options) ? envelopeKeyCount(panelLastFrame(options), panelFrameStep(options)) : 0;
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

void reportMessages(const std::vector<hostsim::Message>& messages) {
  for (const hostsim::Message& message : messages) {
    std::fprintf(stderr, "Quorvel message: %s\n", message.line1.c_str());
    if (message.line2) std::fprintf(stderr, "                 %s\n", message.line2->c_str());
  }
}

// Whether the progress line is shown: unless --quiet, as --progress or
// --no-progress say, else when standard error is a terminal.
bool showsProgress(const RunOptions& options) {
  if (options.quiet || options.noProgress) return false;
  return options.progress || platform::standardErrorIsTerminal();
}

// Runs the activation, interrupts turned into positions that are not
// finite. The progress line counts the position queries.
std::int32_t activateWatched(LoadedModule* module, hostsim::HostSim* host,
                             const RunOptions& options) {
  BakeProgress progress(keysToBake(options), showsProgress(options),
                        platform::standardErrorColumns(), standardErrorWriter(), steadySeconds());
  host->observeItemParam([&](std::uint64_t calls) {
    if (platform::interrupted()) host->answerNonFinitePositions();
    if (calls % CALLS_PER_PROGRESS_UPDATE == 0) progress.update(calls / CALLS_PER_KEY);
  });
  std::int32_t result = module->activate(hostsim::HostSim::lookup());
  host->observeItemParam(nullptr);
  progress.finish();
  return result;
}

}  // namespace

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
    return reportFailure("the module's activation returned " + std::to_string(result) +
                         ", which no host knows");
  }
  if (result != 0) return result;
  if (!host.messages().empty()) {
    std::string note;
    if (moduleWriteFailureNote(host.messages(), envelopePath, &note)) {
      std::fprintf(stderr, "quorvel-run: %s\n", note.c_str());
    }
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
