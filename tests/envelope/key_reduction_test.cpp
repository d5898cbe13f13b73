// Fewer keys within a tolerance: over random and adversarial curves, the kept
// keys interpolate every key within the tolerance, and no kept key but the
// ends can be dropped; a reduced file keeps the module's layout, or is left
// as it was.

#include "envelope/envelope.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "tests/support/test_platform.h"

namespace {

using Curve = std::vector<EnvelopeKey>;

Curve reduced(const Curve& curve, double tolerance) {
  Curve kept;
  KeyReducer reducer(tolerance, [&](const EnvelopeKey& key) { kept.push_back(key); });
  for (const EnvelopeKey& key : curve) reducer.add(key);
  reducer.finish();
  return kept;
}

// The greatest distance from the line through a and b of the curve's keys
// strictly between them.
double worstDeviation(const Curve& curve, const EnvelopeKey& a, const EnvelopeKey& b) {
  double worst = 0;
  for (const EnvelopeKey& key : curve) {
    if (key.frame <= a.frame || key.frame >= b.frame) continue;
    double along = static_cast<double>(key.frame - a.frame) / (b.frame - a.frame);
    worst = std::max(worst, std::fabs(a.value + along * (b.value - a.value) - key.value));
  }
  return worst;
}

struct NamedCurve {
  std::string name;
  Curve keys;
};

// Curves of 1 to 1500 keys at rising frames (steps of 1 to 3), each value a
// function of its frame.
std::vector<NamedCurve> testCurves() {
  std::mt19937 random(20261209);
  std::uniform_real_distribution<double> unit(-1, 1);
  auto make = [&](const std::string& name, int count, const std::function<double(int frame)>& value) {
    Curve keys;
    int frame = 0;
    for (int i = 0; i < count; ++i) {
      keys.push_back({frame, value(frame)});
      frame += 1 + static_cast<int>(random() % 3);
    }
    return NamedCurve{name, keys};
  };
  double walk = 0;
  return {
      make("one key", 1, [](int) { return 4.0; }),
      make("two keys", 2, [](int i) { return i * 10.0; }),
      make("constant", 300, [](int) { return 7.5; }),
      make("straight line", 300, [](int i) { return 0.25 * i - 3; }),
      make("random walk", 1500, [&](int) { return walk += unit(random); }),
      make("white noise", 1000, [&](int) { return 5 * unit(random); }),
      make("noisy orbit", 1500,
           [&](int i) { return 10 + 6 * std::sin(i * 0.05) + 0.01 * unit(random); }),
      make("sawtooth", 1000, [](int i) { return (i % 17) * 0.4; }),
      make("alternating", 1000, [](int i) { return i % 2 ? 1.0 : -1.0; }),
      make("spikes", 1000, [](int i) { return i % 97 == 50 ? 100.0 : 0.0; }),
      make("steps", 1000, [](int i) { return static_cast<double>(i / 50); }),
      make("huge values", 500, [&](int i) { return 1e8 + 1e3 * std::cos(i * 0.1); }),
  };
}

TEST(KeyReduction, KeptKeysStayWithinTheToleranceAndNoneButTheEndsCanBeDropped) {
  for (const NamedCurve& curve : testCurves()) {
    for (double tolerance : {0.0, 1e-6, 0.01, 0.5, 3.0, 1e9}) {
      SCOPED_TRACE(curve.name + ", tolerance " + std::to_string(tolerance));
      Curve kept = reduced(curve.keys, tolerance);
      ASSERT_FALSE(kept.empty());
      EXPECT_EQ(kept.front().frame, curve.keys.front().frame);
      EXPECT_EQ(kept.back().frame, curve.keys.back().frame);
      for (std::size_t i = 0; i < kept.size(); ++i) {
        auto original = std::find_if(curve.keys.begin(), curve.keys.end(),
                                     [&](const EnvelopeKey& k) { return k.frame == kept[i].frame; });
        ASSERT_NE(original, curve.keys.end());
        EXPECT_EQ(original->value, kept[i].value);
        if (i == 0) continue;
        ASSERT_LT(kept[i - 1].frame, kept[i].frame);
        EXPECT_LE(worstDeviation(curve.keys, kept[i - 1], kept[i]), tolerance * (1 + 1e-9) + 1e-9);
        if (i + 1 < kept.size() && tolerance > 0) {
          EXPECT_GT(worstDeviation(curve.keys, kept[i - 1], kept[i + 1]), tolerance * (1 - 1e-6))
              << "the key at frame " << kept[i].frame << " could be dropped";
        }
      }
    }
  }
}

TEST(KeyReduction, CurvesThatNeedNoKeysBetweenTheEndsKeepOnlyTheEnds) {
  for (const NamedCurve& curve : testCurves()) {
    if (curve.name != "constant" && curve.name != "straight line") continue;
    EXPECT_EQ(reduced(curve.keys, 1e-9).size(), 2u) << curve.name;
  }
}

TEST(KeyReduction, AFileIsReplacedInTheModulesLayoutOrLeftAsItWas) {
  ScratchDirectory directory;
  std::string path = directory.path("d.env");
  writeFile(path,
            "LWEN\r\n1\r\n1\r\n5\r\n1.000000\r\n0 1 0 0 0\r\n2.000000\r\n1 1 0 0 0\r\n"
            "3.000000\r\n2 1 0 0 0\r\n-0.500000\r\n4 1 0 0 0\r\n-0.500000\r\n9 1 0 0 0\r\n");
  EnvelopeReduction counts;
  std::string error;
  ASSERT_TRUE(reduceEnvelopeFile(path, 0.001, &counts, &error)) << error;
  EXPECT_EQ(counts.keysBefore, 5u);
  EXPECT_EQ(counts.keysAfter, 4u);
  EXPECT_EQ(readFile(path),
            "LWEN\r\n1\r\n1\r\n4\r\n1.000000\r\n0 1 0 0 0\r\n3.000000\r\n2 1 0 0 0\r\n"
            "-0.500000\r\n4 1 0 0 0\r\n-0.500000\r\n9 1 0 0 0\r\n");

  const std::string unordered = "LWEN\r\n1\r\n1\r\n2\r\n1.0\r\n5 1 0 0 0\r\n2.0\r\n5 1 0 0 0\r\n";
  writeFile(path, unordered);
  EXPECT_FALSE(reduceEnvelopeFile(path, 1, &counts, &error));
  EXPECT_EQ(error, path + ": key 2 is at frame 5, not after frame 5");
  EXPECT_EQ(readFile(path), unordered);
  EXPECT_FALSE(reduceEnvelopeFile(directory.path("none.env"), 1, &counts, &error));
}

}  // namespace
