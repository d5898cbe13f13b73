#include "hostsim/motion_curve.h"

#include <algorithm>
#include <cmath>

namespace hostsim {

namespace {

// The Kochanek-Bartels weights of key `key` on the differences to its
// neighbours, before the spacing of the frames is taken into account.
struct TangentWeights {
  double towardPrevious;
  double towardNext;
};

TangentWeights outgoingWeights(const MotionKey& key) {
  double t = 1 - key.tension;
  return {t * (1 + key.continuity) * (1 + key.bias) / 2,
          t * (1 - key.continuity) * (1 - key.bias) / 2};
}

TangentWeights incomingWeights(const MotionKey& key) {
  double t = 1 - key.tension;
  return {t * (1 - key.continuity) * (1 + key.bias) / 2,
          t * (1 + key.continuity) * (1 - key.bias) / 2};
}

// The tangent with which channel `channel` leaves key k (k < last).
double outgoingTangent(const std::vector<MotionKey>& keys, std::size_t k, std::size_t channel) {
  const MotionKey& key = keys[k];
  const MotionKey& next = keys[k + 1];
  double toNext = next.values[channel] - key.values[channel];
  if (k == 0) return (1 - key.tension) * toNext;
  const MotionKey& previous = keys[k - 1];
  double fromPrevious = key.values[channel] - previous.values[channel];
  double d0 = key.frame - previous.frame;
  double d1 = next.frame - key.frame;
  TangentWeights w = outgoingWeights(key);
  return (w.towardPrevious * fromPrevious + w.towardNext * toNext) * 2 * d1 / (d0 + d1);
}

// The tangent with which channel `channel` arrives at key k (k > 0).
double incomingTangent(const std::vector<MotionKey>& keys, std::size_t k, std::size_t channel) {
  const MotionKey& key = keys[k];
  const MotionKey& previous = keys[k - 1];
  double fromPrevious = key.values[channel] - previous.values[channel];
  if (k + 1 == keys.size()) return (1 - key.tension) * fromPrevious;
  const MotionKey& next = keys[k + 1];
  double toNext = next.values[channel] - key.values[channel];
  double d0 = key.frame - previous.frame;
  double d1 = next.frame - key.frame;
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

// The segment [k, k+1] holding `frame`, which lies within the keyed span.
std::size_t segmentHolding(const std::vector<MotionKey>& keys, double frame) {
  auto after = std::upper_bound(keys.begin(), keys.end(), frame,
                                [](double f, const MotionKey& key) { return f < key.frame; });
  std::size_t k = after == keys.begin() ? 0 : static_cast<std::size_t>(after - keys.begin()) - 1;
  return std::min(k, keys.size() - 2);
}

ChannelValues valuesWithinSpan(const std::vector<MotionKey>& keys, double frame) {
  std::size_t k = segmentHolding(keys, frame);
  const MotionKey& start = keys[k];
  const MotionKey& end = keys[k + 1];
  double u = (frame - start.frame) / (end.frame - start.frame);
  ChannelValues values{};
  for (std::size_t channel = 0; channel < MOTION_CHANNELS; ++channel) {
    double p0 = start.values[channel];
    double p1 = end.values[channel];
    values[channel] = end.linear ? p0 + (p1 - p0) * u
                                 : hermite(p0, outgoingTangent(keys, k, channel), p1,
                                           incomingTangent(keys, k + 1, channel), u);
  }
  return values;
}

}  // namespace

Motion restingMotion() {
  Motion motion;
  MotionKey key;
  key.values = {0, 0, 0, 0, 0, 0, 1, 1, 1};
  motion.keys.push_back(key);
  return motion;
}

ChannelValues evaluateMotion(const Motion& motion, double frame) {
  const std::vector<MotionKey>& keys = motion.keys;
  const MotionKey& first = keys.front();
  const MotionKey& last = keys.back();
  if (keys.size() == 1 || !(frame > first.frame)) return first.values;
  if (frame > last.frame) {
    switch (motion.endBehavior) {
      case EndBehavior::Reset:
        return first.values;
      case EndBehavior::Stop:
        return last.values;
      case EndBehavior::Repeat:
        frame = first.frame + std::fmod(frame - first.frame, last.frame - first.frame);
        break;
    }
  }
  return valuesWithinSpan(keys, frame);
}

}  // namespace hostsim
