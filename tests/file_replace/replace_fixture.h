// The file replacement tests' fixture: a scratch directory of their own, a
// whole replacement in one call, and whole-file reads and writes.

#ifndef QUORVEL_TESTS_FILE_REPLACE_REPLACE_FIXTURE_H_
#define QUORVEL_TESTS_FILE_REPLACE_REPLACE_FIXTURE_H_

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "file_replace/file_replace.h"
#include "tests/support/test_platform.h"

class FileReplaceTest : public ::testing::Test {
 protected:
  ~FileReplaceTest() override { std::filesystem::remove_all(directory); }

  std::string path(const char* name) const { return (directory / name).string(); }

  // Replaces the file at `target` with `content` and gives finishFileReplacement's result.
  static bool replace(const std::string& target, const std::string& content, bool keep = true) {
    FileReplacement replacement;
    if (!beginFileReplacement(target.c_str(), &replacement)) return false;
    std::fwrite(content.data(), 1, content.size(), replacement.stream);
    return finishFileReplacement(&replacement, keep);
  }

  std::filesystem::path directory = makeScratchDirectory("quorvel-replace-");
};

#endif  // QUORVEL_TESTS_FILE_REPLACE_REPLACE_FIXTURE_H_
