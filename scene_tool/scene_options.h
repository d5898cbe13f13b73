// The command line of quorvel-scene, parsed into a plain record: one
// subcommand over a scene file and the values it needs. Every number is
// parsed with std::from_chars, so the command line means the same in every
// locale.

#ifndef QUORVEL_SCENE_TOOL_SCENE_OPTIONS_H_
#define QUORVEL_SCENE_TOOL_SCENE_OPTIONS_H_

#include <array>
#include <cstdint>
#include <string>

// The exit statuses of quorvel-scene beyond 0 (done), as quorvel-run's.
// The command could not run: a bad or empty argument, an unknown item name,
// a file that cannot be read or written, a refusal before anything is
// written.
inline constexpr int EXIT_SCENE_TOOL_FAILED = 3;
// The scene's content refused the edit (the message says why); no file was
// changed.
inline constexpr int EXIT_EDIT_REFUSED = 4;

enum class SceneCommand {
  NEW_SCENE,   // new OUT
  LIST,        // list FILE
  ADD_NULL,    // add-null FILE NAME
  ADD_OBJECT,  // add-object FILE PATH
  COPY,        // copy FILE NAME [--ordinal N]
  PARENT,      // parent FILE CHILD PARENT
  KEY,         // key FILE OBJECT --frame F --position X Y Z ...
  DISSOLVE,    // dissolve FILE OBJECT --frame F --value V
};

struct SceneOptions {
  SceneCommand command = SceneCommand::LIST;
  std::string file;    // the scene read, or for `new` the file written
  std::string output;  // empty: an edit replaces `file`
  std::string name;    // the object: added, copied, keyed, the child
  std::string parent;  // `parent`: the object that becomes the parent
  bool force = false;  // `new`: replace an existing file
  bool ordinalGiven = false;  // `copy`: --ordinal was given
  std::int32_t ordinal = 1;
  std::int32_t frame = 0;
  std::array<double, 3> position = {0, 0, 0};
  std::array<double, 3> rotation = {0, 0, 0};  // heading, pitch, bank
  std::array<double, 3> scale = {1, 1, 1};
  bool linear = false;
  bool replaceMotion = false;  // `key`: a version 1 key at frame 0 may drop the motion's keys
  double value = 0;  // `dissolve`
};

// Whether to go on after parsing, and if not, the status to exit with.
struct SceneParseOutcome {
  bool run = false;
  int exitStatus = 0;
};

// Parses argv into `options`. --help and --version print to standard output
// and end with status 0. A malformed command line (no subcommand, an option
// not known, a number that does not read whole or is not finite) or an empty
// path (FILE, OUT, --output, PATH) prints the problem to standard error,
// beginning "quorvel-scene: " and ending with what to do instead, and ends
// with EXIT_SCENE_TOOL_FAILED.
SceneParseOutcome parseSceneOptions(int argc, const char* const* argv, SceneOptions* options);

#endif  // QUORVEL_SCENE_TOOL_SCENE_OPTIONS_H_
