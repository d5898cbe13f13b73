// Opening a scene and saying why it is no scene the host reads: the reader's
// faults in words, then what the bytes read show (a byte-order mark, line
// ends of CR alone, no "LWSC" at the start).

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "scene/scene.h"
#include "scene/scene_reader.h"

namespace {

constexpr std::string_view UTF8_BYTE_ORDER_MARK = "\xEF\xBB\xBF";
constexpr std::string_view SCENE_KEYWORD = "LWSC";

std::string systemReason(int code) { return std::generic_category().message(code); }

std::string readFaultReason(const SceneReadFault& fault) {
  switch (fault.result) {
    case SceneOpenResult::NUL_BYTE:
      return "it holds a NUL byte at offset " + std::to_string(fault.nulOffset) +
             ", so it is not text";
    case SceneOpenResult::NO_MEMORY:
      return "there is not enough memory to hold it";
    default:
      return "a read failed: " + systemReason(fault.systemError);
  }
}

// What keeps a document read whole from being a scene the host reads; sets
// `reason`. The library splits lines at LF alone and keeps a CR before it;
// a CR that something other than LF follows ends a line no reader here sees.
SceneOpenResult textFault(const SceneDocument* document, std::string* reason) {
  std::string_view first = document->first ? document->first->text : "";
  if (first.starts_with(UTF8_BYTE_ORDER_MARK) &&
      first.substr(UTF8_BYTE_ORDER_MARK.size()).starts_with(SCENE_KEYWORD)) {
    *reason = "it begins with a UTF-8 byte-order mark (EF BB BF) before \"LWSC\"; the host reads "
              "scenes without one";
    return SceneOpenResult::BYTE_ORDER_MARK;
  }
  if (!first.starts_with(SCENE_KEYWORD)) {
    *reason = "it does not begin with \"LWSC\"";
    return SceneOpenResult::NOT_A_SCENE;
  }
  std::string_view::size_type cr = first.find('\r');
  if (cr != std::string_view::npos && cr + 1 < first.size() && first[cr + 1] != '\n') {
    *reason = "it ends its lines with CR alone (classic Mac OS); the host reads lines that end "
              "with LF or CR LF";
    return SceneOpenResult::CR_ONLY_LINE_ENDS;
  }
  return SceneOpenResult::OPENED;
}

// Hands a document read (or not) to the caller when it is a scene.
SceneOpenResult opened(SceneDocument* read, const SceneReadFault& fault, SceneDocument** document,
                       std::string* reason) {
  if (!read) {
    *reason = readFaultReason(fault);
    return fault.result;
  }
  SceneOpenResult result = textFault(read, reason);
  if (result == SceneOpenResult::OPENED) {
    *document = read;
  } else {
    freeScene(read);
  }
  return result;
}

}  // namespace

SceneOpenResult openSceneFile(const char* path, SceneDocument** document, std::string* reason) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) {
    *reason = "it is a directory";
    return SceneOpenResult::UNREADABLE;
  }
  errno = 0;
  std::FILE* stream = std::fopen(path, "rb");
  if (!stream) {
    *reason = systemReason(errno);
    return SceneOpenResult::UNREADABLE;
  }
  SceneReadFault fault;
  SceneDocument* read = readSceneStream(stream, &fault);
  std::fclose(stream);
  return opened(read, fault, document, reason);
}

SceneOpenResult openSceneText(std::string_view bytes, SceneDocument** document,
                              std::string* reason) {
  SceneReadFault fault;
  return opened(readSceneBytes(bytes, &fault), fault, document, reason);
}
