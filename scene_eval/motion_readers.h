// The readers of an item's motion block, one per layout that scene files
// keep motions in; each gives the same channels of keys (times in seconds,
// angles in radians). Not part of the library's interface: include scene_eval.h.

#ifndef QUORVEL_SCENE_EVAL_MOTION_READERS_H_
#define QUORVEL_SCENE_EVAL_MOTION_READERS_H_

#include <cstddef>
#include <string>
#include <vector>

#include "scene_eval/motion.h"
#include "scene_eval/scene_lines.h"

namespace scene_eval {

// A motion block in a scene file: its head line ("ObjectMotion",
// "LightMotion" or "CameraMotion", with any argument) and where the
// item's lines end.
struct MotionBlock {
  const std::vector<FileLine>& lines;
  std::size_t head;
  std::size_t end;  // one past the item's last line
};

// Version 1: the channel count 9, the key count, per key a line of nine
// values (angles in degrees) and a line "frame linear tension continuity
// bias", then "EndBehavior" 0 (the first key's values), 1 (constant) or 2
// (repeat). Before the first key each channel is constant.
bool readMotionVersion1(const MotionBlock& block, double framesPerSecond,
                        const Complaint& complaint, Motion* motion);

// Version 2: the channel count (at most 9), per channel its key count and
// one line per key "value time span tension continuity bias" (angles in
// degrees; span 2 is the only kind read: TCB), then "Pre/PostBehavior" with
// a pre and a post code per channel.
bool readMotionVersion2(const MotionBlock& block, const Complaint& complaint, Motion* motion);

// Versions 3 to 5: "NumChannels N", then per channel "Channel I",
// "{ Envelope", the key count, one "Key value time span p1 ... p6" line per
// key (angles in radians), "Behaviors PRE POST" and "}". Other lines and
// blocks within an envelope are stepped over. Span kinds: 0 TCB (p1 to p3
// tension, continuity, bias), 1 Hermite (p4, p5 the incoming and outgoing
// tangent), 3 linear, 4 stepped, 5 Bezier (p1, p2 the incoming and p3, p4
// the outgoing handle).
bool readMotionVersion3(const MotionBlock& block, const Complaint& complaint, Motion* motion);

// --- Shared by the readers

// Takes the lines of a motion block one after another, from the line after
// its head, for the readers of versions 2 to 5.
class MotionLines {
 protected:
  MotionLines(const MotionBlock& block, const Complaint& complaint)
      : block_(block), next_(block.head + 1), complaint_(complaint) {}

  // The line taken last (the head before any other).
  const FileLine& lastLine() const { return block_.lines[next_ - 1]; }

  // Takes the next line; fails, naming the line taken last, when the item's
  // lines end where `expected` should follow.
  bool takeLine(const std::string& expected, const FileLine** line);

  const MotionBlock& block_;
  std::size_t next_;  // the index of the next line to take
  const Complaint& complaint_;
};

// The behaviour of a pre or post code 0 to 5 (reset, constant, repeat,
// oscillate, offset repeat, linear); fails naming `line` for another code.
bool behaviorOfCode(long code, const FileLine& line, const Complaint& complaint,
                    Behavior* behavior);

// Fails, naming `lineNumber`, when `key` does not come after the channel's
// last key.
bool keyComesLater(const Channel& channel, const ChannelKey& key, const std::string& keyName,
                   int lineNumber, const Complaint& complaint);

// A value of channel `channel` as a file keeping angles in degrees writes
// it, in the channel's units: angles in radians, the others unchanged.
double valueFromDegrees(std::size_t channel, double value);

}  // namespace scene_eval

#endif  // QUORVEL_SCENE_EVAL_MOTION_READERS_H_
