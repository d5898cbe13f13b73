#include "runner/scene_reading.h"

#include <filesystem>
#include <fstream>

#include "scene/scene.h"
#include "platform/platform.h"

namespace {

// The scene library reads files by path, and a pipe's bytes can be read only
// once: they go through a temporary file.
SceneDocument* readSceneBytes(const std::string& bytes) {
  std::string copyPath;
  if (!platform::makeTemporaryFile(&copyPath)) return nullptr;
  std::ofstream copy(copyPath, std::ios::binary | std::ios::trunc);
  copy << bytes;
  copy.close();
  SceneDocument* document = copy ? readScene(copyPath.c_str()) : nullptr;
  std::error_code ignored;
  std::filesystem::remove(copyPath, ignored);
  return document;
}

}  // namespace

SceneDocument* readSceneFile(const std::string& path, std::string* error) {
  SceneDocument* document = nullptr;
  if (namesAPipe(path)) {
    std::string bytes;
    platform::PipeRead read = platform::readPipe(path, SCENE_PIPE_WAIT_MILLISECONDS, &bytes);
    if (read == platform::PipeRead::kNoWriter) {
      *error = "cannot read scene file " + path + ": it is a pipe that no program opened to write in " +
               std::to_string(SCENE_PIPE_WAIT_MILLISECONDS / 1000) + " seconds";
      return nullptr;
    }
    if (read == platform::PipeRead::kRead) document = readSceneBytes(bytes);
  } else {
    document = readScene(path.c_str());
  }
  if (!document) *error = "cannot read scene file " + path;
  return document;
}
