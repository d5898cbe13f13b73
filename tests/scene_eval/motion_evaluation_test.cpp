#include <gtest/gtest.h>

#include <numbers>
#include <vector>

#include "scene_eval/motion.h"
#include "scene_eval/world_transform.h"

namespace scene_eval {
namespace {

// Keys of one channel: (time, value, linear, tension, continuity, bias).
struct TcbKey {
  double time;
  double value;
  bool linear = false;
  double tension = 0;
  double continuity = 0;
  double bias = 0;
};

Channel channelOf(const std::vector<TcbKey>& tcbKeys) {
  Channel channel;
  for (const TcbKey& k : tcbKeys) {
    ChannelKey key;
    key.time = k.time;
    key.value = k.value;
    key.span = k.linear ? SpanKind::LINEAR : SpanKind::TCB;
    key.tension = k.tension;
    key.continuity = k.continuity;
    key.bias = k.bias;
    channel.keys.push_back(key);
  }
  return channel;
}

double valueAt(const Channel& channel, double seconds) {
  return evaluateChannel(channel, 0, seconds);
}

// Keys 0, 10, 40 at times 0, 10, 30; the middle key's tension,
// continuity and bias vary. Worked by hand, with u = 1/2 in both segments
// (h00 = h01 = 1/2, h10 = 1/8, h11 = -1/8):
//   TO0 = (1 - t0)(10 - 0) = 10, TI2 = (40 - 10) = 30; d0 = 10, d1 = 20;
//   TO1 = (a 10 + b 30) 2 d1/(d0+d1) = (a 10 + b 30) 4/3 with
//         a = (1-t)(1+c)(1+b)/2, b = (1-t)(1-c)(1-b)/2;
//   TI1 = (a' 10 + b' 30) 2 d0/(d0+d1) = (a' 10 + b' 30) 2/3 with
//         a' = (1-t)(1-c)(1+b)/2, b' = (1-t)(1+c)(1-b)/2;
//   time 5:  10/8 + 10/2 - TI1/8,   time 20: 10/2 + TO1/8 + 40/2 - 30/8.
// Plain (t = c = b = 0): TO1 = 80/3, TI1 = 40/3 -> x(5) = 55/12, x(20) = 295/12.
// Tension 1: both 0 -> 6.25 and 21.25.
// Continuity 1: TO1 = 40/3, TI1 = 20 -> 3.75 and 275/12.
// Bias 1: TO1 = 40/3, TI1 = 20/3 -> 65/12 and 275/12.
// Bias -1: TO1 = 40, TI1 = 20 -> 3.75 and 26.25.
TEST(MotionEvaluation, KochanekBartelsTangentsShapeTheSplineAsWorkedByHand) {
  struct Case {
    const char* name;
    double tension, continuity, bias;
    double at5, at20;
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
    Channel channel =
        channelOf({{0, 0}, {10, 10, false, c.tension, c.continuity, c.bias}, {30, 40}});
    EXPECT_NEAR(valueAt(channel, 5), c.at5, 1e-12);
    EXPECT_NEAR(valueAt(channel, 20), c.at20, 1e-12);
    EXPECT_DOUBLE_EQ(valueAt(channel, 10), 10);  // the curve passes through its keys
  }
  // The first key's tension 1 flattens its outgoing tangent: x(5) = 10/2 - (40/3)/8 = 10/3.
  EXPECT_NEAR(valueAt(channelOf({{0, 0, false, 1}, {10, 10}, {30, 40}}), 5), 10.0 / 3, 1e-12);
}

// Two keys, 0 at time 0 and 10 at time 10; the span has the second key's
// kind. Hermite tangents: 20 leaving the first key, 0 arriving at the
// second: at u = 1/2, 5 + 20/8 = 7.5; at u = 1/4 (h10 = 9/64, h01 = 10/64),
// 10 * 10/64 + 20 * 9/64 = 4.375. Bezier handles at a third of the span,
// (10/3, 20/3) and (-10/3, 0), make time run evenly and give the Hermite
// curve. Handles (5, 0) and (-5, 0): at u = 1/4 time is
// 15 u (1-u) + 10 u^3 = 2.96875 and the value 30 (1-u) u^2 + 10 u^3 = 1.5625.
TEST(MotionEvaluation, EachSpanKindShapesTheSpanAsWorkedByHand) {
  struct Case {
    const char* name;
    SpanKind span;
    BezierHandle outgoing, incoming;
    double time, expected;
  };
  const Case cases[] = {
      {"TCB of two keys is straight", SpanKind::TCB, {}, {}, 2.5, 2.5},
      {"linear", SpanKind::LINEAR, {}, {}, 2.5, 2.5},
      {"stepped holds the first key", SpanKind::STEPPED, {}, {}, 9.99, 0},
      {"stepped at the second key", SpanKind::STEPPED, {}, {}, 10, 10},
      {"Hermite, middle", SpanKind::HERMITE, {}, {}, 5, 7.5},
      {"Hermite, quarter", SpanKind::HERMITE, {}, {}, 2.5, 4.375},
      {"Bezier, even time, middle", SpanKind::BEZIER, {10.0 / 3, 20.0 / 3}, {-10.0 / 3, 0}, 5,
       7.5},
      {"Bezier, even time, quarter", SpanKind::BEZIER, {10.0 / 3, 20.0 / 3}, {-10.0 / 3, 0},
       2.5, 4.375},
      {"Bezier, uneven time", SpanKind::BEZIER, {5, 0}, {-5, 0}, 2.96875, 1.5625},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Channel channel = channelOf({{0, 0}, {10, 10}});
    channel.keys[0].outgoingTangent = 20;
    channel.keys[0].outgoingHandle = c.outgoing;
    channel.keys[0].span = c.span;  // the first key's kind shapes no span
    channel.keys[1].span = c.span;
    channel.keys[1].incomingHandle = c.incoming;
    EXPECT_NEAR(valueAt(channel, c.time), c.expected, 1e-9);
    EXPECT_EQ(valueAt(channel, 0), 0);
    EXPECT_EQ(valueAt(channel, 10), 10);
  }
  // A Bezier span leaving a key of another kind leaves along its tangent.
  Channel channel = channelOf({{0, 0}, {10, 10}});
  channel.keys[0].outgoingTangent = 20;
  channel.keys[1].span = SpanKind::BEZIER;
  channel.keys[1].incomingHandle = {-10.0 / 3, 0};
  EXPECT_NEAR(valueAt(channel, 5), 7.5, 1e-9);
}

// Keys 2 at time 1 and 10 at time 3, linear: a cycle of 2 seconds rising 4
// a second. Sampled half a second before the first key, 1.5 after the last
// and exactly two cycles after the first key.
TEST(MotionEvaluation, EachBehaviourDecidesOutsideTheKeysAsWorkedByHand) {
  struct Case {
    const char* name;
    Behavior behavior;
    double before, after, twoCyclesOn;
  };
  const Case cases[] = {
      {"reset", Behavior::RESET, 0, 0, 0},
      {"constant", Behavior::CONSTANT, 2, 10, 10},
      // Both 1.5 into a cycle (the one before, the second): 2 + 6 = 8.
      {"repeat", Behavior::REPEAT, 8, 8, 2},
      // Both cycles are odd and run backward: 0.5 before their end, 2 + 2 = 4.
      {"oscillate", Behavior::OSCILLATE, 4, 4, 2},
      // Repeat shifted by 8 per cycle: 8 - 8, 8 + 8, 2 + 16.
      {"offset repeat", Behavior::OFFSET_REPEAT, 0, 16, 18},
      {"linear", Behavior::LINEAR, 0, 16, 18},
      {"first key's value", Behavior::FIRST_KEY_VALUE, 2, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Channel channel = channelOf({{1, 2, true}, {3, 10, true}});
    channel.pre = c.behavior;
    channel.post = c.behavior;
    EXPECT_NEAR(valueAt(channel, 0.5), c.before, 1e-9);
    EXPECT_NEAR(valueAt(channel, 4.5), c.after, 1e-9);
    EXPECT_NEAR(valueAt(channel, 5), c.twoCyclesOn, 1e-9);
    EXPECT_EQ(valueAt(channel, 2), 6);  // between the keys no behaviour counts
  }
}

// Keys 0 at time 0 and 10 at time 10 extended linearly one second before
// and two after, at the slope each span kind has at its ends: linear and
// TCB 1 a second; Hermite 20/10 leaving, 5/10 arriving; stepped flat;
// Bezier along its handles (2, 6) leaving and (-4, -2) arriving.
TEST(MotionEvaluation, LinearBehaviourFollowsTheSlopeOfEachSpanKind) {
  struct Case {
    SpanKind span;
    double before, after;
  };
  const Case cases[] = {{SpanKind::LINEAR, -1, 12}, {SpanKind::TCB, -1, 12},
                        {SpanKind::HERMITE, -2, 11}, {SpanKind::STEPPED, 0, 10},
                        {SpanKind::BEZIER, -3, 11}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.span));
    Channel channel = channelOf({{0, 0}, {10, 10}});
    channel.keys[0].span = channel.keys[1].span = c.span;
    channel.keys[0].outgoingTangent = 20;
    channel.keys[1].incomingTangent = 5;
    channel.keys[0].outgoingHandle = {2, 6};
    channel.keys[1].incomingHandle = {-4, -2};
    channel.pre = channel.post = Behavior::LINEAR;
    EXPECT_NEAR(valueAt(channel, -1), c.before, 1e-9);
    EXPECT_NEAR(valueAt(channel, 12), c.after, 1e-9);
  }
}

TEST(MotionEvaluation, ChannelsWithoutKeysRestAndOneKeyHoldsItsValue) {
  Motion motion;
  motion.channels[CHANNEL_POSITION_Y] = channelOf({{1, 7}});
  motion.channels[CHANNEL_POSITION_Y].post = Behavior::REPEAT;
  motion.channels[CHANNEL_POSITION_Z] = channelOf({{1, 7}});
  motion.channels[CHANNEL_POSITION_Z].pre = Behavior::RESET;
  for (double seconds : {0.0, 1.0, 5.0}) {
    ChannelValues values = evaluateMotion(motion, seconds);
    EXPECT_EQ(values, (ChannelValues{0, 7, seconds < 1 ? 0.0 : 7.0, 0, 0, 0, 1, 1, 1}));
  }
}

// The point (1, 2, 3) through one item's own transform, worked by hand.
TEST(WorldTransform, MovesThePivotThenScalesThenRotatesHeadingPitchBank) {
  constexpr double QUARTER = std::numbers::pi / 2;
  struct Case {
    const char* name;
    ChannelValues channels;
    Vector3 pivot;
    Vector3 expected;
  };
  const Case cases[] = {
      // Bank turns +X to +Y and +Y to -X: (1,2,3) -> (-2,1,3).
      {"bank", {0, 0, 0, 0, 0, QUARTER, 1, 1, 1}, {}, {-2, 1, 3}},
      // Pitch turns +Z to -Y and +Y to +Z, then heading turns +Z to +X
      // and +X to -Z: (1,2,3) -> (1,-3,2) -> (2,-3,-1).
      {"heading and pitch", {0, 0, 0, QUARTER, QUARTER, 0, 1, 1, 1}, {}, {2, -3, -1}},
      // Scale (2,1,1) -> (2,2,3), heading -> (3,2,-2), moved by (10,20,30).
      {"scaled, turned, moved", {10, 20, 30, QUARTER, 0, 0, 2, 1, 1}, {}, {13, 22, 28}},
      // Pivot (1,0,0): (0,2,3), scaled (0,2,3), heading -> (3,2,0), moved.
      {"about a pivot", {10, 20, 30, QUARTER, 0, 0, 2, 1, 1}, {1, 0, 0}, {13, 22, 30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Vector3 p = applyTransform(localTransform(c.channels, c.pivot), {1, 2, 3});
    EXPECT_NEAR(p.x, c.expected.x, 1e-12);
    EXPECT_NEAR(p.y, c.expected.y, 1e-12);
    EXPECT_NEAR(p.z, c.expected.z, 1e-12);
  }
}

}  // namespace
}  // namespace scene_eval
