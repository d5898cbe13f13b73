#include "platform/platform.h"

namespace platform {

bool fileWrittenSince(const FileStamp& before, const std::string& path) {
  FileStamp after = stampFile(path);
  return after.exists && !(after == before);
}

}  // namespace platform
