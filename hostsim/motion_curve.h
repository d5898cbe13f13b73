// An item's motion as a scene file keys it: keys of nine channels (position
// x y z, heading pitch bank in degrees, scale x y z), each key with a frame,
// a linear flag and tension, continuity and bias, and what happens after the
// last key. Between keys each channel follows a Hermite curve with
// Kochanek-Bartels tangents.

#ifndef QUORVEL_HOSTSIM_MOTION_CURVE_H_
#define QUORVEL_HOSTSIM_MOTION_CURVE_H_

#include <array>
#include <cstddef>
#include <vector>

namespace hostsim {

inline constexpr std::size_t MOTION_CHANNELS = 9;

// The nine channel values of a motion, in key-line order.
using ChannelValues = std::array<double, MOTION_CHANNELS>;

// Channel positions within ChannelValues.
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

// What a motion does after its last key, numbered as "EndBehavior" writes it.
enum class EndBehavior : int {
  Reset = 0,   // back to the first key's values
  Stop = 1,    // holds the last key's values
  Repeat = 2,  // plays the keyed span again and again
};

// One key: its two lines in a scene file.
struct MotionKey {
  ChannelValues values{};
  double frame = 0;
  bool linear = false;  // the segment ending at this key is a straight line
  double tension = 0;
  double continuity = 0;
  double bias = 0;
};

struct Motion {
  std::vector<MotionKey> keys;
  EndBehavior endBehavior = EndBehavior::Stop;
};

// The motion of an item that has none: one key at frame 0 at the origin, no
// rotation, unit scale.
Motion restingMotion();

// The nine channel values of `motion` at `frame` (fractional frames allowed).
// Before the first key every channel holds the first key's value; after the
// last, the end behaviour decides. REQUIRES at least one key, key frames that
// strictly rise, and a finite frame.
ChannelValues evaluateMotion(const Motion& motion, double frame);

}  // namespace hostsim

#endif  // QUORVEL_HOSTSIM_MOTION_CURVE_H_
