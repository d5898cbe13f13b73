// File replacement on POSIX systems: a temporary file made with O_EXCL beside
// the target, renamed over it with rename(), which replaces it atomically.

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "file_replace/file_replace.h"
#include "file_replace/replacement_files.h"

namespace {

constexpr int MAX_LINK_HOPS = 40;  // as the kernel's own limit before ELOOP

// A heap text holding the first `length` bytes of `head`, then `tail`; null
// when memory runs out.
char* joinedText(const char* head, std::size_t length, const char* tail) {
  std::size_t tailSize = std::strlen(tail) + 1;
  char* text = static_cast<char*>(std::malloc(length + tailSize));
  if (!text) return nullptr;
  std::memcpy(text, head, length);
  std::memcpy(text + length, tail, tailSize);
  return text;
}

// The path a write to `path` ends at, every symbolic link followed, also a
// link to a file not there yet; a heap text, null when memory runs out or
// the links loop.
char* followedLinks(const char* path) {
  char* current = joinedText(path, 0, path);
  for (int links = 0; current && links <= MAX_LINK_HOPS; ++links) {
    struct stat status;
    if (lstat(current, &status) != 0 || !S_ISLNK(status.st_mode)) return current;
    char link[PATH_MAX];
    ssize_t length = readlink(current, link, sizeof link - 1);
    if (length < 0) break;
    link[length] = '\0';
    // A relative link is relative to the directory the link lies in.
    const char* slash = std::strrchr(current, '/');
    std::size_t keep = link[0] == '/' || !slash ? 0 : static_cast<std::size_t>(slash - current) + 1;
    char* next = joinedText(current, keep, link);
    std::free(current);
    current = next;
  }
  std::free(current);
  return nullptr;
}

// Gives the temporary file the target's permission bits and opens its stream.
bool openTemporaryStream(int descriptor, const struct stat* target, FileReplacement* replacement) {
  if (target && fchmod(descriptor, target->st_mode & 07777) != 0) return false;
  replacement->stream = fdopen(descriptor, "wb");
  return replacement->stream != nullptr;
}

}  // namespace

bool beginFileReplacement(const char* path, FileReplacement* replacement) {
  *replacement = {nullptr, nullptr, nullptr};
  struct stat status;
  bool exists = stat(path, &status) == 0;
  if (exists && !S_ISREG(status.st_mode)) return writeDirectly(path, replacement);
  // A file that may not be written is not replaced either.
  if (exists && access(path, W_OK) != 0) return false;
  char* target = followedLinks(path);
  if (!target) return false;
  char* temporary = nullptr;
  int descriptor = createTemporary(target, &temporary);
  if (descriptor < 0) {
    bool directoryRefused = errno == EACCES || errno == EPERM;
    std::free(target);
    return exists && directoryRefused && writeDirectly(path, replacement);
  }
  if (!openTemporaryStream(descriptor, exists ? &status : nullptr, replacement)) {
    close(descriptor);
    removeTemporary(temporary);
    std::free(temporary);
    std::free(target);
    return false;
  }
  replacement->temporaryPath = temporary;
  replacement->targetPath = target;
  return true;
}

bool moveOverTarget(const char* temporary, const char* target) {
  return rename(temporary, target) == 0;
}

void removeTemporary(const char* path) { unlink(path); }

int openNewFile(const char* path) { return open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); }

long currentProcessId() { return static_cast<long>(getpid()); }
