#include "fuzz/scratch_file.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include <unistd.h>

#include "fuzz/invariant.h"

namespace {

const std::filesystem::path& scratchFolder();

// Removes the scratch folder when the process exits normally.
void removeScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(scratchFolder(), ignored);
}

// Never destroyed, so that it outlives the exit handler that removes it.
const std::filesystem::path& scratchFolder() {
  static const std::filesystem::path* folder = [] {
    auto* path = new std::filesystem::path;
    *path = std::filesystem::temp_directory_path() /
            ("quorvel-fuzz-" + std::to_string(::getpid()));
    std::error_code error;
    std::filesystem::create_directories(*path, error);
    require(!error, "the scratch folder can be made");
    std::atexit(removeScratchFolder);
    return path;
  }();
  return *folder;
}

}  // namespace

std::string scratchPath(const std::string& name) { return (scratchFolder() / name).string(); }

void writeFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  require(static_cast<bool>(file), "a scratch file can be written");
}

std::string readFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  require(static_cast<bool>(file), "a written file can be opened again");
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> scratchFileNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(scratchFolder())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}
