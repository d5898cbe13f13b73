// quorvel-scene: builds and edits scene files from the command line with the
// scene library, one edit per call. Items are named as quorvel-run names
// them; an edit is checked before it is made, so that a refused edit can say
// why, and the scene is then written whole, or not at all. "-" reads the
// scene from standard input or writes it to standard output.

#include <cstdio>
#include <filesystem>
#include <string>

#include "scene/scene.h"
#include "scene_tool/named_items.h"
#include "scene_tool/scene_edits.h"
#include "scene_tool/scene_files.h"
#include "scene_tool/scene_options.h"

namespace {

int fail(const std::string& error) {
  std::fprintf(stderr, "quorvel-scene: %s\n", error.c_str());
  return EXIT_SCENE_TOOL_FAILED;
}

int refuse(const std::string& refusal, int status) {
  std::fprintf(stderr, "quorvel-scene: %s\n", refusal.c_str());
  return status;
}

// `new`: an existing file is replaced only when --force says so.
int writeNewScene(const SceneOptions& options) {
  std::error_code failure;
  if (!options.force && options.file != STANDARD_STREAM_PATH &&
      std::filesystem::exists(options.file, failure)) {
    return refuse(options.file + " exists already; give --force to replace it",
                  EXIT_SCENE_TOOL_FAILED);
  }
  Document document(newScene());
  if (!document) return fail("out of memory");
  std::string error;
  if (!writeSceneFile(document.get(), options.file, &error)) return fail(error);
  return 0;
}

int list(const SceneDocument* document, const SceneOptions& options) {
  NamedItems items;
  std::string error;
  if (!items.load(document, sceneFileName(options.file), &error)) return fail(error);
  std::fputs(items.listing().c_str(), stdout);
  return 0;
}

// Where an edit goes: --output, else the file read; standard output for a
// scene read from standard input.
std::string editedScenePath(const SceneOptions& options) {
  return options.output.empty() ? options.file : options.output;
}

int run(const SceneOptions& options) {
  if (options.command == SceneCommand::NEW_SCENE) return writeNewScene(options);
  std::string error;
  Document document = readSceneFile(options.file, &error);
  if (!document) return fail(error);
  if (options.command == SceneCommand::LIST) return list(document.get(), options);
  EditOutcome outcome;
  std::string refusal;
  if (!editScene(document.get(), options, &outcome, &refusal)) {
    return refuse(refusal, outcome.status);
  }
  std::string path = editedScenePath(options);
  if (!writeSceneFile(document.get(), path, &error)) return fail(error);
  // The report goes where the scene does not.
  std::fputs(outcome.report.c_str(), path == STANDARD_STREAM_PATH ? stderr : stdout);
  std::fputs(outcome.notes.c_str(), stderr);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  SceneOptions options;
  SceneParseOutcome parsed = parseSceneOptions(argc, argv, &options);
  if (!parsed.run) return parsed.exitStatus;
  return run(options);
}
