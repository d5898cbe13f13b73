// quorvel-scene: builds and edits scene files from the command line with the
// scene library, one edit per call. An edit is checked before it is made, so
// that a refused edit can say why; the scene is then written whole, or not at
// all.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "scene/scene.h"
#include "scene_tool/scene_objects.h"
#include "scene_tool/scene_options.h"

namespace {

// A scene line holds at most this many bytes, its newline included: a longer
// one would read back as several lines.
constexpr std::size_t LONGEST_LINE = SCENE_BUFFER_SIZE - 1;

struct DocumentRelease {
  void operator()(SceneDocument* document) const { freeScene(document); }
};
using Document = std::unique_ptr<SceneDocument, DocumentRelease>;

int fail(const std::string& error) {
  std::fprintf(stderr, "quorvel-scene: %s\n", error.c_str());
  return EXIT_SCENE_TOOL_FAILED;
}

// Why an edit cannot be made; empty when it can.
using Refusal = std::string;

// What an edit prints once the scene is written: the object it added.
using Report = std::string;

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

// "FILE:LINE: " for messages about one line of the scene.
std::string at(const SceneOptions& options, const SceneDocument* document, const SceneLine* line) {
  return options.file + ":" + std::to_string(lineNumberOf(document, line)) + ": ";
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// The object `selector` names, or null with `refusal` set.
SceneLine* objectOrRefuse(SceneDocument* document, const SceneOptions& options,
                          const std::string& selector, Refusal* refusal) {
  SceneLine* line = findObject(document, selector);
  if (!line) *refusal = options.file + ": the scene has no object named " + quoted(selector);
  return line;
}

Report objectReport(SceneDocument* document, SceneLine* objectLine) {
  return "object " + std::to_string(objectLine->objectNumber) + "\t" +
         selectorOf(document, objectLine) + "\n";
}

// The place for a new object block, or null with `refusal` set. New blocks
// go before "AmbientColor"; an object standing after that line would be
// numbered anew, and the parent lines that name it would then name another.
SceneLine* insertPointOrRefuse(SceneDocument* document, const SceneOptions& options,
                               Refusal* refusal) {
  SceneLine* after = objectInsertPoint(document);
  if (!after) {
    *refusal = options.file +
               ": the scene has no AmbientColor line (after its first), before which new "
               "objects go";
    return nullptr;
  }
  for (SceneLine* line = after->next; line; line = line->next) {
    if (line->kind == LINE_OBJECT) {
      *refusal = at(options, document, line) + "the object " + quoted(objectNameOf(line)) +
                 " stands after AmbientColor: a new object would renumber it";
      return nullptr;
    }
  }
  return after;
}

Refusal addObject(SceneDocument* document, const SceneOptions& options, Report* report) {
  bool null = options.command == SceneCommand::ADD_NULL;
  std::string keyword = null ? "AddNullObject " : "LoadObject ";
  if (options.name.empty()) return options.file + ": the object's name is empty";
  if (options.name.find_first_of("\r\n") != std::string::npos) {
    return options.file + ": the object's name holds a line break";
  }
  if (keyword.size() + options.name.size() + 1 > LONGEST_LINE) {
    return options.file + ": the object line would be longer than a scene line's " +
           std::to_string(LONGEST_LINE) + " bytes";
  }
  Refusal refusal;
  SceneLine* after = insertPointOrRefuse(document, options, &refusal);
  if (!after) return refusal;
  const char* name = options.name.c_str();
  if (!(null ? addNullObject(document, after, name) : addLoadObject(document, after, name))) {
    return options.file + ": out of memory";
  }
  *report = objectReport(document, after->next);
  return "";
}

Refusal copy(SceneDocument* document, const SceneOptions& options, Report* report) {
  SceneLine* source = options.ordinal == 1 ? findObject(document, options.name)
                                           : findNthNamed(document, options.name, options.ordinal);
  if (!source) {
    return options.file + ": the scene has " +
           (options.ordinal > 1 ? "fewer than " + std::to_string(options.ordinal) + " objects"
                                : std::string("no object")) +
           " named " + quoted(options.name);
  }
  Refusal refusal;
  if (!insertPointOrRefuse(document, options, &refusal)) return refusal;
  if (!findShadowOptions(source)) {
    return at(options, document, source) + "the block of " + quoted(options.name) +
           " has no ShadowOptions line to end it";
  }
  SceneLine* copied = copyObjectBlock(document, source);
  if (!copied) {
    return at(options, document, source) + "the block of " + quoted(options.name) +
           " holds the AmbientColor line, so no copy can go before it";
  }
  *report = objectReport(document, copied);
  return "";
}

Refusal parent(SceneDocument* document, const SceneOptions& options) {
  Refusal refusal;
  SceneLine* child = objectOrRefuse(document, options, options.name, &refusal);
  SceneLine* parentLine =
      child ? objectOrRefuse(document, options, options.parent, &refusal) : nullptr;
  if (!parentLine) return refusal;
  if (isSelfOrAncestor(document, child, parentLine)) {
    return options.file + ": " +
           (child == parentLine ? "an object cannot be its own parent"
                                : quoted(options.parent) + " hangs below " + quoted(options.name) +
                                      " already: the parents would go round in a circle");
  }
  if (!setParentObject(child, parentLine->objectNumber)) {
    return at(options, document, child) + "the block of " + quoted(options.name) +
           " has no ShadowOptions line, before which its parent line goes";
  }
  return "";
}

// Frames must rise, so that the keys stand in the order of time.
Refusal frameAfterLastKey(const SceneOptions& options, const SceneDocument* document,
                          const SceneLine* object, std::optional<std::int32_t> lastFrame,
                          const char* what) {
  if (!lastFrame || options.frame > *lastFrame) return "";
  return at(options, document, object) + "the last " + what + " key of " + quoted(options.name) +
         " is at frame " + std::to_string(*lastFrame) + "; a new key must come after it";
}

Refusal key(SceneDocument* document, const SceneOptions& options) {
  Refusal refusal;
  SceneLine* object = objectOrRefuse(document, options, options.name, &refusal);
  if (!object) return refusal;
  if (options.frame != 0) {
    refusal = frameAfterLastKey(options, document, object, lastMotionKeyFrame(object), "motion");
    if (!refusal.empty()) return refusal + " (frame 0 starts the motion afresh)";
  }
  const auto& [x, y, z] = options.position;
  const auto& [heading, pitch, bank] = options.rotation;
  const auto& [scaleX, scaleY, scaleZ] = options.scale;
  if (!addMotionKey(object, x, y, z, heading, pitch, bank, scaleX, scaleY, scaleZ, options.frame,
                    options.linear ? 1 : 0, 0, 0, 0)) {
    return at(options, document, object) + "the block of " + quoted(options.name) +
           " holds no whole motion (ObjectMotion, its channel and key counts, EndBehavior)";
  }
  return "";
}

Refusal dissolve(SceneDocument* document, const SceneOptions& options) {
  Refusal refusal;
  SceneLine* object = objectOrRefuse(document, options, options.name, &refusal);
  if (!object) return refusal;
  if (!hasDissolveEnvelope(object)) {
    if (SceneLine* constant = findObjDissolve(object)) {
      return at(options, document, constant) + quoted(options.name) +
             " has a constant dissolve, not an envelope that takes keys";
    }
    if (options.frame != 0) {
      return at(options, document, object) + quoted(options.name) +
             " has no dissolve envelope yet: its first key stands at frame 0";
    }
  } else {
    refusal =
        frameAfterLastKey(options, document, object, lastDissolveKeyFrame(object), "dissolve");
    if (!refusal.empty()) return refusal;
  }
  if (!addDissolveKey(object, options.value, options.frame)) {
    return at(options, document, object) + "the block of " + quoted(options.name) +
           " has no whole dissolve envelope, or no motion end (not the scene's last line) "
           "to put one after";
  }
  return "";
}

// The scene library's object blocks, motions and envelopes are those of
// scene version 1; in a file of a later version they would not fit.
constexpr std::int32_t EDITED_SCENE_VERSION = 1;

Refusal edit(SceneDocument* document, const SceneOptions& options, Report* report) {
  std::optional<std::int32_t> version = sceneVersionOf(document);
  if (version != EDITED_SCENE_VERSION) {
    return options.file + ":2: scene version " + (version ? std::to_string(*version) : "unknown") +
           ": quorvel-scene edits version 1 scenes only";
  }
  switch (options.command) {
    case SceneCommand::ADD_NULL:
    case SceneCommand::ADD_OBJECT:
      return addObject(document, options, report);
    case SceneCommand::COPY:
      return copy(document, options, report);
    case SceneCommand::PARENT:
      return parent(document, options);
    case SceneCommand::KEY:
      return key(document, options);
    case SceneCommand::DISSOLVE:
      return dissolve(document, options);
    default:
      return "";
  }
}

int run(const SceneOptions& options) {
  if (options.command == SceneCommand::NEW_SCENE) {
    Document document(newScene());
    if (!document) return fail("out of memory");
    return writeSceneFile(document.get(), options.file);
  }
  std::string error;
  Document document = readSceneFile(options.file, &error);
  if (!document) return fail(error);
  if (options.command == SceneCommand::LIST) {
    std::fputs(sceneListing(document.get()).c_str(), stdout);
    return 0;
  }
  Report report;
  Refusal refusal = edit(document.get(), options, &report);
  if (!refusal.empty()) {
    std::fprintf(stderr, "quorvel-scene: %s\n", refusal.c_str());
    return EXIT_EDIT_REFUSED;
  }
  int status =
      writeSceneFile(document.get(), options.output.empty() ? options.file : options.output);
  if (status == 0) std::fputs(report.c_str(), stdout);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  SceneOptions options;
  SceneParseOutcome parsed = parseSceneOptions(argc, argv, &options);
  if (!parsed.run) return parsed.exitStatus;
  return run(options);
}
