// Reading a motion block as scenes of versions 3 to 5 keep it: numbered
// channels, each an envelope block with its keys and behaviours.

#include <array>

#include "scene_eval/motion_readers.h"
#include "scene_eval/scene_numbers.h"

namespace scene_eval {

namespace {

// The numbers of a "Key" line: value, time, span kind, six parameters.
inline constexpr std::size_t KEY_NUMBERS = 9;

// Span kinds by their code; code 2 is none the host reads.
bool spanOfCode(double code, SpanKind* span) {
  constexpr int TCB = 0, HERMITE = 1, LINEAR = 3, STEPPED = 4, BEZIER = 5;
  if (code == TCB) {
    *span = SpanKind::TCB;
  } else if (code == HERMITE) {
    *span = SpanKind::HERMITE;
  } else if (code == LINEAR) {
    *span = SpanKind::LINEAR;
  } else if (code == STEPPED) {
    *span = SpanKind::STEPPED;
  } else if (code == BEZIER) {
    *span = SpanKind::BEZIER;
  } else {
    return false;
  }
  return true;
}

// A key from the numbers of its line. Each kind keeps only the parameters
// it has: a TCB span's tangents come from the keys' tension, continuity and
// bias, and only Bezier keys have handles.
ChannelKey keyOfNumbers(const std::vector<double>& numbers, SpanKind span) {
  const double* p = &numbers[2];  // p[1] to p[6]: the six parameters
  ChannelKey key;
  key.value = numbers[0];
  key.time = numbers[1];
  key.span = span;
  if (span == SpanKind::TCB) {
    key.tension = p[1];
    key.continuity = p[2];
    key.bias = p[3];
  }
  key.incomingTangent = p[4];
  key.outgoingTangent = p[5];
  if (span == SpanKind::BEZIER) {
    key.incomingHandle = {p[1], p[2]};
    key.outgoingHandle = {p[3], p[4]};
  }
  return key;
}

bool isClosing(const FileLine& line) { return withoutIndent(line.text).starts_with("}"); }

class Version3Reader : private MotionLines {
 public:
  Version3Reader(const MotionBlock& block, const Complaint& complaint)
      : MotionLines(block, complaint) {}

  bool read(Motion* motion) {
    const FileLine* line = nullptr;
    long channelCount = 0;
    if (!takeLine("NumChannels", &line)) return false;
    if (!hasKeyword(line->text, "NumChannels") ||
        !parseInteger(argumentOf(line->text), &channelCount) || channelCount < 0) {
      complaint_.at(line->number,
                    "expected NumChannels after the motion's head, found " +
                        quotedLine(line->text));
      return false;
    }
    Motion read;
    std::array<bool, MOTION_CHANNELS> given{};
    for (long c = 0; c < channelCount; ++c) {
      if (!readChannel(&read, &given)) return false;
    }
    *motion = std::move(read);
    return true;
  }

 private:
  // "Channel I" and its envelope. Channels past the nine of a motion are
  // read and left out.
  bool readChannel(Motion* motion, std::array<bool, MOTION_CHANNELS>* given) {
    while (next_ < block_.end && withoutIndent(block_.lines[next_].text).empty()) ++next_;
    const FileLine* line = nullptr;
    long index = 0;
    if (!takeLine("a Channel line", &line)) return false;
    if (!hasKeyword(line->text, "Channel") || !parseInteger(argumentOf(line->text), &index) ||
        index < 0) {
      complaint_.at(line->number, "expected a Channel line, found " + quotedLine(line->text));
      return false;
    }
    std::string channelName = "channel " + std::to_string(index);
    Channel channel;
    if (!readEnvelope(channelName, &channel)) return false;
    if (index >= static_cast<long>(MOTION_CHANNELS)) return true;
    std::size_t slot = static_cast<std::size_t>(index);
    if ((*given)[slot]) {
      complaint_.at(line->number, channelName + " is given twice");
      return false;
    }
    (*given)[slot] = true;
    motion->channels[slot] = std::move(channel);
    return true;
  }

