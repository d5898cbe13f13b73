#include "scene_tool/scene_files.h"

#include "platform/platform.h"

namespace {

// The message for a scene the library did not open, named `name`.
std::string unopenedMessage(SceneOpenResult result, const std::string& reason,
                            const std::string& name) {
  bool contentFault = result == SceneOpenResult::BYTE_ORDER_MARK ||
              result == SceneOpenResult::CR_ONLY_LINE_ENDS || result == SceneOpenResult::NOT_A_SCENE;
  return contentFault ? name + ":1: not a scene file: " + reason : "cannot read " + name + ": " + reason;
}

}  // namespace

std::string sceneFileName(const std::string& path) {
  return path == STANDARD_STREAM_PATH ? "standard input" : path;
}

Document readSceneFile(const std::string& path, std::string* error) {
  SceneDocument* document = nullptr;
  std::string reason;
  SceneOpenResult result = SceneOpenResult::OPENED;
  std::string bytes;
  if (path != STANDARD_STREAM_PATH) {
    result = openSceneFile(path.c_str(), &document, &reason);
  } else if (std::error_code failure = platform::readStandardInput(&bytes); failure) {
    *error = "cannot read the scene from standard input: " + failure.message();
    return nullptr;
  } else {
    result = openSceneText(bytes, &document, &reason);
  }
  if (result != SceneOpenResult::OPENED) *error = unopenedMessage(result, reason, sceneFileName(path));
  return Document(document);
}

bool writeSceneFile(const SceneDocument* document, const std::string& path, std::string* error) {
  if (path != STANDARD_STREAM_PATH) {
    if (writeScene(document, path.c_str())) return true;
    *error = "cannot write " + path;
    return false;
  }
  std::string bytes;
  for (const SceneLine* line = document->first; line; line = line->next) bytes += line->text;
  std::error_code failure = platform::writeStandardOutput(bytes);
  if (!failure) return true;
  *error = "cannot write the scene to standard output: " + failure.message();
  return false;
}
