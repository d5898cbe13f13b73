#include "runner/scene_reading.h"

#include "platform/platform.h"
#include "scene/scene.h"

namespace {

// The message for a scene the library did not open: `what` is the scene as
// "cannot read ..." names it, `name` as the other messages do.
std::string unopenedMessage(SceneOpenResult result, const std::string& reason,
                            const std::string& what, const std::string& name) {
  switch (result) {
    case SceneOpenResult::BYTE_ORDER_MARK:
    case SceneOpenResult::CR_ONLY_LINE_ENDS:
      return name + reason.substr(reason.find(' '));  // "it begins ..." -> "NAME begins ..."
    case SceneOpenResult::NOT_A_SCENE:
      return name + " is not a scene file: " + reason;
    default:
      return "cannot read " + what + ": " + reason;
  }
}

// The scene the library makes of a file or of bytes read whole; null with
// `error` set when it makes none.
template <typename Source, typename Open>
SceneDocument* opened(const Source& source, Open open, const std::string& what,
                      const std::string& name, std::string* error) {
  SceneDocument* document = nullptr;
  std::string reason;
  SceneOpenResult result = open(source, &document, &reason);
  if (result != SceneOpenResult::OPENED) *error = unopenedMessage(result, reason, what, name);
  return document;
}

SceneDocument* sceneOfStandardInput(std::string* error) {
  std::string bytes;
  std::error_code failure = platform::readStandardInput(&bytes);
  if (failure) {
    *error = "cannot read the scene from standard input: " + failure.message();
    return nullptr;
  }
  return opened(bytes, openSceneText, "the scene from standard input", "standard input", error);
}

SceneDocument* sceneOfPipe(const std::string& path, std::string* error) {
  std::string bytes;
  platform::PipeRead read = platform::readPipe(path, SCENE_PIPE_WAIT_MILLISECONDS, &bytes);
  if (read == platform::PipeRead::NO_WRITER) {
    *error = "cannot read scene file " + path +
             ": it is a pipe that no program opened to write in " +
             std::to_string(SCENE_PIPE_WAIT_MILLISECONDS / 1000) + " seconds";
    return nullptr;
  }
  if (read == platform::PipeRead::READ_FAILED) {
    *error = "cannot read scene file " + path + ": the pipe could not be opened or read";
    return nullptr;
  }
  return opened(bytes, openSceneText, "scene file " + path, path, error);
}

}  // namespace

std::string sceneSourceName(const std::string& path) {
  return path == STANDARD_INPUT_SCENE ? "standard input" : path;
}

SceneDocument* readSceneFile(const std::string& path, std::string* error) {
  if (path == STANDARD_INPUT_SCENE) return sceneOfStandardInput(error);
  if (platform::namesAPipe(path)) return sceneOfPipe(path, error);
  return opened(path.c_str(), openSceneFile, "scene file " + path, path, error);
}
