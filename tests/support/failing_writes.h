// Shared by the tests that prove a file is replaced whole or not at all:
// what a directory holds. (The replacement that fails is the test
// platform's BlockedReplacement.)

#ifndef QUORVEL_TESTS_SUPPORT_FAILING_WRITES_H_
#define QUORVEL_TESTS_SUPPORT_FAILING_WRITES_H_

#include <filesystem>
#include <set>
#include <string>

// The names of everything in `directory`, hidden names included.
inline std::set<std::string> namesIn(const std::filesystem::path& directory) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

#endif  // QUORVEL_TESTS_SUPPORT_FAILING_WRITES_H_
