// An item's motion as channels of keys, whatever layout the scene file keeps
// it in, and its evaluation: a channel's value at a time in seconds from the
// shape of the span between two keys and the behaviours before the first and
// after the last key. Not part of the library's interface: include scene_eval.h.

#ifndef QUORVEL_SCENE_EVAL_MOTION_H_
#define QUORVEL_SCENE_EVAL_MOTION_H_

#include <array>
#include <cstddef>
#include <vector>

namespace scene_eval {

inline constexpr std::size_t MOTION_CHANNELS = 9;

// The nine channel values of a motion at one time, in channel order.
using ChannelValues = std::array<double, MOTION_CHANNELS>;

// The channels, numbered as scene files number them. Angles are in radians.
enum MotionChannel : std::size_t {
  CHANNEL_POSITION_X = 0,
  CHANNEL_POSITION_Y = 1,
  CHANNEL_POSITION_Z = 2,
  CHANNEL_HEADING = 3,
  CHANNEL_PITCH = 4,
  CHANNEL_BANK = 5,
  CHANNEL_SCALE_X = 6,
  CHANNEL_SCALE_Y = 7,
  CHANNEL_SCALE_Z = 8,
};

// The shape of the span between two keys; a span has the kind of the key
// that ends it.
enum class SpanKind {
  TCB,      // Hermite curve with Kochanek-Bartels tangents from the neighbours
  HERMITE,  // Hermite curve with the tangents the keys store
  LINEAR,   // a straight line
  STEPPED,  // the value of the key that begins the span
  BEZIER,   // cubic Bezier curve in the (time, value) plane through the handles
};

// What a channel does before its first key (its pre behaviour) or after its
// last (its post behaviour).
enum class Behavior {
  RESET,          // value 0
  CONSTANT,       // the value of the end key
  REPEAT,         // the keyed span again and again
  OSCILLATE,      // the keyed span forward, then backward, in turn
  OFFSET_REPEAT,  // repeated, each cycle shifted by last minus first value
  LINEAR,         // along the curve's slope at the end key
  FIRST_KEY_VALUE,  // the first key's value (what old scenes call a reset)
};

// A Bezier handle, relative to its key.
struct BezierHandle {
  double timeOffset = 0;  // seconds
  double valueOffset = 0;
};

struct ChannelKey {
  double time = 0;  // seconds
  double value = 0;
  SpanKind span = SpanKind::TCB;  // of the span that ends at this key
  double tension = 0;             // Tcb
  double continuity = 0;
  double bias = 0;
  // Hermite: the change of value across a span, the curve's parameter
  // running 0 to 1 from one key to the next.
  double incomingTangent = 0;
  double outgoingTangent = 0;
  BezierHandle incomingHandle;  // Bezier keys only
  BezierHandle outgoingHandle;
};

struct Channel {
  std::vector<ChannelKey> keys;  // times strictly rise; none: the rest value
  Behavior pre = Behavior::CONSTANT;
  Behavior post = Behavior::CONSTANT;
};

struct Motion {
  std::array<Channel, MOTION_CHANNELS> channels;
};

// The value of a channel without keys: 1 for the scale channels, else 0.
double restValue(std::size_t channel);

// The value of `channel` at `seconds`. A time exactly at a key's gives that
// key's value; between keys the span decides, outside them the behaviours.
// A channel without keys gives `rest`. REQUIRES keys whose times strictly
// rise and a finite time.
double evaluateChannel(const Channel& channel, double rest, double seconds);

// All nine channel values of `motion` at `seconds`, as evaluateChannel.
ChannelValues evaluateMotion(const Motion& motion, double seconds);

}  // namespace scene_eval

#endif  // QUORVEL_SCENE_EVAL_MOTION_H_
