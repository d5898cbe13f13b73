// Reading an envelope file back: what the module writes is accepted, and a
// file that is not such an envelope is refused with the line at fault.

#include "tools/envelope_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::HasSubstr;

TEST(EnvelopeFile, ReadsKeysWithEitherLineEnd) {
  for (const char* text : {"LWEN\r\n1\r\n1\r\n2\r\n0\r\n0 1 0 0 0\r\n2.500000\r\n3 1 0 0 0\r\n",
                           "LWEN\n1\n1\n2\n0\n0 1 0 0 0\n2.500000\n3 1 0 0 0\n"}) {
    Envelope envelope;
    std::string error;
    ASSERT_TRUE(parseEnvelope(text, "e.env", &envelope, &error)) << error;
    ASSERT_EQ(envelope.keys.size(), 2u);
    EXPECT_EQ(envelope.keys[0].frame, 0);
    EXPECT_EQ(envelope.keys[0].value, 0.0);
    EXPECT_EQ(envelope.keys[1].frame, 3);
    EXPECT_EQ(envelope.keys[1].value, 2.5);
  }
}

struct Malformed {
  const char* text;
  const char* problem;
};

TEST(EnvelopeFile, RefusesMalformedTextsNamingTheLine) {
  const Malformed cases[] = {
      {"", "e.env: ends early, after line 0"},
      {"LWSC\r\n1\r\n1\r\n0\r\n", "e.env: line 1 does not begin with \"LWEN\""},
      {"LWEN\r\n1\r\n2\r\n0\r\n", "e.env: line 3 has a channel count other than 1"},
      {"LWEN\r\n1\r\n1\r\n-1\r\n", "line 4 is not a key count"},
      {"LWEN\r\n1\r\n1\r\n2x\r\n", "line 4 is not a key count"},
      {"LWEN\r\n1\r\n1\r\n2\r\n1.5\r\n0 1 0 0 0\r\n", "ends early, after line 6"},
      {"LWEN\r\n1\r\n1\r\n1\r\nfive\r\n0 1 0 0 0\r\n", "line 5 is not a key value"},
      {"LWEN\r\n1\r\n1\r\n1\r\n5\r\n0 1 0\r\n", "line 6 is not a key's frame line"},
      {"LWEN\r\n1\r\n1\r\n1\r\n5\r\n9999999999 1 0 0 0\r\n", "line 6 is not a key's frame line"},
      {"LWEN\r\n1\r\n1\r\n0\r\n5\r\n", "line 5 holds more than its 0 keys"},
  };
  for (const Malformed& malformed : cases) {
    Envelope envelope;
    std::string error;
    EXPECT_FALSE(parseEnvelope(malformed.text, "e.env", &envelope, &error)) << malformed.text;
    EXPECT_THAT(error, HasSubstr(malformed.problem)) << malformed.text;
  }
}

TEST(EnvelopeFile, SummaryGivesTheCountAndTheSmallestAndLargestDistance) {
  Envelope envelope;
  EXPECT_EQ(envelopeSummary("a.env", envelope), "a.env: 0 keys");
  envelope.keys = {{0, 7.25}};
  EXPECT_EQ(envelopeSummary("a.env", envelope), "a.env: 1 key, distance 7.250000 to 7.250000");
  envelope.keys = {{0, 3}, {1, 0.5}, {2, 9}, {3, 4}};
  EXPECT_EQ(envelopeSummary("a.env", envelope), "a.env: 4 keys, distance 0.500000 to 9.000000");
}

TEST(EnvelopeFile, AFileThatCannotBeReadIsAnError) {
  Envelope envelope;
  std::string error;
  EXPECT_FALSE(readEnvelope("/nonexistent/quorvel.env", &envelope, &error));
  EXPECT_THAT(error, HasSubstr("/nonexistent/quorvel.env"));
}

}  // namespace
