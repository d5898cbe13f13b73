// The scene files quorvel-scene reads and writes, "-" standing for standard
// input where it reads a scene and for standard output where it writes one.

#ifndef QUORVEL_SCENE_TOOL_SCENE_FILES_H_
#define QUORVEL_SCENE_TOOL_SCENE_FILES_H_

#include <memory>
#include <string>

#include "scene/scene.h"

// The path that stands for standard input or output.
inline constexpr char STANDARD_STREAM_PATH[] = "-";

// What messages call the scene at `path`: "standard input" for "-", else
// the path.
std::string sceneFileName(const std::string& path);

struct DocumentRelease {
  void operator()(SceneDocument* document) const { freeScene(document); }
};
using Document = std::unique_ptr<SceneDocument, DocumentRelease>;

// The scene at `path` (standard input for "-"), classified, as
// openSceneFile opens it; null with `error` naming the scene and saying why
// when it is none: "cannot read NAME: " and the reason openSceneFile gives
// when it cannot be read (or holds a NUL byte), "NAME:1: not a scene file: "
// and the reason when its bytes are no scene the host reads.
Document readSceneFile(const std::string& path, std::string* error);

// Writes `document` to `path` (standard output for "-"), a file replaced
// whole or not at all. False with `error` naming it when that fails.
bool writeSceneFile(const SceneDocument* document, const std::string& path, std::string* error);

#endif  // QUORVEL_SCENE_TOOL_SCENE_FILES_H_
