#include "runner/run_options.h"

#include <CLI/CLI.hpp>

#include "runner/exit_status.h"

namespace {

constexpr char DESCRIPTION[] =
    "Runs the Quorvel module headless: loads the module file, plays the host with the\n"
    "stand-in host on a scene, answers the options panel from the options below, and\n"
    "reports the envelope the module wrote.\n"
    "\n"
    "With no --item and no --target the first two objects of the scene are measured;\n"
    "with only one of them given, the other is the first object not already chosen.\n"
    "Without --scene a built-in demo scene is used: two moving null objects and the\n"
    "camera.\n"
    "With --scene and no --last-frame, frames 0 to the scene's LastFrame are baked (the\n"
    "panel is given LastFrame + 1); the built-in demo scene keeps the panel's 60.\n"
    "The module samples at 30 frames a second whatever the scene's FramesPerSecond; for\n"
    "another rate the runner warns, and --scene-rate serves the scene's frame N as the\n"
    "module's frame N.\n"
    "An item keeps its scene's name; a repeat is \"NAME (N)\", N the least from 2 not taken.\n"
    "\n"
    "Several pairs in one run: --pair ITEM TARGET (and --pair-camera ITEM for an item and\n"
    "the first camera), each as often as wanted. The scene is read once and the module\n"
    "activated once per pair; each envelope is written to DIR/ITEM-TARGET.env (--output-dir;\n"
    "names made safe for file names and distinct), with one summary line per pair. The exit\n"
    "status is the worst of the pairs'; Ctrl-C stops the run, leaving the envelopes already\n"
    "written and no partial one.\n"
    "\n"
    "Exit status: 0, 1 or 2 as the module's activation returned; 3 when the runner\n"
    "itself failed, or refused before writing anything a run whose files are one file,\n"
    "cannot be written or whose options contradict; 4 when the module showed an error\n"
    "message; 130 when interrupted (Ctrl-C) during a bake, which leaves an existing\n"
    "envelope as it was.";

// Fills the record's optional fields from the options that were given.
template <typename Value>
void takeIfGiven(const CLI::Option* option, const Value& value, std::optional<Value>* field) {
  if (option->count() > 0) *field = value;
}

}  // namespace

