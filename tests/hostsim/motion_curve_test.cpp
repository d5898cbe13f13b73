#include "hostsim/motion_curve.h"

#include <gtest/gtest.h>

#include <vector>

#include "hostsim/world_transform.h"

namespace hostsim {
namespace {

// Keys that move only position x: (frame, x, linear, tension, continuity, bias).
struct XKey {
  double frame;
  double x;
  bool linear = false;
  double tension = 0;
  double continuity = 0;
  double bias = 0;
};

Motion motionOfX(const std::vector<XKey>& xKeys, EndBehavior endBehavior = EndBehavior::Stop) {
  Motion motion;
  motion.endBehavior = endBehavior;
  for (const XKey& x : xKeys) {
    MotionKey key;
    key.values = {x.x, 0, 0, 0, 0, 0, 1, 1, 1};
    key.frame = x.frame;
    key.linear = x.linear;
    key.tension = x.tension;
    key.continuity = x.continuity;
    key.bias = x.bias;
    motion.keys.push_back(key);
  }
  return motion;
}

double xAt(const Motion& motion, double frame) {
  return evaluateMotion(motion, frame)[CHANNEL_POSITION_X];
}

// Keys x = 0, 10, 40 at frames 0, 10, 30; the middle key's tension,
// continuity and bias vary. Worked by hand, with u = 1/2 in both segments
// (h00 = h01 = 1/2, h10 = 1/8, h11 = -1/8):
//   TO0 = (1 - t0)(10 - 0) = 10, TI2 = (40 - 10) = 30; d0 = 10, d1 = 20;
//   TO1 = (a 10 + b 30) 2 d1/(d0+d1) = (a 10 + b 30) 4/3 with
//         a = (1-t)(1+c)(1+b)/2, b = (1-t)(1-c)(1-b)/2;
//   TI1 = (a' 10 + b' 30) 2 d0/(d0+d1) = (a' 10 + b' 30) 2/3 with
//         a' = (1-t)(1-c)(1+b)/2, b' = (1-t)(1+c)(1-b)/2;
//   frame 5:  x = 10/8 + 10/2 - TI1/8,   frame 20: x = 10/2 + TO1/8 + 40/2 - 30/8.
// Plain (t = c = b = 0): TO1 = 80/3, TI1 = 40/3 -> x(5) = 55/12, x(20) = 295/12.
// Tension 1: both 0 -> 6.25 and 21.25.
// Continuity 1: TO1 = 40/3, TI1 = 20 -> 3.75 and 275/12.
// Bias 1: TO1 = 40/3, TI1 = 20/3 -> 65/12 and 275/12.
// Bias -1: TO1 = 40, TI1 = 20 -> 3.75 and 26.25.
TEST(MotionCurve, KochanekBartelsTangentsShapeTheSplineAsWorkedByHand) {
  struct Case {
    const char* name;
    double tension, continuity, bias;
    double atFrame5, atFrame20;
  };
  const Case cases[] = {
      {"plain", 0, 0, 0, 55.0 / 12, 295.0 / 12},
      {"tension 1", 1, 0, 0, 6.25, 21.25},
      {"continuity 1", 0, 1, 0, 3.75, 275.0 / 12},
      {"bias 1", 0, 0, 1, 65.0 / 12, 275.0 / 12},
      {"bias -1", 0, 0, -1, 3.75, 26.25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Motion motion = motionOfX({{0, 0}, {10, 10, false, c.tension, c.continuity, c.bias}, {30, 40}});
    EXPECT_NEAR(xAt(motion, 5), c.atFrame5, 1e-12);
    EXPECT_NEAR(xAt(motion, 20), c.atFrame20, 1e-12);
    EXPECT_DOUBLE_EQ(xAt(motion, 10), 10);  // the curve passes through its keys
  }
}

// First key's tension 1 flattens its outgoing tangent: x(5) = 10/2 - (40/3)/8 = 10/3.
TEST(MotionCurve, FirstKeyTensionFlattensItsOutgoingTangent) {
  Motion motion = motionOfX({{0, 0, false, 1}, {10, 10}, {30, 40}});
  EXPECT_NEAR(xAt(motion, 5), 10.0 / 3, 1e-12);
}

// The point (1, 2, 3) through one item's own transform, worked by hand.
TEST(WorldTransform, RotatesHeadingThenPitchThenBankAfterScaling) {
  struct Case {
    const char* name;
    ChannelValues channels;
    Vector3 expected;
  };
  const Case cases[] = {
      // Bank 90 turns +X to +Y and +Y to -X: (1,2,3) -> (-2,1,3).
      {"bank 90", {0, 0, 0, 0, 0, 90, 1, 1, 1}, {-2, 1, 3}},
      // Pitch 90 turns +Z to -Y and +Y to +Z, then heading 90 turns +Z to +X
      // and +X to -Z: (1,2,3) -> (1,-3,2) -> (2,-3,-1).
      {"heading and pitch", {0, 0, 0, 90, 90, 0, 1, 1, 1}, {2, -3, -1}},
      // Scale (2,1,1) -> (2,2,3), heading 90 -> (3,2,-2), moved by (10,20,30).
      {"scaled, turned, moved", {10, 20, 30, 90, 0, 0, 2, 1, 1}, {13, 22, 28}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Vector3 p = applyTransform(localTransform(c.channels), {1, 2, 3});
    EXPECT_NEAR(p.x, c.expected.x, 1e-12);
    EXPECT_NEAR(p.y, c.expected.y, 1e-12);
    EXPECT_NEAR(p.z, c.expected.z, 1e-12);
  }
}

}  // namespace
}  // namespace hostsim
