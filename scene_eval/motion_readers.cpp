// What the motion readers of every layout share.

#include <iterator>
#include <numbers>

#include "scene_eval/motion_readers.h"

namespace scene_eval {

bool MotionLines::takeLine(const std::string& expected, const FileLine** line) {
  if (next_ >= block_.end) {
    complaint_.at(lastLine().number, "motion ends where " + expected + " should follow");
    return false;
  }
  *line = &block_.lines[next_++];
  return true;
}

bool behaviorOfCode(long code, const FileLine& line, const Complaint& complaint,
                    Behavior* behavior) {
  constexpr Behavior BY_CODE[] = {Behavior::RESET,     Behavior::CONSTANT,
                                  Behavior::REPEAT,    Behavior::OSCILLATE,
                                  Behavior::OFFSET_REPEAT, Behavior::LINEAR};
  if (code < 0 || code >= static_cast<long>(std::size(BY_CODE))) {
    complaint.at(line.number, "behaviour codes are 0 to 5, found " + quotedLine(line.text));
    return false;
  }
  *behavior = BY_CODE[code];
  return true;
}

bool keyComesLater(const Channel& channel, const ChannelKey& key, const std::string& keyName,
                   int lineNumber, const Complaint& complaint) {
  if (channel.keys.empty() || key.time > channel.keys.back().time) return true;
  complaint.at(lineNumber, keyName + " does not come after the key before it; "
                                     "key times must rise");
  return false;
}

double valueFromDegrees(std::size_t channel, double value) {
  bool angle = channel >= CHANNEL_HEADING && channel <= CHANNEL_BANK;
  return angle ? value * std::numbers::pi / 180 : value;
}

}  // namespace scene_eval