ParseOutcome parseRunOptions(int argc, const char* const* argv, RunOptions* options) {
  CLI::App app(DESCRIPTION, "quorvel-run");
  app.set_version_flag("--version", std::string("quorvel-run ") + QUORVEL_VERSION);

  std::string item;
  std::string target;
  std::int32_t lastFrame = 0;
  std::int32_t frameStep = 0;
  std::string output;
  std::string pairsDirectory;
  double reduceTolerance = 0;
  app.add_option("--module", options->modulePath,
                 "The module file to load (default: quorvel.p beside this program, else "
                 "../lib/quorvel/quorvel.p from there)")
      ->type_name("FILE");
  CLI::Option* sceneOption =
      app.add_option("--scene", options->scenePath,
                     "The scene file (LWSC) to run on; - reads it from standard input (default: "
                     "the built-in demo scene)")
          ->type_name("FILE");
  CLI::Option* itemOption =
      app.add_option("--item", item, "The item to measure from (default: the first object)")
          ->type_name("NAME");
  CLI::Option* targetOption =
      app.add_option("--target", target, "The item to measure to (default: the second object)")
          ->type_name("NAME");
  app.add_flag("--camera", options->camera,
               "Measure to the scene's first camera (chooses \"Camera\" in the panel)")
      ->excludes(targetOption);
  CLI::Option* lastFrameOption =
      app.add_option("--last-frame", lastFrame,
                     "Sample the frames below this one (default: the scene's LastFrame + 1; the "
                     "panel's 60 for the demo scene)")
          ->type_name("N");
  CLI::Option* stepOption =
      app.add_option("--step", frameStep, "Frames between samples (panel default: 1)")
          ->type_name("N");
  CLI::Option* outputOption =
      app.add_option(
             "--output", output,
             "The envelope file to write (panel default: quorvel.env in the envelopes directory)")
          ->type_name("FILE");
  app.add_flag("--cancel", options->cancel, "Close the panel with Cancel: nothing is written");
  app.add_option("--envelopes-dir", options->envelopesDirectory,
                 "The host's \"Envelopes\" directory (default: the current directory)")
      ->type_name("DIR");
  CLI::Option* listItemsOption =
      app.add_flag("--list-items", options->listItems, "Print the scene's items and exit");
  app.add_flag("--verbose", options->verbose,
               "With --list-items, also give each item's parent and whether its position is "
               "exact: the fields are kind, name, ID, parent (\"-\" for none) and \"exact\" or "
               "what first moves it beyond keyed channels, parents and pivots")
      ->needs(listItemsOption);
  app.add_flag("--keyed-only", options->keyedOnly,
               "Bake an item whose position is not exact anyway, from its keyed channels, "
               "parents and pivots, warning of what is left out. Without it such a bake is "
               "refused (3) naming the file line: an item moved by inverse kinematics, a motion "
               "modifier plug-in or a modifier of a position channel, or hanging from an item "
               "moved by any of these or turned by a rotation controller, a target, a pivot "
               "rotation or a channel modifier. A bone, and an item hanging from one, is refused "
               "even so");
  app.add_option("--plot", options->plotPath,
                 "Also draw the written envelope as an SVG chart into this file")
      ->type_name("FILE");

  CLI::Option* progressOption =
      app.add_flag("--progress")
          ->description(
              "Show a bake's progress on standard error once it runs a second (default: if it is "
              "a terminal)");
  CLI::Option* noProgressOption = app.add_flag("--no-progress")
                                      ->description("Never show a bake's progress")
                                      ->excludes(progressOption);
  app.add_flag("--scene-rate", options->sceneRate,
               "Run the host's clock at the scene's FramesPerSecond: the envelope's frame N holds "
               "the distance at the scene's frame N")
      ->needs(sceneOption);
  app.add_flag("--quiet", options->quiet,
               "Print nothing on success; errors still go to standard error")
      ->excludes(progressOption);

  app.add_option("--pair", options->pairs,
                 "Bake the distance from ITEM to TARGET (repeatable; see above)")
      ->type_name("ITEM TARGET");
  app.add_option("--pair-camera", options->cameraPairs,
                 "Bake the distance from ITEM to the scene's first camera (repeatable)")
      ->type_name("ITEM");
  CLI::Option* pairsDirectoryOption =
      app.add_option("--output-dir", pairsDirectory,
                     "The directory the pairs' envelopes go to (default: the envelopes directory)")
          ->type_name("DIR");
  app.add_option(
         "--table", options->tablePath,
         "Also write a CSV table of the bake, one row per key: frame, seconds, distance and "
         "both items' world x, y, z (with --pair, the pair's names first); - writes it to "
         "standard output, and the summary lines to standard error")
      ->type_name("FILE");
  CLI::Option* reduceOption =
      app.add_option(
             "--reduce", reduceTolerance,
             "Rewrite each envelope with the fewest of its keys that a linear curve through "
             "them keeps within TOLERANCE (scene units) of every key; the first and last "
             "keys are always kept")
          ->type_name("TOLERANCE");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    int status = app.exit(error);
    return {false, status == 0 ? 0 : EXIT_RUNNER_FAILED};
  }
  takeIfGiven(itemOption, item, &options->item);
  takeIfGiven(targetOption, target, &options->target);
  takeIfGiven(lastFrameOption, lastFrame, &options->lastFrame);
  takeIfGiven(stepOption, frameStep, &options->frameStep);
  takeIfGiven(outputOption, output, &options->output);
  takeIfGiven(pairsDirectoryOption, pairsDirectory, &options->pairsDirectory);
  takeIfGiven(reduceOption, reduceTolerance, &options->reduceTolerance);
  if (progressOption->count() > 0) options->progress = true;
  if (noProgressOption->count() > 0) options->progress = false;
  return {true, 0};
}
