// Pipes and sockets on POSIX are files of their own type.

#include <filesystem>

#include "tools/pipe_path.h"

bool opensOnlyWithAReader(const std::string& path) {
  std::error_code failure;
  std::filesystem::file_status status = std::filesystem::status(path, failure);
  return status.type() == std::filesystem::file_type::fifo ||
         status.type() == std::filesystem::file_type::socket;
}
