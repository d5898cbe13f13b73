// Reading a motion block as version 1 scenes keep it: keys of all nine
// channels at once, frames for times.

#include <algorithm>

#include "scene_eval/motion_readers.h"
#include "scene_eval/scene_numbers.h"

namespace scene_eval {

namespace {

// What one key of version 1 holds: its two lines.
struct KeyLines {
  ChannelValues values{};  // angles in degrees
  double frame = 0;
  bool linear = false;  // the span ending at this key is a straight line
  double tension = 0;
  double continuity = 0;
  double bias = 0;
};

// Reads the lines after the head:
//   channel count, key count,
//   per key: nine channel values, then frame, linear, tension, continuity, bias,
//   EndBehavior.
class Version1Reader {
 public:
  Version1Reader(const MotionBlock& block, const Complaint& complaint)
      : lines_(block.lines), head_(block.head), end_(block.end), complaint_(complaint) {}

  bool read(double framesPerSecond, Motion* motion) {
    long keyCount = 0;
    if (!readChannelCount() || !readKeyCount(&keyCount)) return false;
    Motion read;
    for (long k = 0; k < keyCount; ++k) {
      KeyLines key;
      if (!readKey(keyCount, k, &key)) return false;
      if (!addKey(key, framesPerSecond, k, &read)) return false;
    }
    Behavior post = Behavior::CONSTANT;
    if (!readEndBehavior(keyCount, &post)) return false;
    for (Channel& channel : read.channels) channel.post = post;
    *motion = std::move(read);
    return true;
  }

 private:
  static constexpr std::size_t CHANNEL_COUNT_OFFSET = 1;
  static constexpr std::size_t KEY_COUNT_OFFSET = 2;
  static constexpr std::size_t FIRST_KEY_OFFSET = 3;

  bool present(std::size_t offset) const { return head_ + offset < end_; }
  const FileLine& line(std::size_t offset) const { return lines_[head_ + offset]; }
  std::size_t valuesOffset(long k) const {
    return FIRST_KEY_OFFSET + 2 * static_cast<std::size_t>(k);
  }

  bool readChannelCount() {
    if (!present(CHANNEL_COUNT_OFFSET)) {
      complaint_.at(line(0).number, "motion without a channel count");
      return false;
    }
    const FileLine& countLine = line(CHANNEL_COUNT_OFFSET);
    long channels = 0;
    if (!parseInteger(countLine.text, &channels)) {
      complaint_.at(countLine.number,
                    "expected the motion's channel count, found " + quotedLine(countLine.text));
      return false;
    }
    if (channels != static_cast<long>(MOTION_CHANNELS)) {
      complaint_.at(countLine.number, "motion of " + std::to_string(channels) +
                                          " channels; expected " +
                                          std::to_string(MOTION_CHANNELS));
      return false;
    }
    return true;
  }

  bool readKeyCount(long* keyCount) {
    if (!present(KEY_COUNT_OFFSET)) {
      complaint_.at(line(CHANNEL_COUNT_OFFSET).number, "motion without a key count");
      return false;
    }
    const FileLine& countLine = line(KEY_COUNT_OFFSET);
    if (!parseInteger(countLine.text, keyCount)) {
      complaint_.at(countLine.number,
                    "expected the motion's key count, found " + quotedLine(countLine.text));
      return false;
    }
    if (*keyCount < 1) {
      complaint_.at(countLine.number, "key count " + std::to_string(*keyCount) +
                                          "; a motion needs at least one key");
      return false;
    }
    return true;
  }

  // True when the key line at `offset` is missing: the motion ends early.
  bool keyLineMissing(std::size_t offset) const {
    return !present(offset) || hasKeyword(line(offset).text, "EndBehavior");
  }

