#include "scene_tool/scene_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/platform.h"

namespace {

// The scene library reads scenes by path, and standard input can be read
// only once: its bytes go through a temporary file.
Document readStandardInputScene(std::string* error) {
  std::string bytes;
  std::error_code failure = platform::readStandardInput(&bytes);
  if (failure) {
    *error = "cannot read the scene from standard input: " + failure.message();
    return nullptr;
  }
  std::string copyPath;
  if (!platform::makeTemporaryFile(&copyPath)) {
    *error = "cannot read standard input: no file can be made in the temporary directory";
    return nullptr;
  }
  std::ofstream copy(copyPath, std::ios::binary | std::ios::trunc);
  copy << bytes;
  copy.close();
  Document document(copy ? readScene(copyPath.c_str()) : nullptr);
  std::error_code ignored;
  std::filesystem::remove(copyPath, ignored);
  if (!document) *error = "cannot read standard input: it holds a NUL byte, or reading failed";
  return document;
}

Document readFileScene(const std::string& path, std::string* error) {
  std::FILE* probe = std::fopen(path.c_str(), "rb");
  if (!probe) {
    *error = "cannot read " + path + ": " + std::strerror(errno);
    return nullptr;
  }
  std::fclose(probe);
  Document document(readScene(path.c_str()));
  if (!document) *error = "cannot read " + path + ": it holds a NUL byte, or reading failed";
  return document;
}

}  // namespace

std::string sceneFileName(const std::string& path) {
  return path == STANDARD_STREAM_PATH ? "standard input" : path;
}

Document readSceneFile(const std::string& path, std::string* error) {
  Document document =
      path == STANDARD_STREAM_PATH ? readStandardInputScene(error) : readFileScene(path, error);
  if (document && (!document->first || compareKeyword(document->first->text, "LWSC") != 0)) {
    *error = sceneFileName(path) + ":1: not a scene file: it does not begin with \"LWSC\"";
    document.reset();
  }
  return document;
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
