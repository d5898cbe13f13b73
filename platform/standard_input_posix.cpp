// Standard input on POSIX: its descriptor, read to its end.

#include <unistd.h>

#include <cerrno>

#include "platform/platform.h"

namespace platform {

std::error_code readStandardInput(std::string* bytes) {
  char buffer[65536];
  for (;;) {
    ssize_t count = read(STDIN_FILENO, buffer, sizeof buffer);
    if (count == 0) return {};
    if (count > 0) {
      bytes->append(buffer, static_cast<std::size_t>(count));
    } else if (errno != EINTR) {
      return std::error_code(errno, std::generic_category());
    }
  }
}

}  // namespace platform
