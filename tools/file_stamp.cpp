#include "tools/file_stamp.h"

bool fileWrittenSince(const FileStamp& before, const std::string& path) {
  FileStamp after = stampFile(path);
  return after.exists && !(after == before);
}
