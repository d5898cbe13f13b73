#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "command/command.h"
#include "gmock/gmock.h"
#include "gtest/gtest.h"
#include "tests/command/command_test_support.h"
#include "tests/support/comma_locale.h"
#include "tests/support/failing_writes.h"
#include "tests/support/test_platform.h"

using hostsim::HostSim;
using hostsim::ItemKind;
using hostsim::Message;
using hostsim::Vector3;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class EnvelopeWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { useHostServices(host); }

  // An item whose x is its frame number at 30 frames per second, and a target
  // at the origin: each key's distance is the frame it sampled.
  void addItemMovingOneUnitPerFrame() {
    item = host.addItem({ItemKind::OBJECT, "Mover", [](double seconds) {
                           return Vector3{seconds * 30.0, 0, 0};
                         }});
    target = host.addItem({ItemKind::OBJECT, "Origin", standingAt(0, 0, 0)});
  }

  void addStillItems(Vector3 a, Vector3 b) {
    item = host.addItem({ItemKind::OBJECT, "A", standingAt(a.x, a.y, a.z)});
    target = host.addItem({ItemKind::OBJECT, "B", standingAt(b.x, b.y, b.z)});
  }

  std::string write(std::int32_t lastFrame, std::int32_t frameStep) {
    writeEnvelope(item, target, path.c_str(), lastFrame, frameStep);
    return readFile(path);
  }

  HostSim host;
  ScratchDirectory scratch;
  std::string path = scratch.path("distance.env");
  ItemId item = 0;
  ItemId target = 0;
};

std::string header(int count) { return "LWEN\r\n1\r\n1\r\n" + std::to_string(count) + "\r\n"; }

std::string key(const std::string& value, long frame) {
  return value + "\r\n" + std::to_string(frame) + " 1 0 0 0\r\n";
}

TEST_F(EnvelopeWriterTest, TwoStillItemsGiveTheEightLineFile) {
  addStillItems({0, 0, 0}, {3, 4, 0});
  EXPECT_EQ(write(2, 1),
            "LWEN\r\n1\r\n1\r\n2\r\n5.000000\r\n0 1 0 0 0\r\n5.000000\r\n1 1 0 0 0\r\n");
  EXPECT_THAT(host.messages(), IsEmpty());
}

TEST_F(EnvelopeWriterTest, DefaultsSampleFramesZeroToFiftyNineAtThirtyPerSecond) {
  addItemMovingOneUnitPerFrame();
  std::string expected = header(60) + key("0", 0);
  for (int frame = 1; frame < 60; ++frame) {
    expected += key(std::to_string(frame) + ".000000", frame);
  }
  EXPECT_EQ(write(60, 1), expected);
  std::vector<std::string> params = host.callsTo("itemParam");
  ASSERT_EQ(params.size(), 120u);
  EXPECT_EQ(params[2], "itemParam(1, 8, 0.0333333)");
  EXPECT_EQ(params[3], "itemParam(2, 8, 0.0333333)");
  EXPECT_EQ(params[118], "itemParam(1, 8, 1.96667)");
}

TEST_F(EnvelopeWriterTest, StepThreeBelowTenKeysFramesZeroThreeSixNine) {
  addItemMovingOneUnitPerFrame();
  EXPECT_EQ(write(10, 3), header(4) + key("0", 0) + key("3.000000", 3) + key("6.000000", 6) +
                              key("9.000000", 9));
}

TEST_F(EnvelopeWriterTest, LastFrameZeroOrNegativeWritesTheHeaderWithNoKey) {
  addItemMovingOneUnitPerFrame();
  for (std::int32_t lastFrame : {0, -1, INT_MIN}) {
    EXPECT_EQ(write(lastFrame, 1), header(0)) << "last frame " << lastFrame;
  }
  EXPECT_THAT(host.callsTo("itemParam"), IsEmpty());
}

TEST_F(EnvelopeWriterTest, DistancesAreWrittenInFixedPointExceptAnExactZero) {
  struct Case {
    Vector3 target;
    std::string valueLine;
  };
  const Case cases[] = {
      {{0, 0, 0}, "0"},
      {{0.0000001, 0, 0}, "0.000000"},
      {{3, 4, 0}, "5.000000"},
      {{0, 0, -1.5}, "1.500000"},
      {{1, 2, 2}, "3.000000"},
  };
  item = host.addItem({ItemKind::OBJECT, "A", standingAt(0, 0, 0)});
  for (const Case& c : cases) {
    target = host.addItem({ItemKind::OBJECT, "B", standingAt(c.target.x, c.target.y, c.target.z)});
    EXPECT_EQ(write(1, 1), header(1) + key(c.valueLine, 0)) << c.valueLine;
  }
}

TEST_F(EnvelopeWriterTest, HugeDistanceIsWrittenInFull) {
  addStillItems({0, 0, 0}, {1e300, 0, 0});
  char expected[400];
  std::snprintf(expected, sizeof expected, "%f", 1e300);
  ASSERT_GT(std::string(expected).size(), 300u);
  EXPECT_EQ(write(1, 1), header(1) + key(expected, 0));
}

TEST_F(EnvelopeWriterTest, AnExistingFileIsReplaced) {
  addStillItems({0, 0, 0}, {3, 4, 0});
  std::FILE* old = std::fopen(path.c_str(), "wb");
  ASSERT_NE(old, nullptr);
  std::fputs(std::string(5000, 'x').c_str(), old);
  std::fclose(old);
  EXPECT_EQ(write(1, 1), header(1) + key("5.000000", 0));
}

