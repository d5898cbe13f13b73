#include "runner/run_options.h"

#include <CLI/CLI.hpp>
#include <cstdio>

#include "runner/exit_status.h"
#include "scene_eval/scene_eval.h"

namespace {

// A word of the command line as a message quotes it: as typed, or in single
// quotes when a shell would split or change it.
std::string typedWord(const std::string& word) {
  if (!word.empty() && word.find_first_of(" \t\n\"'\\$`*?;&|<>()[]{}#~!") == std::string::npos) {
    return word;
  }
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

constexpr char DESCRIPTION[] =
    "Runs the Quorvel module headless: loads the module file, plays the host with the\n"
    "stand-in host on a scene, answers the options panel from the options below, and\n"
    "reports the envelope the module wrote. Given no argument at all, it only says how\n"
    "to start (exit status 3).\n"
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
    "Naming items: --item, --target, --pair and --pair-camera take a name as --list-items\n"
    "lists it, or #ID, an ID as --list-items lists it (--item '#10000000'). Listings\n"
    "write a tab, line end or other control character in a name as \\t, \\n, \\r or \\xHH,\n"
    "a backslash as \\\\ and a leading # as \\#, so no name breaks a row or reads as an ID;\n"
    "the listed form selects the item. --list-items prints three tab-separated fields\n"
    "per item: kind, name, ID (- for none); --verbose adds parent and exactness.\n"
    "\n"
    "Several pairs in one run: --pair ITEM TARGET (and --pair-camera ITEM for an item and\n"
    "the first camera), each as often as wanted, baked in the order typed. Every pair is\n"
    "checked before the first bake; a pair given twice is refused. The scene is read once\n"
    "and the module activated once per pair; each envelope is written to DIR/ITEM-TARGET.env\n"
    "(--output-dir, made when missing; names made safe for file names and distinct), with\n"
    "one summary line per pair. The exit status is the worst of the pairs'; Ctrl-C stops\n"
    "the run, leaving the envelopes already written and no partial one.\n"
    "\n"
    "The table (--table) has the columns item, target, frame, seconds, distance, item_x,\n"
    "item_y, item_z, target_x, target_y, target_z, every number with 6 decimals, a row for\n"
    "every baked frame (also with --reduce), CR LF line ends (RFC 4180).\n"
    "\n"
    "- stands for standard input as --scene, and for standard output as --table.\n"
    "\n"
    "Exit status, the same in quorvel-scene:\n"
    "  0    done\n"
    "  1, 2 the module's activation returned it (1 wrong interface version, 2 a host\n"
    "       service missing)\n"
    "  3    the command could not run: a bad or empty option, an unknown item name, a\n"
    "       file that cannot be read or written, a refusal before anything is written\n"
    "  4    the module showed an error message\n"
    "  130  interrupted (Ctrl-C) during a bake, which leaves an existing envelope as it\n"
    "       was";

// What a bare quorvel-run prints: what it does and how to start.
constexpr char INTRODUCTION[] =
    "quorvel-run runs the Quorvel module headless: it bakes the distance between two\n"
    "items of a scene file into an envelope file.\n"
    "\n"
    "To start:\n"
    "  quorvel-run --scene FILE --list-items          the scene's items\n"
    "  quorvel-run --scene FILE --item A --target B   bake A to B into ./quorvel.env\n"
    "  quorvel-run --envelopes-dir DIR                bake the built-in demo scene\n"
    "  make demo                                      the same, from the source tree\n"
    "  quorvel-run --help                             every option\n"
    "\n"
    "Given no argument, it does nothing (exit status 3).\n";

// The options that name a file or directory; an empty one names nothing.
constexpr const char* PATH_OPTIONS[] = {"--module", "--scene",    "--output",    "--envelopes-dir",
                                        "--plot",   "--table",    "--output-dir"};

// How far a mistyped option may be from the one meant, in edits.
constexpr std::size_t NEAREST_OPTION_EDITS = 2;

// "did you mean --item? " for the first argument left over that is within
// NEAREST_OPTION_EDITS of an option's name; empty when none is.
std::string nearestOptionHint(const CLI::App& app) {
  for (const std::string& extra : app.remaining()) {
    if (!extra.starts_with("--")) continue;
    for (const CLI::Option* option : app.get_options()) {
      for (const std::string& name : option->get_lnames()) {
        if (scene_eval::editDistance(extra, "--" + name) <= NEAREST_OPTION_EDITS) {
          return "did you mean --" + name + "? ";
        }
      }
    }
  }
  return "";
}

// Prints a parser error as every message of the program begins, with what
// to do instead.
void reportParseError(const CLI::App& app, const CLI::ParseError& error) {
  std::fprintf(stderr, "quorvel-run: %s; %srun quorvel-run --help for the options\n",
               error.what(), nearestOptionHint(app).c_str());
}

// False, printing why, when a path option was given an empty path, which
// would else be taken for another (the current directory, the default).
bool checkPathsNotEmpty(const CLI::App& app) {
  for (const char* name : PATH_OPTIONS) {
    const CLI::Option* option = app.get_option(name);
    if (option->count() == 0) continue;
    for (const std::string& value : option->results()) {
      if (!value.empty()) continue;
      std::fprintf(stderr, "quorvel-run: %s: the path is empty; give a file or directory\n",
                   name);
      return false;
    }
  }
  return true;
}

// The pair options in the order typed: CLI11 keeps each option's values
// apart, and its parse order tells how they interleave.
std::vector<PairRequest> pairsInTypedOrder(
    const CLI::App& app, const std::vector<std::pair<std::string, std::string>>& pairs,
    const std::vector<std::string>& cameraPairs) {
  std::vector<PairRequest> ordered;
  std::size_t nextPair = 0;
  std::size_t nextCamera = 0;
  for (const CLI::Option* option : app.parse_order()) {
    if (option->get_name() == "--pair" && nextPair < pairs.size()) {
      const auto& [item, target] = pairs[nextPair++];
      ordered.push_back({item, target, "--pair " + typedWord(item) + " " + typedWord(target)});
    } else if (option->get_name() == "--pair-camera" && nextCamera < cameraPairs.size()) {
      const std::string& item = cameraPairs[nextCamera++];
      ordered.push_back({item, std::nullopt, "--pair-camera " + typedWord(item)});
    }
  }
  return ordered;
}

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
  app.add_option("--scene", options->scenePath,
                 "The scene file (LWSC) to run on; - reads it from standard input (default: the "
                 "built-in demo scene)")
      ->type_name("FILE");
  CLI::Option* itemOption =
      app.add_option("--item", item, "The item to measure from (default: the first object)")
          ->type_name("NAME");
  CLI::Option* targetOption =
      app.add_option("--target", target, "The item to measure to (default: the second object)")
          ->type_name("NAME");
  app.add_flag("--camera", options->camera,
               "Measure to the scene's first camera (chooses \"Camera\" in the panel)");
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
  app.add_flag("--list-items", options->listItems, "Print the scene's items and exit");
  app.add_flag("--verbose", options->verbose,
               "With --list-items, also give each item's parent and whether its position is "
               "exact: the fields are kind, name, ID, parent (\"-\" for none) and \"exact\" or "
               "what first moves it beyond keyed channels, parents and pivots");
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

  app.add_flag("--progress", options->progress,
               "Show a bake's progress on standard error once it runs a second (default: if it "
               "is a terminal)");
  app.add_flag("--no-progress", options->noProgress, "Never show a bake's progress");
  app.add_flag("--scene-rate", options->sceneRate,
               "Run the host's clock at the scene's FramesPerSecond: the envelope's frame N holds "
               "the distance at the scene's frame N");
  app.add_flag("--quiet", options->quiet,
               "Print nothing on success; errors still go to standard error");

  std::vector<std::pair<std::string, std::string>> pairs;
  std::vector<std::string> cameraPairs;
  app.add_option("--pair", pairs,
                 "Bake the distance from ITEM to TARGET (repeatable; see above)")
      ->type_name("ITEM TARGET");
  app.add_option("--pair-camera", cameraPairs,
                 "Bake the distance from ITEM to the scene's first camera (repeatable)")
      ->type_name("ITEM");
  CLI::Option* pairsDirectoryOption =
      app.add_option("--output-dir", pairsDirectory,
                     "The directory the pairs' envelopes go to (default: the envelopes directory)")
          ->type_name("DIR");
  app.add_option(
         "--table", options->tablePath,
         "Also write a CSV table of the bake, one row per baked frame: the items' names, "
         "frame, seconds, distance and both items' world x, y, z (columns above); - writes "
         "it to standard output, and the summary lines to standard error")
      ->type_name("FILE");
  CLI::Option* reduceOption =
      app.add_option(
             "--reduce", reduceTolerance,
             "Rewrite each envelope with the fewest of its keys that a linear curve through "
             "them keeps within TOLERANCE (scene units) of every key; the first and last "
             "keys are always kept")
          ->type_name("TOLERANCE");

  if (argc <= 1) {
    std::fputs(INTRODUCTION, stderr);
    return {false, EXIT_RUNNER_FAILED};
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& done) {  // --help or --version
    return {false, app.exit(done)};
  } catch (const CLI::ParseError& error) {
    reportParseError(app, error);
    return {false, EXIT_RUNNER_FAILED};
  }
  if (!checkPathsNotEmpty(app)) return {false, EXIT_RUNNER_FAILED};
  options->pairs = pairsInTypedOrder(app, pairs, cameraPairs);
  takeIfGiven(itemOption, item, &options->item);
  takeIfGiven(targetOption, target, &options->target);
  takeIfGiven(lastFrameOption, lastFrame, &options->lastFrame);
  takeIfGiven(stepOption, frameStep, &options->frameStep);
  takeIfGiven(outputOption, output, &options->output);
  takeIfGiven(pairsDirectoryOption, pairsDirectory, &options->pairsDirectory);
  takeIfGiven(reduceOption, reduceTolerance, &options->reduceTolerance);
  return {true, 0};
}