  bool readKey(long keyCount, long k, KeyLines* key) {
    std::size_t offset = valuesOffset(k);
    if (keyLineMissing(offset) || keyLineMissing(offset + 1)) {
      complaint_.at(line(KEY_COUNT_OFFSET).number,
                    "key count " + std::to_string(keyCount) + " but only " +
                        std::to_string(k) + " complete keys follow");
      return false;
    }
    std::string keyName = "key " + std::to_string(k + 1);
    const FileLine& valuesLine = line(offset);
    std::vector<double> numbers;
    if (!parseNumbers(valuesLine.text, &numbers) || numbers.size() != MOTION_CHANNELS) {
      complaint_.at(valuesLine.number,
                    "expected 9 numbers (position, heading pitch bank, scale) for " +
                        keyName + ", found " + quotedLine(valuesLine.text));
      return false;
    }
    std::copy(numbers.begin(), numbers.end(), key->values.begin());
    const FileLine& frameLine = line(offset + 1);
    if (!parseNumbers(frameLine.text, &numbers) || numbers.size() != 5) {
      complaint_.at(frameLine.number,
                    "expected 5 numbers (frame, linear, tension, continuity, bias) for " +
                        keyName + ", found " + quotedLine(frameLine.text));
      return false;
    }
    key->frame = numbers[0];
    key->linear = numbers[1] != 0;
    key->tension = numbers[2];
    key->continuity = numbers[3];
    key->bias = numbers[4];
    return true;
  }

  // Adds the key to every channel; its frames must rise.
  bool addKey(const KeyLines& key, double framesPerSecond, long k, Motion* motion) const {
    for (std::size_t channel = 0; channel < MOTION_CHANNELS; ++channel) {
      ChannelKey channelKey;
      channelKey.time = key.frame / framesPerSecond;
      channelKey.value = valueFromDegrees(channel, key.values[channel]);
      channelKey.span = key.linear ? SpanKind::LINEAR : SpanKind::TCB;
      channelKey.tension = key.tension;
      channelKey.continuity = key.continuity;
      channelKey.bias = key.bias;
      Channel& keys = motion->channels[channel];
      if (!keyComesLater(keys, channelKey, "key " + std::to_string(k + 1),
                         line(valuesOffset(k) + 1).number, complaint_)) {
        return false;
      }
      keys.keys.push_back(channelKey);
    }
    return true;
  }

  bool readEndBehavior(long keyCount, Behavior* post) {
    std::size_t offset = valuesOffset(keyCount);
    if (!present(offset)) {
      complaint_.at(line(offset - 1).number, "motion ends without an EndBehavior line");
      return false;
    }
    const FileLine& endLine = line(offset);
    std::vector<double> numbers;
    if (parseNumbers(endLine.text, &numbers) && !numbers.empty()) {
      complaint_.at(line(KEY_COUNT_OFFSET).number,
                    "key count " + std::to_string(keyCount) + " but more keys follow");
      return false;
    }
    if (!hasKeyword(endLine.text, "EndBehavior")) {
      complaint_.at(endLine.number,
                    "expected EndBehavior after the motion's keys, found " +
                        quotedLine(endLine.text));
      return false;
    }
    constexpr Behavior BY_CODE[] = {Behavior::FIRST_KEY_VALUE, Behavior::CONSTANT,
                                    Behavior::REPEAT};
    long code = 0;
    if (!parseInteger(argumentOf(endLine.text), &code) || code < 0 || code > 2) {
      complaint_.at(endLine.number,
                    "EndBehavior must be 0, 1 or 2, found " + quotedLine(endLine.text));
      return false;
    }
    *post = BY_CODE[code];
    return true;
  }

  const std::vector<FileLine>& lines_;
  std::size_t head_;
  std::size_t end_;
  const Complaint& complaint_;
};

}  // namespace

bool readMotionVersion1(const MotionBlock& block, double framesPerSecond,
                        const Complaint& complaint, Motion* motion) {
  return Version1Reader(block, complaint).read(framesPerSecond, motion);
}

}  // namespace scene_eval
