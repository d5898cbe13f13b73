// Standard output on POSIX: the C stream, which translates nothing.

#include <cerrno>
#include <cstdio>

#include "platform/platform.h"

namespace platform {

std::error_code writeStandardOutput(const std::string& bytes) {
  errno = 0;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
  if (std::fflush(stdout) == 0 && written) return {};
  return errno != 0 ? std::error_code(errno, std::generic_category())
                    : std::make_error_code(std::errc::io_error);
}

}  // namespace platform