  bool readEnvelope(const std::string& channelName, Channel* channel) {
    const FileLine* line = nullptr;
    if (!takeLine("\"{ Envelope\"", &line)) return false;
    if (!hasKeyword(line->text, "{") || firstWordOf(argumentOf(line->text)).word != "Envelope") {
      complaint_.at(line->number, "expected \"{ Envelope\" after the Channel line of " +
                                      channelName + ", found " + quotedLine(line->text));
      return false;
    }
    std::size_t open = next_ - 1;
    long keyCount = 0;
    if (!takeLine("the key count of " + channelName, &line)) return false;
    if (!parseInteger(line->text, &keyCount) || keyCount < 1) {
      complaint_.at(line->number, "expected the key count of " + channelName +
                                      " (at least 1), found " + quotedLine(line->text));
      return false;
    }
    for (long k = 0; k < keyCount; ++k) {
      std::string keyName = "key " + std::to_string(k + 1) + " of " + channelName;
      if (!readKey(keyName, channel)) return false;
    }
    return readEnvelopeEnd(open, channelName, channel);
  }

  bool readKey(const std::string& keyName, Channel* channel) {
    const FileLine* line = nullptr;
    if (!takeLine(keyName, &line)) return false;
    std::vector<double> numbers;
    if (!hasKeyword(line->text, "Key") || !parseNumbers(argumentOf(line->text), &numbers) ||
        numbers.size() != KEY_NUMBERS) {
      complaint_.at(line->number,
                    "expected Key and 9 numbers (value, time, span, six parameters) for " +
                        keyName + ", found " + quotedLine(line->text));
      return false;
    }
    SpanKind span = SpanKind::TCB;
    if (!spanOfCode(numbers[2], &span)) {
      complaint_.at(line->number,
                    "span kind " + numberText(numbers[2]) + " of " + keyName +
                        " is not supported (0 TCB, 1 Hermite, 3 linear, 4 stepped and "
                        "5 Bezier are)");
      return false;
    }
    ChannelKey key = keyOfNumbers(numbers, span);
    if (!keyComesLater(*channel, key, keyName, line->number, complaint_)) return false;
    channel->keys.push_back(key);
    return true;
  }

  // The envelope's other lines through its "}": "Behaviors PRE POST" is
  // read, blocks and other lines are stepped over.
  bool readEnvelopeEnd(std::size_t open, const std::string& channelName, Channel* channel) {
    bool behaviorsRead = false;
    while (next_ < block_.end && !isClosing(block_.lines[next_])) {
      const FileLine& line = block_.lines[next_];
      if (hasKeyword(line.text, "Behaviors")) {
        if (!readBehaviors(line, channel)) return false;
        behaviorsRead = true;
      }
      next_ = pastBlock(block_.lines, next_, block_.end);
    }
    if (next_ >= block_.end) {
      complaint_.at(block_.lines[open].number,
                    "the envelope of " + channelName + " is not closed with \"}\"");
      return false;
    }
    const FileLine& closing = block_.lines[next_++];
    if (!behaviorsRead) {
      complaint_.at(closing.number,
                    "the envelope of " + channelName + " ends without a Behaviors line");
      return false;
    }
    return true;
  }

  bool readBehaviors(const FileLine& line, Channel* channel) {
    std::vector<long> codes;
    if (!parseIntegers(argumentOf(line.text), &codes) || codes.size() != 2) {
      complaint_.at(line.number,
                    "expected Behaviors and two codes, found " + quotedLine(line.text));
      return false;
    }
    return behaviorOfCode(codes[0], line, complaint_, &channel->pre) &&
           behaviorOfCode(codes[1], line, complaint_, &channel->post);
  }
};

}  // namespace

bool readMotionVersion3(const MotionBlock& block, const Complaint& complaint, Motion* motion) {
  return Version3Reader(block, complaint).read(motion);
}

}  // namespace scene_eval
