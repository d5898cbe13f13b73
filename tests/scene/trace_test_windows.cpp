// The trace file where Windows refuses it: a file another program holds
// open without sharing it.

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/scene/trace_fixture.h"

namespace {

TEST_F(Trace, AFileHeldWithoutSharingDropsTheTraceAndKeepsItsText) {
  traceText("kept\n");
  HANDLE held = CreateFileA("SpecTEXT.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  traceText("dropped\n");
  traceNumber(7);
  CloseHandle(held);
  traceText("after\n");
  EXPECT_EQ(traced(), "kept\nafter\n");
}

}  // namespace
