// quorvel-run: runs the Quorvel module headless. It loads the module file,
// serves it a scene through the stand-in host, answers the options panel as
// the command line says, and reports what the module wrote.

#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "runner/bake_session.h"
#include "runner/module_loader.h"
#include "runner/option_checks.h"
#include "runner/output_checks.h"
#include "runner/run_options.h"
#include "runner/run_report.h"

namespace {

int run(const RunOptions& given, const char* argv0) {
  std::string error;
  Session session;
  RunScene& scene = session.scene;
  RunScene::Detail detail = !given.listItems ? RunScene::Detail::POSITIONS
                            : given.verbose  ? RunScene::Detail::STRUCTURE
                                             : RunScene::Detail::NAMES;
  if (!validateRunOptions(given, &error)) return reportFailure(error);
  if (!scene.load(given.scenePath, detail, &error)) return reportFailure(error);
  if (given.listItems) {
    std::fputs((given.verbose ? scene.verboseListing() : scene.listing()).c_str(), stdout);
    return 0;
  }
  RunOptions options = given;
  if (!options.scenePath.empty() &&
      (!scene.timing(&session.timing, &error) ||
       !takeScenesLastFrame(session.timing, scene.sourceName(), &options, &error))) {
    return reportFailure(error);
  }
  session.modulePath = options.modulePath.empty() ? defaultModulePath(argv0) : options.modulePath;
  if (!checkTableWritable(options.tablePath, &error)) return reportFailure(error);
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
