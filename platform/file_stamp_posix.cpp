// File stamps from stat: device and inode, size, and the modification and
// change times to the nanosecond.

#include <sys/stat.h>

#include "platform/platform.h"

namespace platform {

FileStamp stampFile(const std::string& path) {
  FileStamp stamp;
  struct stat status {};
  if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return stamp;
  stamp.exists = true;
  stamp.device = status.st_dev;
  stamp.inode = status.st_ino;
  stamp.size = status.st_size;
  stamp.modifiedSeconds = status.st_mtim.tv_sec;
  stamp.modifiedNanoseconds = status.st_mtim.tv_nsec;
  stamp.changedSeconds = status.st_ctim.tv_sec;
  stamp.changedNanoseconds = status.st_ctim.tv_nsec;
  return stamp;
}

}  // namespace platform
