#include "tests/support/test_platform.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
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

ScratchDirectory::ScratchDirectory() : root_(makeScratchDirectory("quorvel-test-")) {}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) ADD_FAILURE() << "cannot write " << path;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::map<std::string, std::string> snapshot(const std::filesystem::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    std::string name = std::filesystem::relative(entry.path(), root).generic_string();
    files[name] = entry.is_regular_file() ? readFile(entry.path().string()) : "(directory)";
  }
  return files;
}
