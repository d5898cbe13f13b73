// The trace file "SpecTEXT.txt" in the current directory.

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

#include "tests/scene/trace_fixture.h"

namespace {

namespace fs = std::filesystem;

TEST_F(Trace, AppendsTextsNumbersAndScenesVerbatim) {
  traceScene(documentOf({}).get());
  EXPECT_FALSE(fs::exists("SpecTEXT.txt"));  // nothing to trace: not even created
  traceText("a %d %s\n");
  traceNumber(0);
  traceNumber(-1);
  traceNumber(INT_MIN);
  traceScene(documentOf({"LWSC\n", "last"}).get());
  EXPECT_EQ(traced(), "a %d %s\nnum is 0\nnum is -1\nnum is -2147483648\nLWSC\nlast");
}

TEST_F(Trace, DropsWhatCannotBeWrittenAndAppendsAfterwards) {
  traceText("kept\n");
  // A directory in the file's place: no trace can open it.
  fs::rename("SpecTEXT.txt", "aside");
  fs::create_directory("SpecTEXT.txt");
  traceText("dropped\n");
  traceScene(documentOf({"dropped\n"}).get());
  EXPECT_TRUE(fs::is_empty("SpecTEXT.txt"));
  fs::remove("SpecTEXT.txt");
  fs::rename("aside", "SpecTEXT.txt");
  traceNumber(7);
  EXPECT_EQ(traced(), "kept\nnum is 7\n");
}

}  // namespace
