// Reading a motion block as version 2 scenes keep it: channel after
// channel, each with its own keys, then the behaviours of all channels.

#include "scene_eval/motion_readers.h"
#include "scene_eval/scene_numbers.h"

namespace scene_eval {

namespace {

// The span kind that version 2 writes for TCB keys, the only kind read.
inline constexpr double TCB_SPAN_CODE = 2;

class Version2Reader : private MotionLines {
 public:
  Version2Reader(const MotionBlock& block, const Complaint& complaint)
      : MotionLines(block, complaint) {}

  bool read(Motion* motion) {
    long channelCount = 0;
    if (!readCount("the motion's channel count", &channelCount)) return false;
    if (channelCount < 0 || channelCount > static_cast<long>(MOTION_CHANNELS)) {
      complaint_.at(lastLine().number, "motion of " + std::to_string(channelCount) +
                                           " channels; expected at most 9");
      return false;
    }
    Motion read;
    for (std::size_t channel = 0; channel < static_cast<std::size_t>(channelCount); ++channel) {
      if (!readChannel(channel, &read.channels[channel])) return false;
    }
    if (!readBehaviors(static_cast<std::size_t>(channelCount), &read)) return false;
    *motion = std::move(read);
    return true;
  }

 private:
  bool readCount(const std::string& what, long* count) {
    const FileLine* line = nullptr;
    if (!takeLine(what, &line)) return false;
    if (!parseInteger(line->text, count)) {
      complaint_.at(line->number, "expected " + what + ", found " + quotedLine(line->text));
      return false;
    }
    return true;
  }

  bool readChannel(std::size_t channel, Channel* keys) {
    std::string channelName = "channel " + std::to_string(channel);
    long keyCount = 0;
    if (!readCount("the key count of " + channelName, &keyCount)) return false;
    if (keyCount < 1) {
      complaint_.at(lastLine().number, "key count " + std::to_string(keyCount) +
                                           "; a channel needs at least one key");
      return false;
    }
    for (long k = 0; k < keyCount; ++k) {
      std::string keyName = "key " + std::to_string(k + 1) + " of " + channelName;
      if (!readKey(channel, keyName, keys)) return false;
    }
    return true;
  }

  bool readKey(std::size_t channel, const std::string& keyName, Channel* keys) {
    const FileLine* line = nullptr;
    if (!takeLine(keyName, &line)) return false;
    std::vector<double> numbers;
    if (!parseNumbers(line->text, &numbers) || numbers.size() != 6) {
      complaint_.at(line->number,
                    "expected 6 numbers (value, time, span, tension, continuity, bias) "
                    "for " + keyName + ", found " + quotedLine(line->text));
      return false;
    }
    if (numbers[2] != TCB_SPAN_CODE) {
      complaint_.at(line->number, "span kind " + numberText(numbers[2]) + " of " +
                                      keyName + " is not supported (2, TCB, is)");
      return false;
    }
    ChannelKey key;
    key.value = valueFromDegrees(channel, numbers[0]);
    key.time = numbers[1];
    key.span = SpanKind::TCB;
    key.tension = numbers[3];
    key.continuity = numbers[4];
    key.bias = numbers[5];
    if (!keyComesLater(*keys, key, keyName, line->number, complaint_)) return false;
    keys->keys.push_back(key);
    return true;
  }

  // "Pre/PostBehavior" and a pre and a post code per channel.
  bool readBehaviors(std::size_t channelCount, Motion* motion) {
    const FileLine* line = nullptr;
    if (!takeLine("Pre/PostBehavior", &line)) return false;
    std::vector<long> codes;
    if (!hasKeyword(line->text, "Pre/PostBehavior") ||
        !parseIntegers(argumentOf(line->text), &codes) || codes.size() != 2 * channelCount) {
      complaint_.at(line->number, "expected Pre/PostBehavior and " +
                                      std::to_string(2 * channelCount) +
                                      " codes after the channels, found " +
                                      quotedLine(line->text));
      return false;
    }
    for (std::size_t channel = 0; channel < channelCount; ++channel) {
      Channel& keys = motion->channels[channel];
      if (!behaviorOfCode(codes[2 * channel], *line, complaint_, &keys.pre) ||
          !behaviorOfCode(codes[2 * channel + 1], *line, complaint_, &keys.post)) {
        return false;
      }
    }
    return true;
  }
};

}  // namespace

bool readMotionVersion2(const MotionBlock& block, const Complaint& complaint, Motion* motion) {
  return Version2Reader(block, complaint).read(motion);
}

}  // namespace scene_eval
