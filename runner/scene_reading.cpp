#include "runner/scene_reading.h"

#include <filesystem>
#include <fstream>

#include "scene/scene.h"
#include "platform/platform.h"
#include "runner/scene_faults.h"

namespace {

// The scene in `bytes`, read whole; null with `error` set, beginning
// "cannot read " + `what`, when they are no text or cannot be read. The
// scene library reads files by path, and the bytes of a pipe or of standard
// input can be read only once: they go through a temporary file.
SceneDocument* sceneOfBytes(const std::string& bytes, const std::string& what, std::string* error) {
  std::string fault = sceneBytesFault(bytes);
  if (!fault.empty()) {
    *error = "cannot read " + what + ": " + fault;
    return nullptr;
  }
  std::string copyPath;
  if (!platform::makeTemporaryFile(&copyPath)) {
    *error = "cannot read " + what + ": no file can be made in the temporary directory";
    return nullptr;
  }
  std::ofstream copy(copyPath, std::ios::binary | std::ios::trunc);
  copy << bytes;
  copy.close();
  SceneDocument* document = copy ? readScene(copyPath.c_str()) : nullptr;
  if (!document) {
    *error = "cannot read " + what + ": " +
             (copy ? unreadSceneFileReason(copyPath)
                   : "its copy in the temporary directory could not be written");
  }
  std::error_code ignored;
  std::filesystem::remove(copyPath, ignored);
  return document;
}

SceneDocument* sceneOfStandardInput(std::string* error) {
  std::string bytes;
  std::error_code failure = platform::readStandardInput(&bytes);
  if (failure) {
    *error = "cannot read the scene from standard input: " + failure.message();
    return nullptr;
  }
  return sceneOfBytes(bytes, "the scene from standard input", error);
}

SceneDocument* sceneOfPipe(const std::string& path, std::string* error) {
  std::string bytes;
  platform::PipeRead read = platform::readPipe(path, SCENE_PIPE_WAIT_MILLISECONDS, &bytes);
  if (read == platform::PipeRead::kNoWriter) {
    *error = "cannot read scene file " + path +
             ": it is a pipe that no program opened to write in " +
             std::to_string(SCENE_PIPE_WAIT_MILLISECONDS / 1000) + " seconds";
    return nullptr;
  }
  if (read == platform::PipeRead::kFailed) {
    *error = "cannot read scene file " + path + ": the pipe could not be opened or read";
    return nullptr;
  }
  return sceneOfBytes(bytes, "scene file " + path, error);
}

SceneDocument* sceneOfFile(const std::string& path, std::string* error) {
  SceneDocument* document = readScene(path.c_str());
  if (!document) *error = "cannot read scene file " + path + ": " + unreadSceneFileReason(path);
  return document;
}

}  // namespace

std::string sceneSourceName(const std::string& path) {
  return path == STANDARD_INPUT_SCENE ? "standard input" : path;
}

SceneDocument* readSceneFile(const std::string& path, std::string* error) {
  SceneDocument* document = nullptr;
  if (path == STANDARD_INPUT_SCENE) {
    document = sceneOfStandardInput(error);
  } else if (platform::namesAPipe(path)) {
    document = sceneOfPipe(path, error);
  } else {
    document = sceneOfFile(path, error);
  }
  if (!document) return nullptr;
  std::string fault = sceneTextFault(document);
  if (!fault.empty()) {
    *error = sceneSourceName(path) + " " + fault;
    freeScene(document);
    return nullptr;
  }
  return document;
}
