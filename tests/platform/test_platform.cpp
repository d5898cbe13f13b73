#include "tests/platform/test_platform.h"

#include <random>
#include <stdexcept>

std::filesystem::path makeScratchDirectory(const std::string& prefix) {
  constexpr int ATTEMPTS = 100;
  std::random_device seed;
  std::mt19937_64 random(seed());
  std::filesystem::path temporary = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
    std::filesystem::path candidate = temporary / (prefix + std::to_string(random()));
    std::error_code failure;
    // create_directory is false without failure when the name is taken.
    if (std::filesystem::create_directory(candidate, failure)) return candidate;
    if (failure) break;
  }
  throw std::runtime_error("cannot make a scratch directory in " + temporary.string());
}
