// Standard output on Windows: the C runtime's stream, switched to binary for
// the write so that a "\n" does not become "\r\n", then back to text for the
// messages printed after it.

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>

#include "platform/platform.h"

namespace platform {

std::error_code writeStandardOutput(const std::string& bytes) {
  errno = 0;
  std::fflush(stdout);
  int previous = _setmode(_fileno(stdout), _O_BINARY);
  bool written = previous != -1 &&
                 std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
                 std::fflush(stdout) == 0;
  if (previous != -1) _setmode(_fileno(stdout), previous);
  if (written) return {};
  return errno != 0 ? std::error_code(errno, std::generic_category())
                    : std::make_error_code(std::errc::io_error);
}

}  // namespace platform
