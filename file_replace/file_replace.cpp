// The parts of a file replacement that are the same on every platform.

#include "file_replace/file_replace.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "file_replace/replacement_files.h"

namespace {

// Writes "<target>.<pid>-<attempt>.part" and its NUL to `name`, which
// REQUIRES room for targetLength + TEMPORARY_NAME_EXTRA bytes; `target`
// REQUIRES targetLength bytes, and attempt is below TEMPORARY_NAME_ATTEMPTS.
void writeTemporaryName(char* name, const char* target, std::size_t targetLength, long pid,
                        int attempt) {
  std::memcpy(name, target, targetLength);
  char* end = name + targetLength;
  *end++ = '.';
  end = std::to_chars(end, end + 20, pid).ptr;
  *end++ = '-';
  end = std::to_chars(end, end + 4, attempt).ptr;
  std::memcpy(end, ".part", 6);
}

}  // namespace

int createTemporary(const char* target, char** path) {
  std::size_t length = std::strlen(target);
  *path = static_cast<char*>(std::malloc(length + TEMPORARY_NAME_EXTRA));
  if (!*path) return -1;
  for (int attempt = 0; attempt < TEMPORARY_NAME_ATTEMPTS; ++attempt) {
    writeTemporaryName(*path, target, length, currentProcessId(), attempt);
    int descriptor = openNewFile(*path);
    if (descriptor >= 0) return descriptor;
    if (errno != EEXIST) break;
  }
  int error = errno;  // kept for the caller across the release
  std::free(*path);
  *path = nullptr;
  errno = error;
  return -1;
}

bool writeDirectly(const char* path, FileReplacement* replacement) {
  replacement->stream = std::fopen(path, "wb");
  return replacement->stream != nullptr;
}

bool finishFileReplacement(FileReplacement* replacement, bool keep) {
  bool written = !std::ferror(replacement->stream);
  if (std::fclose(replacement->stream) != 0) written = false;
  bool replaced = written && keep;
  if (replacement->temporaryPath) {
    if (replaced) replaced = moveOverTarget(replacement->temporaryPath, replacement->targetPath);
    if (!replaced) removeTemporary(replacement->temporaryPath);
  }
  std::free(replacement->temporaryPath);
  std::free(replacement->targetPath);
  *replacement = {nullptr, nullptr, nullptr};
  return replaced;
}
