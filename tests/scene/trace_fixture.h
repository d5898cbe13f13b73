// The trace tests' fixture: each test runs in a fresh directory of its own
// and goes back after.

#ifndef QUORVEL_TESTS_SCENE_TRACE_FIXTURE_H_
#define QUORVEL_TESTS_SCENE_TRACE_FIXTURE_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/scene/core_documents.h"

class Trace : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::current_path(directory.root()); }
  void TearDown() override { std::filesystem::current_path(previous); }
  std::string traced() const { return readFile(directory.path("SpecTEXT.txt")); }

  std::filesystem::path previous = std::filesystem::current_path();
  ScratchDirectory directory;
};

#endif  // QUORVEL_TESTS_SCENE_TRACE_FIXTURE_H_
