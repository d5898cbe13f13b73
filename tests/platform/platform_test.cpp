// What the platform seams do alike on every platform.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "platform/platform.h"
#include "tests/support/test_platform.h"

namespace {

TEST(Platform, FreeBytesAreKnownForADirectoryThatIsThereOnly) {
  ScratchDirectory directory;
  std::optional<std::uint64_t> free = platform::freeBytes(directory.root().string());
  ASSERT_TRUE(free.has_value());
  EXPECT_GT(*free, 0u);
  EXPECT_FALSE(platform::freeBytes(directory.path("absent")).has_value());
}

}  // namespace
