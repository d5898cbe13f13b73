// quorvel-scene: builds and edits scene files from the command line with the
// scene library, one edit per call. Items are named as quorvel-run names
// them; an edit is checked before it is made, so that a refused edit can say
// why, and the scene is then written whole, or not at all.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "scene/scene.h"
#include "scene_tool/named_items.h"
#include "scene_tool/scene_edits.h"
#include "scene_tool/scene_options.h"

namespace {

struct DocumentRelease {
  void operator()(SceneDocument* document) const { freeScene(document); }
};
using Document = std::unique_ptr<SceneDocument, DocumentRelease>;

int fail(const std::string& error) {
  std::fprintf(stderr, "quorvel-scene: %s\n", error.c_str());
  return EXIT_SCENE_TOOL_FAILED;
}

int refuse(const std::string& refusal) {
  std::fprintf(stderr, "quorvel-scene: %s\n", refusal.c_str());
  return EXIT_EDIT_REFUSED;
}

// The scene file at `path`, or null with `error` set.
Document readSceneFile(const std::string& path, std::string* error) {
  std::FILE* probe = std::fopen(path.c_str(), "rb");
  if (!probe) {
    *error = "cannot read " + path + ": " + std::strerror(errno);
    return nullptr;
  }
  std::fclose(probe);
  Document document(readScene(path.c_str()));
  if (!document) {
    *error = "cannot read " + path + ": it holds a NUL byte, or reading failed";
  } else if (!document->first || compareKeyword(document->first->text, "LWSC") != 0) {
    *error = path + ":1: not a scene file: it does not begin with \"LWSC\"";
    document.reset();
  }
  return document;
}

int writeSceneFile(const SceneDocument* document, const std::string& path) {
  if (!writeScene(document, path.c_str())) return fail("cannot write " + path);
  return 0;
}

// `new`: an existing file is replaced only when --force says so.
int writeNewScene(const SceneOptions& options) {
  std::error_code failure;
  if (!options.force && std::filesystem::exists(options.file, failure)) {
    return refuse(options.file + " exists already; give --force to replace it");
  }
  Document document(newScene());
  if (!document) return fail("out of memory");
  return writeSceneFile(document.get(), options.file);
}

int list(const SceneDocument* document, const SceneOptions& options) {
  NamedItems items;
  std::string error;
  if (!items.load(document, options.file, &error)) return fail(error);
  std::fputs(items.listing().c_str(), stdout);
  return 0;
}

int run(const SceneOptions& options) {
  if (options.command == SceneCommand::NEW_SCENE) return writeNewScene(options);
  std::string error;
  Document document = readSceneFile(options.file, &error);
  if (!document) return fail(error);
  if (options.command == SceneCommand::LIST) return list(document.get(), options);
  EditOutcome outcome = editScene(document.get(), options);
  if (!outcome.refusal.empty()) return refuse(outcome.refusal);
  int status =
      writeSceneFile(document.get(), options.output.empty() ? options.file : options.output);
  if (status != 0) return status;
  std::fputs(outcome.report.c_str(), stdout);
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