TEST_F(EnvelopeWriterTest, StepBelowOneIsRefusedAndLeavesTheFileAlone) {
  addStillItems({0, 0, 0}, {3, 4, 0});
  std::FILE* old = std::fopen(path.c_str(), "wb");
  ASSERT_NE(old, nullptr);
  std::fputs("previous envelope", old);
  std::fclose(old);
  for (std::int32_t step : {0, -1, INT_MIN}) {
    writeEnvelope(item, target, path.c_str(), 60, step);
  }
  EXPECT_EQ(readFile(path), "previous envelope");
  Message refusal{"Frame Step must be 1 or more", std::nullopt};
  EXPECT_THAT(host.messages(), ElementsAre(refusal, refusal, refusal));
  EXPECT_THAT(host.callsTo("itemParam"), IsEmpty());
}

TEST_F(EnvelopeWriterTest, AStepPastTheThirtyTwoBitRangeEndsTheSeries) {
  addStillItems({0, 0, 0}, {3, 4, 0});
  EXPECT_EQ(write(INT_MAX, 2000000000),
            header(2) + key("5.000000", 0) + key("5.000000", 2000000000));
  EXPECT_EQ(write(INT_MAX, INT_MAX), header(1) + key("5.000000", 0));
}

TEST_F(EnvelopeWriterTest, AFileThatCannotBeOpenedIsNamedInTheMessage) {
  addStillItems({0, 0, 0}, {3, 4, 0});
  std::string unopenable = scratch.path("no-such-directory/distance.env");
  writeEnvelope(item, target, unopenable.c_str(), 60, 1);
  EXPECT_THAT(host.messages(), ElementsAre(Message{unopenable, std::nullopt}));
  EXPECT_THAT(host.callsTo("itemParam"), IsEmpty());
}

// Each failure is reported and leaves the previous envelope exactly as it
// was, with no temporary file beside it.
TEST_F(EnvelopeWriterTest, AFailedOrRefusedWriteLeavesThePreviousEnvelopeWhole) {
  constexpr double HUGE_NUMBER = 1e308;
  constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* name;
    hostsim::PositionFunction targetAt;
    bool blocked;  // the new envelope cannot take the old one's place
    Message message;
  };
  const Case cases[] = {
      {"items 2e308 apart", standingAt(-HUGE_NUMBER, 0, 0), false,
       {path, "Distance is not a finite number at frame 0"}},
      {"a NaN position at frame 7",
       [=](double seconds) { return Vector3{seconds * 30 > 6.5 ? NOT_A_NUMBER : 1.0, 0, 0}; }, false,
       {path, "Distance is not a finite number at frame 7"}},
      {"an infinite position at frame 2",
       [=](double seconds) { return Vector3{0, seconds * 30 > 1.5 ? -INFINITY : 1.0, 0}; }, false,
       {path, "Distance is not a finite number at frame 2"}},
      {"a replacement that fails", standingAt(3, 4, 0), true,
       {path, "Unable to write envelope file"}},
  };
  const std::string previous = header(1) + key("1.000000", 0);
  item = host.addItem({ItemKind::OBJECT, "A", standingAt(HUGE_NUMBER, 0, 0)});
  for (const Case& c : cases) {
    target = host.addItem({ItemKind::OBJECT, "B", c.targetAt});
    std::FILE* old = std::fopen(path.c_str(), "wb");
    ASSERT_NE(old, nullptr);
    std::fputs(previous.c_str(), old);
    std::fclose(old);
    std::size_t messagesBefore = host.messages().size();
    if (c.blocked) {
      BlockedReplacement blocked(path, 5000);
      writeEnvelope(item, target, path.c_str(), 1000, 1);
    } else {
      writeEnvelope(item, target, path.c_str(), 1000, 1);
    }
    EXPECT_EQ(readFile(path), previous) << c.name;
    EXPECT_EQ(namesIn(scratch.root()), std::set<std::string>{"distance.env"}) << c.name;
    ASSERT_EQ(host.messages().size(), messagesBefore + 1) << c.name;
    EXPECT_EQ(host.messages().back(), c.message) << c.name;
  }
}

// A host may run in a locale whose decimal point is a comma: the envelope
// must still be the bytes the C locale gives.
TEST_F(EnvelopeWriterTest, NumbersAreTheSameInACommaDecimalLocale) {
  item = host.addItem({ItemKind::OBJECT, "Mover", [](double seconds) {
                         return Vector3{seconds * 30.0 * 1234.5678, 0.25, 0};
                       }});
  target = host.addItem({ItemKind::OBJECT, "Origin", standingAt(0, 0, 0)});
  std::string inCLocale = write(30, 7);
  std::string inCommaLocale;
  {
    CommaDecimalLocale comma;
    inCommaLocale = write(30, 7);
  }
  EXPECT_EQ(inCommaLocale, inCLocale);
  std::string firstKeys =
      header(5) + key("0.250000", 0) + key("8641.974604", 7) + key("17283.949202", 14);
  EXPECT_EQ(inCLocale.substr(0, firstKeys.size()), firstKeys);
}

TEST_F(EnvelopeWriterTest, AFailedWriteIsReported) {
  FailingWritePath failing;
  // The item is sampled after the file was opened and before a byte of the
  // keys is written: from then on, no write can succeed. Ten thousand keys
  // outlast what any pipe takes in.
  item = host.addItem({ItemKind::OBJECT, "A", [&](double) {
                         failing.waitUntilWritesFail();
                         return Vector3{0, 0, 0};
                       }});
  target = host.addItem({ItemKind::OBJECT, "B", standingAt(3, 4, 0)});
  writeEnvelope(item, target, failing.path().c_str(), 10000, 1);
  EXPECT_THAT(host.messages(),
              ElementsAre(Message{failing.path(), "Unable to write envelope file"}));
}

}  // namespace
