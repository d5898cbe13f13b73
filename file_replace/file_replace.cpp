// The parts of a file replacement that are the same on every platform.

#include "file_replace/file_replace.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

#include "file_replace/replacement_files.h"

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
