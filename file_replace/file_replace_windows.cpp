// File replacement on Windows: a temporary file made exclusively beside the
// target, moved over it with MoveFileExA and MOVEFILE_REPLACE_EXISTING.

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "file_replace/file_replace.h"
#include "file_replace/replacement_files.h"

namespace {

bool isSlash(char c) { return c == '\\' || c == '/'; }

// Whether `path` names something other than a file on disk (NUL, CON, a
// named pipe), which can only be written directly. A path in the device
// namespace (\\.\pipe\..., \\.\COM1) is one by its name: opening a named
// pipe to look at it would take the place of the writer the pipe waits for.
bool isDevice(const char* path) {
  if (isSlash(path[0]) && isSlash(path[1]) && path[2] == '.' && isSlash(path[3])) return true;
  HANDLE handle = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  bool device = GetFileType(handle) != FILE_TYPE_DISK;
  CloseHandle(handle);
  return device;
}

char* copiedText(const char* text) {
  std::size_t size = std::strlen(text) + 1;
  char* copy = static_cast<char*>(std::malloc(size));
  if (copy) std::memcpy(copy, text, size);
  return copy;
}

}  // namespace

bool beginFileReplacement(const char* path, FileReplacement* replacement) {
  *replacement = {nullptr, nullptr, nullptr};
  if (isDevice(path)) return writeDirectly(path, replacement);
  // A read-only file is not replaced either, as it could not be opened.
  DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  // A target whose temporary file's path would pass the system's limit
  // (MAX_PATH, with its terminating zero) is written directly, as it always
  // could be.
  if (std::strlen(path) + LONGEST_TEMPORARY_SUFFIX >= MAX_PATH) {
    return writeDirectly(path, replacement);
  }
  char* target = copiedText(path);
  if (!target) return false;
  char* temporary = nullptr;
  int descriptor = createTemporary(target, &temporary);
  if (descriptor >= 0) replacement->stream = _fdopen(descriptor, "wb");
  if (!replacement->stream) {
    if (descriptor >= 0) {
      _close(descriptor);
      removeTemporary(temporary);
    }
    std::free(temporary);
    std::free(target);
    return false;
  }
  replacement->temporaryPath = temporary;
  replacement->targetPath = target;
  return true;
}

bool moveOverTarget(const char* temporary, const char* target) {
  return MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING) != 0;
}

void removeTemporary(const char* path) { _unlink(path); }

int openNewFile(const char* path) {
  return _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

long currentProcessId() { return static_cast<long>(_getpid()); }
