// Reading an envelope file back: keys come in file order, and a text that is
// not such an envelope is refused with the line at fault. (What the module
// writes is read back by every end-to-end run.)

#include "envelope/envelope.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

using ::testing::HasSubstr;

// The keys of an envelope text, and whether it was read whole.
bool readKeys(const std::string& text, std::vector<EnvelopeKey>* keys, std::string* error) {
  std::istringstream in(text);
  return readEnvelopeKeys(
      in, "e.env", [&](const EnvelopeKey& key) { keys->push_back(key); }, error);
}

TEST(EnvelopeFile, VisitsKeysInFileOrderAndSummarisesThem) {
  std::vector<EnvelopeKey> keys;
  std::string error;
  ASSERT_TRUE(readKeys("LWEN\r\n1\r\n1\r\n3\r\n2.5\r\n7 1 0 0 0\r\n0\n-3 1 0 0 0\n"
                       "1e2\n 4\t1 0  0 0",
                       &keys, &error))
      << error;
  EnvelopeSummary summary;
  std::vector<std::pair<std::int32_t, double>> seen;
  for (const EnvelopeKey& key : keys) {
    summary.add(key);
    seen.emplace_back(key.frame, key.value);
  }
  EXPECT_EQ(seen, (std::vector<std::pair<std::int32_t, double>>{{7, 2.5}, {-3, 0}, {4, 100}}));
  EXPECT_EQ(envelopeSummaryLine("e.env", summary), "e.env: 3 keys, distance 0.000000 to 100.000000");
  EXPECT_EQ(summary.firstFrame, -3);
  EXPECT_EQ(summary.lastFrame, 7);
  EXPECT_EQ(envelopeSummaryLine("e.env", EnvelopeSummary{}), "e.env: 0 keys");
}

TEST(EnvelopeFile, RefusesMalformedTextsNamingTheLine) {
  struct Malformed {
    std::string text;
    const char* problem;
  };
  const Malformed cases[] = {
      {"", "e.env: ends early, after line 0"},
      {"LWSC\r\n1\r\n1\r\n0\r\n", "e.env: line 1 does not begin with \"LWEN\""},
      {"LWEN\r\n1\r\n2\r\n0\r\n", "line 3 has a channel count other than 1"},
      {"LWEN\r\n1\r\n1\r\n-1\r\n", "line 4 is not a key count"},
      {"LWEN\r\n1\r\n1\r\n2x\r\n", "line 4 is not a key count"},
      {"LWEN\r\n1\r\n1\r\n2\r\n1.5\r\n0 1 0 0 0\r\n", "ends early, after line 6"},
      {"LWEN\r\n1\r\n1\r\n1\r\nfive\r\n0 1 0 0 0\r\n", "line 5 is not a key value"},
      {"LWEN\r\n1\r\n1\r\n1\r\n5\r\n0 1 0\r\n", "line 6 is not a key's frame line"},
      {"LWEN\r\n1\r\n1\r\n1\r\n5\r\n9999999999 1 0 0 0\r\n", "line 6 is not a key's frame line"},
      {"LWEN\r\n1\r\n1\r\n0\r\n5\r\n", "line 5 holds more than its 0 keys"},
      {"LWEN\n1\n1\n1\nnan\n0 1 0 0 0\n", "line 5 holds a value that is not a finite number"},
      {"LWEN\n1\n1\n1\n-nan\n0 1 0 0 0\n", "line 5 holds a value that is not a finite number"},
      {"LWEN\n1\n1\n2\n1\n0 1 0 0 0\ninf\n1 1 0 0 0\n",
       "line 7 holds a value that is not a finite number"},
      {"LWEN\n1\n1\n1\n1e999\n0 1 0 0 0\n", "line 5 is not a key value"},
      {"LWEN\n1\n1\n1\n5,5\n0 1 0 0 0\n", "line 5 is not a key value"},  // any locale
      {"LWEN\n1\n1\n1\n5\n0 1 0 0 x\n", "line 6 is not a key's frame line"},
      {"LWEN\n1\n1\n9\n", "ends early, after line 4"},
      {"LWEN\n1\n1\n1\n" + std::string(513, '1') + "\n0 1 0 0 0\n",
       "line 5 is longer than 512 bytes"},
  };
  for (const Malformed& malformed : cases) {
    std::vector<EnvelopeKey> keys;
    std::string error;
    EXPECT_FALSE(readKeys(malformed.text, &keys, &error)) << malformed.text;
    EXPECT_THAT(error, HasSubstr(malformed.problem)) << malformed.text;
  }
}

}  // namespace

namespace {

// Lines are cut from blocks of the stream: a text far longer than a block,
// its lines of every length up to the longest allowed, reads whole.
TEST(EnvelopeFile, ReadsLinesAcrossBlocksUpToTheLongestAllowed) {
  constexpr int KEYS = 30000;
  std::string text = "LWEN\n1\n1\n" + std::to_string(KEYS) + "\n";
  for (int frame = 0; frame < KEYS; ++frame) {
    // Values padded with up to 499 leading zeros, then "\r\n".
    std::string digits = std::to_string(frame);
    text += std::string(static_cast<std::size_t>(frame % 500), '0') + digits + "\r\n" +
            std::to_string(frame) + " 1 0 0 0\n";
  }
  std::vector<EnvelopeKey> keys;
  std::string error;
  ASSERT_TRUE(readKeys(text, &keys, &error)) << error;
  ASSERT_EQ(keys.size(), static_cast<std::size_t>(KEYS));
  for (int frame = 0; frame < KEYS; ++frame) {
    ASSERT_EQ(keys[frame].frame, frame);
    ASSERT_EQ(keys[frame].value, frame);
  }
  keys.clear();  // the longest line allowed, at the end of the text without a line end
  EXPECT_TRUE(readKeys("LWEN\n1\n1\n1\n" + std::string(511, '0') + "5" +
                           "\n0 1 0 0 0",
                       &keys, &error))
      << error;
}

}  // namespace
