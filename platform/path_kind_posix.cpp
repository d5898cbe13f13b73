// Pipes, sockets and devices on POSIX are files of their own types.

#include <filesystem>

#include "platform/platform.h"

namespace platform {

namespace {

std::filesystem::file_type typeOf(const std::string& path) {
  std::error_code failure;
  return std::filesystem::status(path, failure).type();
}

}  // namespace

bool namesAPipe(const std::string& path) {
  return typeOf(path) == std::filesystem::file_type::fifo;
}

bool opensOnlyWithAReader(const std::string& path) {
  std::filesystem::file_type type = typeOf(path);
  return type == std::filesystem::file_type::fifo || type == std::filesystem::file_type::socket;
}

bool namesADevice(const std::string& path) {
  std::filesystem::file_type type = typeOf(path);
  return type == std::filesystem::file_type::character ||
         type == std::filesystem::file_type::block;
}

}  // namespace platform
