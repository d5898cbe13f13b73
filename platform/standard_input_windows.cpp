// Standard input on Windows: the C runtime's stream, switched to binary so
// that no "\r\n" becomes "\n" and no Ctrl-Z ends it early.

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>

#include "platform/platform.h"

namespace platform {

namespace {

// The C runtime's code for the failure, or a plain input/output error when
// it set none.
std::error_code lastFailure() {
  return errno != 0 ? std::error_code(errno, std::generic_category())
                    : std::make_error_code(std::errc::io_error);
}

}  // namespace

std::error_code readStandardInput(std::string* bytes) {
  errno = 0;
  if (_setmode(_fileno(stdin), _O_BINARY) == -1) return lastFailure();
  char buffer[65536];
  std::size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) bytes->append(buffer, count);
  return std::ferror(stdin) ? lastFailure() : std::error_code();
}

}  // namespace platform
