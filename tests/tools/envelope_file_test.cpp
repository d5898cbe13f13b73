// Reading an envelope file back: a text that is not such an envelope is
// refused with the line at fault. (What the module writes is read back by
// every end-to-end run.)

#include "tools/envelope_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::HasSubstr;

TEST(EnvelopeFile, RefusesMalformedTextsNamingTheLine) {
  struct Malformed {
    const char* text;
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
  };
  for (const Malformed& malformed : cases) {
    Envelope envelope;
    std::string error;
    EXPECT_FALSE(parseEnvelope(malformed.text, "e.env", &envelope, &error)) << malformed.text;
    EXPECT_THAT(error, HasSubstr(malformed.problem)) << malformed.text;
  }
}

}  // namespace
