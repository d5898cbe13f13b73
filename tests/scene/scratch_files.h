// Helpers for the scene tests that touch files: a fresh temporary directory
// removed again at the end of the test, whole-file reads and writes, a count
// of the process's open file descriptors (to prove a stream was closed).

#ifndef QUORVEL_TESTS_SCENE_SCRATCH_FILES_H_
#define QUORVEL_TESTS_SCENE_SCRATCH_FILES_H_

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "scene/scene.h"

// A new empty directory under the system's temporary directory; it and
// everything in it are removed when the object goes.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvel-scene-XXXXXX").string();
    if (!mkdtemp(pattern.data())) ADD_FAILURE() << "cannot make a temporary directory";
    root_ = pattern;
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::string path(const std::string& name) const { return (root_ / name).string(); }

 private:
  std::filesystem::path root_;
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << "cannot write " << path;
}

inline std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline long openDescriptorCount() {
  long count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count;
}

// Writes `bytes` to a file in `directory` and reads it as a document.
inline SceneDocument* readBytesAsScene(const ScratchDirectory& directory, const std::string& bytes) {
  std::string path = directory.path("in.lws");
  writeBytes(path, bytes);
  return readScene(path.c_str());
}

#endif  // QUORVEL_TESTS_SCENE_SCRATCH_FILES_H_
