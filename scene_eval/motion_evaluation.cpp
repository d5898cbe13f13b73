// Evaluating channels of keys: the shapes of spans and the behaviours
// outside the keyed span, shared by every layout a scene file keeps motions in.

#include <algorithm>
#include <cmath>

#include "scene_eval/motion.h"

namespace scene_eval {

namespace {

using Keys = std::vector<ChannelKey>;

// The Kochanek-Bartels weights of a key on the differences to its
// neighbours, before the spacing of the keys is taken into account.
struct TangentWeights {
  double towardPrevious;
  double towardNext;
};

TangentWeights outgoingWeights(const ChannelKey& key) {
  double t = 1 - key.tension;
  return {t * (1 + key.continuity) * (1 + key.bias) / 2,
          t * (1 - key.continuity) * (1 - key.bias) / 2};
}

TangentWeights incomingWeights(const ChannelKey& key) {
  double t = 1 - key.tension;
  return {t * (1 - key.continuity) * (1 + key.bias) / 2,
          t * (1 + key.continuity) * (1 - key.bias) / 2};
}

// The Kochanek-Bartels tangent with which the curve leaves key k (k < last).
double tcbOutgoing(const Keys& keys, std::size_t k) {
  const ChannelKey& key = keys[k];
  const ChannelKey& next = keys[k + 1];
  double toNext = next.value - key.value;
  if (k == 0) return (1 - key.tension) * toNext;
  const ChannelKey& previous = keys[k - 1];
  double fromPrevious = key.value - previous.value;
  double d0 = key.time - previous.time;
  double d1 = next.time - key.time;
  TangentWeights w = outgoingWeights(key);
  return (w.towardPrevious * fromPrevious + w.towardNext * toNext) * 2 * d1 / (d0 + d1);
}

// The Kochanek-Bartels tangent with which the curve arrives at key k (k > 0).
double tcbIncoming(const Keys& keys, std::size_t k) {
  const ChannelKey& key = keys[k];
  const ChannelKey& previous = keys[k - 1];
  double fromPrevious = key.value - previous.value;
  if (k + 1 == keys.size()) return (1 - key.tension) * fromPrevious;
  const ChannelKey& next = keys[k + 1];
  double toNext = next.value - key.value;
  double d0 = key.time - previous.time;
  double d1 = next.time - key.time;
  TangentWeights w = incomingWeights(key);
  return (w.towardPrevious * fromPrevious + w.towardNext * toNext) * 2 * d0 / (d0 + d1);
}

double hermite(double p0, double outgoing, double p1, double incoming, double u) {
  double u2 = u * u;
  double u3 = u2 * u;
  double h00 = 2 * u3 - 3 * u2 + 1;
  double h10 = u3 - 2 * u2 + u;
  double h01 = -2 * u3 + 3 * u2;
  double h11 = u3 - u2;
  return p0 * h00 + outgoing * h10 + p1 * h01 + incoming * h11;
}

double cubicBezier(double p0, double p1, double p2, double p3, double u) {
  double v = 1 - u;
  return v * v * v * p0 + 3 * v * v * u * p1 + 3 * v * u * u * p2 + u * u * u * p3;
}

// The handle with which a Bezier span leaves `start`. A key of another kind
// has none: its outgoing tangent placed a third of the way along the span
// stands in, which gives that key's Hermite curve.
BezierHandle outgoingHandleOf(const ChannelKey& start, const ChannelKey& end) {
  if (start.span == SpanKind::BEZIER) return start.outgoingHandle;
  return {(end.time - start.time) / 3, start.outgoingTangent / 3};
}

// The Bezier span from `start` to `end` at a time strictly between them:
// the curve parameter whose time is `seconds`, found by halving (the time
// runs from below to above `seconds` over the parameter's range), gives
// the value.
double bezierValue(const ChannelKey& start, const ChannelKey& end, double seconds) {
  const BezierHandle outgoing = outgoingHandleOf(start, end);
  const double t1 = start.time + outgoing.timeOffset;
  const double t2 = end.time + end.incomingHandle.timeOffset;
  double low = 0;
  double high = 1;
  constexpr int HALVINGS = 64;  // beyond the precision of a double
  for (int i = 0; i < HALVINGS; ++i) {
    double middle = (low + high) / 2;
    if (cubicBezier(start.time, t1, t2, end.time, middle) < seconds) {
      low = middle;
    } else {
      high = middle;
    }
  }
  return cubicBezier(start.value, start.value + outgoing.valueOffset,
                     end.value + end.incomingHandle.valueOffset, end.value, (low + high) / 2);
}

// The span from key k to k + 1 at a time strictly between them.
double valueWithinSpan(const Keys& keys, std::size_t k, double seconds) {
  const ChannelKey& start = keys[k];
  const ChannelKey& end = keys[k + 1];
  double u = (seconds - start.time) / (end.time - start.time);
  switch (end.span) {
    case SpanKind::TCB:
      return hermite(start.value, tcbOutgoing(keys, k), end.value, tcbIncoming(keys, k + 1), u);
    case SpanKind::HERMITE:
      return hermite(start.value, start.outgoingTangent, end.value, end.incomingTangent, u);
    case SpanKind::LINEAR:
      return start.value + (end.value - start.value) * u;
    case SpanKind::STEPPED:
      return start.value;
    case SpanKind::BEZIER:
      return bezierValue(start, end, seconds);
  }
  return start.value;
}

// The value at a time from the first key's through the last key's.
double valueWithinKeys(const Keys& keys, double seconds) {
  auto after = std::upper_bound(keys.begin(), keys.end(), seconds,
                                [](double s, const ChannelKey& key) { return s < key.time; });
  std::size_t k = after == keys.begin() ? 0 : static_cast<std::size_t>(after - keys.begin()) - 1;
  if (keys[k].time == seconds || k + 1 == keys.size()) return keys[k].value;
  return valueWithinSpan(keys, k, seconds);
}

// The slope of a Bezier curve at its end: toward the first of the other
// control points (relative to the end, in order) that lies at another time.
double bezierEndSlope(const BezierHandle (&towardOtherEnd)[3]) {
  for (const BezierHandle& point : towardOtherEnd) {
    if (point.timeOffset != 0) return point.valueOffset / point.timeOffset;
  }
  return 0;
}

// The slope, in value per second, with which the curve leaves the first key.
double slopeAtFirstKey(const Keys& keys) {
  if (keys.size() < 2) return 0;
  const ChannelKey& start = keys[0];
  const ChannelKey& end = keys[1];
  double duration = end.time - start.time;
  switch (end.span) {
    case SpanKind::TCB:
      return tcbOutgoing(keys, 0) / duration;
    case SpanKind::HERMITE:
      return start.outgoingTangent / duration;
    case SpanKind::LINEAR:
      return (end.value - start.value) / duration;
    case SpanKind::STEPPED:
      return 0;
    case SpanKind::BEZIER:
      return bezierEndSlope({outgoingHandleOf(start, end),
                             {duration + end.incomingHandle.timeOffset,
                              end.value + end.incomingHandle.valueOffset - start.value},
                             {duration, end.value - start.value}});
  }
  return 0;
}

// The slope, in value per second, with which the curve arrives at the last key.
double slopeAtLastKey(const Keys& keys) {
  if (keys.size() < 2) return 0;
  const ChannelKey& start = keys[keys.size() - 2];
  const ChannelKey& end = keys.back();
  double duration = end.time - start.time;
  switch (end.span) {
    case SpanKind::TCB:
      return tcbIncoming(keys, keys.size() - 1) / duration;
    case SpanKind::HERMITE:
      return end.incomingTangent / duration;
    case SpanKind::LINEAR:
      return (end.value - start.value) / duration;
    case SpanKind::STEPPED:
      return 0;
    case SpanKind::BEZIER:
      return bezierEndSlope({end.incomingHandle,
                             {outgoingHandleOf(start, end).timeOffset - duration,
                              start.value + outgoingHandleOf(start, end).valueOffset - end.value},
                             {-duration, start.value - end.value}});
  }
  return 0;
}

// Whole cycles of the keyed span from the first key to `seconds`; a time
// within a billionth of a cycle of a cycle's start counts as that start, so
// that a sample meant for the first key of a cycle takes its value.
double cyclesBefore(double seconds, double first, double duration) {
  double cycles = (seconds - first) / duration;
  double nearest = std::round(cycles);
  constexpr double SNAP = 1e-9;
  if (std::fabs(cycles - nearest) < SNAP) return nearest;
  return std::floor(cycles);
}

// Repeat, Oscillate and OffsetRepeat at a time outside the keyed span.
double valueOfCycle(const Keys& keys, Behavior behavior, double seconds) {
  const ChannelKey& first = keys.front();
  const ChannelKey& last = keys.back();
  double duration = last.time - first.time;
  if (!(duration > 0)) return first.value;
  double cycles = cyclesBefore(seconds, first.time, duration);
  double within = std::clamp(seconds - first.time - cycles * duration, 0.0, duration);
  if (behavior == Behavior::OSCILLATE && std::fmod(cycles, 2) != 0) within = duration - within;
  double value = valueWithinKeys(keys, first.time + within);
  if (behavior == Behavior::OFFSET_REPEAT) value += cycles * (last.value - first.value);
  return value;
}

// The value before the first key (`before`) or after the last.
double valueOutsideKeys(const Channel& channel, bool before, double seconds) {
  const Keys& keys = channel.keys;
  const ChannelKey& end = before ? keys.front() : keys.back();
  Behavior behavior = before ? channel.pre : channel.post;
  switch (behavior) {
    case Behavior::RESET:
      return 0;
    case Behavior::CONSTANT:
      return end.value;
    case Behavior::FIRST_KEY_VALUE:
      return keys.front().value;
    case Behavior::LINEAR:
      return end.value +
             (before ? slopeAtFirstKey(keys) : slopeAtLastKey(keys)) * (seconds - end.time);
    case Behavior::REPEAT:
    case Behavior::OSCILLATE:
    case Behavior::OFFSET_REPEAT:
      return valueOfCycle(keys, behavior, seconds);
  }
  return end.value;
}

}  // namespace

double restValue(std::size_t channel) { return channel >= CHANNEL_SCALE_X ? 1 : 0; }

double evaluateChannel(const Channel& channel, double rest, double seconds) {
  const Keys& keys = channel.keys;
  if (keys.empty()) return rest;
  if (seconds < keys.front().time) return valueOutsideKeys(channel, true, seconds);
  if (seconds > keys.back().time) return valueOutsideKeys(channel, false, seconds);
  return valueWithinKeys(keys, seconds);
}

ChannelValues evaluateMotion(const Motion& motion, double seconds) {
  ChannelValues values{};
  for (std::size_t channel = 0; channel < MOTION_CHANNELS; ++channel) {
    values[channel] = evaluateChannel(motion.channels[channel], restValue(channel), seconds);
  }
  return values;
}

}  // namespace scene_eval
