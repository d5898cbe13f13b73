#include "runner/scene_faults.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <system_error>

#include "scene/scene.h"

namespace {

constexpr std::string_view UTF8_BYTE_ORDER_MARK = "\xEF\xBB\xBF";
constexpr std::string_view SCENE_KEYWORD = "LWSC";

std::string nulByteReason(std::uint64_t offset) {
  return "it holds a NUL byte at offset " + std::to_string(offset) + ", so it is not text";
}

std::string systemReason(int code) { return std::generic_category().message(code); }

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string unreadSceneFileReason(const std::string& path) {
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return systemReason(errno);
  char block[65536];
  std::uint64_t offset = 0;
  std::size_t count = 0;
  while ((count = std::fread(block, 1, sizeof block, file.get())) > 0) {
    const void* nul = std::memchr(block, '\0', count);
    if (nul)
      return nulByteReason(offset +
                           static_cast<std::size_t>(static_cast<const char*>(nul) - block));
    offset += count;
  }
  if (std::ferror(file.get())) return "a read failed: " + systemReason(errno);
  return "there is not enough memory to hold it";
}

std::string sceneBytesFault(const std::string& bytes) {
  std::string::size_type nul = bytes.find('\0');
  return nul == std::string::npos ? std::string() : nulByteReason(nul);
}

// The library splits lines at LF alone and keeps a CR before it; a CR that
// something other than LF follows ends a line no reader here sees.
std::string sceneTextFault(const SceneDocument* document) {
  if (!document->first) return "";
  std::string_view first = document->first->text;
  if (first.starts_with(UTF8_BYTE_ORDER_MARK) &&
      first.substr(UTF8_BYTE_ORDER_MARK.size()).starts_with(SCENE_KEYWORD)) {
    return "begins with a UTF-8 byte-order mark (EF BB BF) before \"LWSC\"; the host reads "
           "scenes without one";
  }
  std::string_view::size_type cr = first.find('\r');
  if (first.starts_with(SCENE_KEYWORD) && cr != std::string_view::npos && cr + 1 < first.size() &&
      first[cr + 1] != '\n') {
    return "ends its lines with CR alone (classic Mac OS); the host reads lines that end with LF "
           "or CR LF";
  }
  return "";
}
