#include "runner/module_search.h"

namespace {

constexpr char MODULE_FILE_NAME[] = "quorvel.p";

}  // namespace

std::filesystem::path findModuleFile(const std::filesystem::path& programDirectory) {
  std::filesystem::path beside = programDirectory / MODULE_FILE_NAME;
  std::filesystem::path installed = programDirectory / ".." / "lib" / "quorvel" / MODULE_FILE_NAME;
  std::error_code failure;
  if (!std::filesystem::exists(beside, failure) && std::filesystem::exists(installed, failure)) {
    return installed.lexically_normal();
  }
  return beside;
}
