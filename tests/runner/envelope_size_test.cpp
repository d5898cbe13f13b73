// The size of a bake's envelope, known before the bake: the key count and a
// byte estimate that is exact but for the value lines, which it bounds.

#include "runner/envelope_size.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The file a bake writes when every value line takes the most the estimate
// allows, counted key by key.
std::uint64_t widestFileBytes(std::int32_t lastFrame, std::int32_t step, std::uint64_t* keys) {
  *keys = 0;
  std::uint64_t frameBytes = 0;
  for (std::int64_t frame = 0; frame < lastFrame; frame += step) {
    ++*keys;
    frameBytes += std::to_string(frame).size() + std::string(" 1 0 0 0\r\n").size();
  }
  std::string header = "LWEN\r\n1\r\n1\r\n" + std::to_string(*keys) + "\r\n";
  return header.size() + frameBytes + *keys * VALUE_LINE_BYTES;
}

TEST(EnvelopeSize, CountsKeysAndBytesAsTheWriterWrites) {
  const std::pair<std::int32_t, std::int32_t> bakes[] = {
      {60, 1}, {10, 3}, {0, 1}, {-5, 2}, {1, 7}, {10, 1}, {11, 1}, {100001, 1}, {2500000, 9}};
  for (auto [lastFrame, step] : bakes) {
    std::uint64_t keys = 0;
    std::uint64_t bytes = widestFileBytes(lastFrame, step, &keys);
    EXPECT_EQ(envelopeKeyCount(lastFrame, step), keys) << lastFrame << " / " << step;
    EXPECT_EQ(envelopeSizeEstimate(lastFrame, step), bytes) << lastFrame << " / " << step;
  }
  // The widest value line below the distance the estimate allows for.
  EXPECT_EQ(std::string("999999999.999999\r\n").size(), VALUE_LINE_BYTES);
  // The largest bake: 2^31 - 1 keys, about 80.5 GB.
  EXPECT_EQ(envelopeKeyCount(2147483647, 1), 2147483647u);
  EXPECT_EQ(byteCountText(envelopeSizeEstimate(2147483647, 1)), "80.5 GB");
}

TEST(EnvelopeSize, ByteCountsReadInUnitsOfAThousand) {
  EXPECT_EQ(byteCountText(999), "999 bytes");
  EXPECT_EQ(byteCountText(1000), "1.0 kB");
  EXPECT_EQ(byteCountText(3250000), "3.2 MB");
  EXPECT_EQ(byteCountText(18446744073709551615u), "18.4 EB");
}

}  // namespace
