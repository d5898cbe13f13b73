#include "scene_tool/scene_options.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "scene_eval/scene_eval.h"

namespace {

constexpr char DESCRIPTION[] =
    "Builds and edits LightWave scene files (LWSC text) with the Quorvel scene library,\n"
    "one edit per call, so that a shell script can build a scene for quorvel-run.\n"
    "\n"
    "Items are named as `quorvel-run --list-items` names them, and as `list` prints\n"
    "them: a loaded object by its file's base name (\"ball\" for Objects/ball.lwo), a\n"
    "null, light, camera or bone by the name its scene gives it, and a repeated name\n"
    "as \"NAME (2)\", \"NAME (3)\" and so on. Edits work on objects.\n"
    "\n"
    "Edits take scenes of every version, 1 to 5, and write what they add in the\n"
    "layout of the scene's own version, with the line ends the scene has. A new\n"
    "object goes after the last object, so no object number or item ID changes.\n"
    "FRAME is a frame of the scene at its FramesPerSecond (30 when it has none).\n"
    "Edits replace FILE whole or not at all, or write the result to --output OUT\n"
    "and leave FILE alone. An edit that cannot be made says why and changes no file.\n"
    "\n"
    "Naming items: a name as `list` lists it, or #ID, an ID as `list` lists it\n"
    "('#10000000'). Listings write a tab, line end or other control character in a\n"
    "name as \\t, \\n, \\r or \\xHH, a backslash as \\\\ and a leading # as \\#, so no\n"
    "name breaks a row or reads as an ID; the listed form selects the item. A name\n"
    "quorvel-scene writes holds no control character.\n"
    "\n"
    "- stands for standard input wherever a scene is read (FILE) and for standard\n"
    "output wherever one is written (OUT, --output, and an edit of FILE -); what an\n"
    "edit reports then goes to standard error.\n"
    "\n"
    "Exit status, as quorvel-run's (which also gives the module's activation results\n"
    "1 and 2):\n"
    "  0    done\n"
    "  3    the command could not run: a bad or empty argument, an unknown item name,\n"
    "       a file that cannot be read or written, a refusal before anything is\n"
    "       written (new over an existing file without --force)\n"
    "  4    the scene's content refused the edit; nothing was written\n"
    "  130  interrupted";

// What --help says of the layouts that no scene file we have holds.
constexpr char DISSOLVE_DESCRIPTION[] =
    "Add a dissolve key to OBJECT. Version 1: the first key at frame 0, each later one\n"
    "after the last. Versions 3 to 5: \"ObjectDissolve (envelope)\" and an envelope laid\n"
    "out as a motion channel's, keys ordered by frame; this layout is our inference, as\n"
    "no scene file we have holds one. Version 2 scenes are refused: no layout of their\n"
    "dissolve is known.";

constexpr char KEY_DESCRIPTION[] =
    "Add a motion key to OBJECT. Version 1: frame 0 starts the motion afresh (refused\n"
    "when the motion holds more keys, unless --replace-motion) and any other frame\n"
    "must come after the last key's. Versions 2 to 5: one key into each of\n"
    "the nine channels, replacing a key at the same frame, else among the keys in the\n"
    "order of frames; a linear key is refused in version 2, whose span code for it is\n"
    "not known.";

// The texts of the numbers, as typed; read with from_chars after parsing.
struct NumberTexts {
  std::string ordinal;
  std::string frame;
  std::vector<std::string> position;
  std::vector<std::string> rotation;
  std::vector<std::string> scale;
  std::string value;
};

// Reads all of `text` as a number into `value`; false when it does not read
// whole, is out of range, or (for floating point) is not finite.
template <typename Number>
bool readNumber(const std::string& text, Number* value) {
  const char* end = text.data() + text.size();
  auto [stop, failure] = std::from_chars(text.data(), end, *value);
  if (failure != std::errc() || stop != end) return false;
  if constexpr (std::is_floating_point_v<Number>) return std::isfinite(*value);
  return true;
}

bool reportBad(const std::string& option, const std::string& text, const char* what) {
  std::fprintf(stderr, "quorvel-scene: %s: \"%s\" is not %s\n", option.c_str(), text.c_str(), what);
  return false;
}

bool readWhole(const std::string& option, const std::string& text, std::int32_t* value) {
  return readNumber(text, value) || reportBad(option, text, "a whole number");
}

bool readTriple(const std::string& option, const std::vector<std::string>& texts,
                std::array<double, 3>* values) {
  if (texts.empty()) return true;  // not given: the default stays
  for (std::size_t axis = 0; axis < values->size(); ++axis) {
    if (!readNumber(texts[axis], &(*values)[axis])) {
      return reportBad(option, texts[axis], "a finite decimal number");
    }
  }
  return true;
}

// The numbers of the chosen subcommand, from their texts into `options`.
bool readNumbers(const NumberTexts& texts, SceneOptions* options) {
  switch (options->command) {
    case SceneCommand::COPY:
      if (texts.ordinal.empty()) return true;  // not given: NAME is the name list prints
      options->ordinalGiven = true;
      if (!readWhole("--ordinal", texts.ordinal, &options->ordinal)) return false;
      if (options->ordinal < 1) return reportBad("--ordinal", texts.ordinal, "1 or more");
      return true;
    case SceneCommand::KEY:
      return readWhole("--frame", texts.frame, &options->frame) &&
             readTriple("--position", texts.position, &options->position) &&
             readTriple("--rotation", texts.rotation, &options->rotation) &&
             readTriple("--scale", texts.scale, &options->scale);
    case SceneCommand::DISSOLVE:
      if (!readWhole("--frame", texts.frame, &options->frame)) return false;
      return readNumber(texts.value, &options->value) ||
             reportBad("--value", texts.value, "a finite decimal number");
    default:
      return true;
  }
}

// How far a mistyped option may be from the one meant, in edits.
constexpr std::size_t NEAREST_OPTION_EDITS = 2;

// "did you mean --frame? " for the first argument left over that is within
// NEAREST_OPTION_EDITS of an option of the subcommand given; empty when none
// is.
std::string nearestOptionHint(const CLI::App& app) {
  for (const CLI::App* sub : app.get_subcommands()) {
    for (const std::string& extra : app.remaining(true)) {
      if (!extra.starts_with("--")) continue;
      for (const CLI::Option* option : sub->get_options()) {
        for (const std::string& name : option->get_lnames()) {
          if (scene_eval::editDistance(extra, "--" + name) <= NEAREST_OPTION_EDITS) {
            return "did you mean --" + name + "? ";
          }
        }
      }
    }
  }
  return "";
}

// What a command line without a subcommand lacks: the subcommands there
// are, and the first word given when it is none of them.
std::string missingSubcommand(const CLI::App& app, int argc, const char* const* argv) {
  std::string names;
  for (const CLI::App* sub : app.get_subcommands({})) {
    names += (names.empty() ? "" : ", ") + sub->get_name();
  }
  std::string given = argc > 1 ? " (\"" + std::string(argv[1]) + "\" is none)" : "";
  return "give a subcommand first: " + names + given;
}

// The arguments that name a file; an empty one names nothing. (The other
// characters a new object's name or PATH may not hold are checked where it
// is written.)
constexpr const char* PATH_ARGUMENTS[] = {"FILE", "OUT", "--output", "PATH"};

// False, printing why, when a file argument of the chosen subcommand is
// empty, which would else be taken for another.
bool checkPathsNotEmpty(const CLI::App& app) {
  for (const CLI::App* sub : app.get_subcommands()) {
    for (const char* name : PATH_ARGUMENTS) {
      const CLI::Option* option = sub->get_option_no_throw(name);
      if (!option || option->count() == 0) continue;
      for (const std::string& value : option->results()) {
        if (!value.empty()) continue;
        bool scene = std::string(name) != "PATH";
        std::fprintf(stderr, "quorvel-scene: %s: the path is empty; give %s\n", name,
                     scene ? "a file, or - for standard input or output" : "the object's file");
        return false;
      }
    }
  }
  return true;
}

CLI::App* addCommand(CLI::App* app, const char* name, const char* description, SceneCommand command,
                     SceneOptions* options) {
  CLI::App* sub = app->add_subcommand(name, description);
  sub->callback([options, command] { options->command = command; });
  return sub;
}

void addFile(CLI::App* sub, SceneOptions* options) {
  sub->add_option("FILE", options->file, "The scene file; - for standard input")->required();
}

void addOutput(CLI::App* sub, SceneOptions* options) {
  sub->add_option("--output", options->output,
                  "Write the edited scene here (- for standard output) and leave FILE as it is")
      ->type_name("OUT");
}

// Every subcommand and its arguments, in the order --help shows them.
void addCommands(CLI::App* app, SceneOptions* options, NumberTexts* texts) {
  CLI::App* sub = addCommand(app, "new", "Write the default scene (version 1, no objects) to OUT",
                             SceneCommand::NEW_SCENE, options);
  sub->add_option("OUT", options->file, "The scene file to write; - for standard output")
      ->required();
  sub->add_flag("--force", options->force, "Replace OUT when it exists (default: refuse)");

  sub = addCommand(app, "list",
                   "Print the items, one a line, four tab-separated fields: kind, name and ID "
                   "(- for none) as quorvel-run --list-items prints them, then the object's "
                   "number (- for an item that is not an object)",
                   SceneCommand::LIST, options);
  addFile(sub, options);

  sub =
      addCommand(app, "add-null", "Add a null object named NAME", SceneCommand::ADD_NULL, options);
  addFile(sub, options);
  sub->add_option("NAME", options->name, "The new null's name")->required();
  addOutput(sub, options);

  sub = addCommand(app, "add-object", "Add an object loaded from the file PATH",
                   SceneCommand::ADD_OBJECT, options);
  addFile(sub, options);
  sub->add_option("PATH", options->name, "The object file's path")->required();
  addOutput(sub, options);

  sub = addCommand(app, "copy", "Add a copy of an object, its motion and parent included",
                   SceneCommand::COPY, options);
  addFile(sub, options);
  sub->add_option("NAME", options->name, "The object to copy, named as list names it")
      ->required();
  sub->add_option("--ordinal", texts->ordinal,
                  "Copy the Nth object that the scene file itself names NAME, before repeated "
                  "names are told apart")
      ->type_name("N");
  addOutput(sub, options);

  sub = addCommand(app, "parent", "Make PARENT the parent of CHILD", SceneCommand::PARENT, options);
  addFile(sub, options);
  sub->add_option("CHILD", options->name, "The object that gets the parent")->required();
  sub->add_option("PARENT", options->parent, "The parent object")->required();
  addOutput(sub, options);

  sub = addCommand(app, "key", KEY_DESCRIPTION, SceneCommand::KEY, options);
  addFile(sub, options);
  sub->add_option("OBJECT", options->name, "The object")->required();
  sub->add_option("--frame", texts->frame, "The key's frame, from 0")
      ->type_name("F")
      ->required();
  sub->add_option("--position", texts->position, "Position: X Y Z")
      ->type_name("NUMBER")
      ->expected(3)
      ->required();
  sub->add_option("--rotation", texts->rotation,
                  "Heading, pitch, bank in degrees (default: 0 0 0)")
      ->type_name("NUMBER")
      ->expected(3);
  sub->add_option("--scale", texts->scale, "Scale: X Y Z (default: 1 1 1)")
      ->type_name("NUMBER")
      ->expected(3);
  sub->add_flag("--linear", options->linear,
                "Linear span into this key (default: TCB spline); not in version 2");
  sub->add_flag("--replace-motion", options->replaceMotion,
                "Version 1, frame 0: replace a motion of several keys with this one key");
  addOutput(sub, options);

  sub = addCommand(app, "dissolve", DISSOLVE_DESCRIPTION, SceneCommand::DISSOLVE, options);
  addFile(sub, options);
  sub->add_option("OBJECT", options->name, "The object")->required();
  sub->add_option("--frame", texts->frame, "The key's frame, from 0")
      ->type_name("F")
      ->required();
  sub->add_option("--value", texts->value, "Dissolve: 0 shows the object, 1 hides it")
      ->type_name("V")
      ->required();
  addOutput(sub, options);
}

}  // namespace

SceneParseOutcome parseSceneOptions(int argc, const char* const* argv, SceneOptions* options) {
  CLI::App app(DESCRIPTION, "quorvel-scene");
  app.set_version_flag("--version", std::string("quorvel-scene ") + QUORVEL_VERSION);
  app.require_subcommand(1);
  app.set_help_all_flag("--help-all", "Print this help with every subcommand's options and exit");
  NumberTexts texts;
  addCommands(&app, options, &texts);
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& done) {  // --help, --help-all or --version
    return {false, app.exit(done)};
  } catch (const CLI::ParseError& error) {
    std::string problem = app.get_subcommands().empty() ? missingSubcommand(app, argc, argv)
                                                        : std::string(error.what());
    std::fprintf(stderr, "quorvel-scene: %s; %srun quorvel-scene --help-all for the options\n",
                 problem.c_str(), nearestOptionHint(app).c_str());
    return {false, EXIT_SCENE_TOOL_FAILED};
  }
  if (!checkPathsNotEmpty(app)) return {false, EXIT_SCENE_TOOL_FAILED};
  if (!readNumbers(texts, options)) return {false, EXIT_SCENE_TOOL_FAILED};
  return {true, 0};
}
