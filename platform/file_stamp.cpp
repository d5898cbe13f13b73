#include "platform/platform.h"

bool fileWrittenSince(const FileStamp& before, const std::string& path) {
  FileStamp after = stampFile(path);
  return after.exists && !(after == before);
}
