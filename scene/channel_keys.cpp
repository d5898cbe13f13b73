#include "scene/channel_keys.h"

#include <cmath>

#include "scene/line_texts.h"
#include "scene/statements.h"
#include "scene/unlinked_lines.h"

namespace {

// The words of a version 2 key line: value, time, span, tension,
// continuity, bias. Of a version 3 to 5 one: "Key", value, time, span and
// six parameters.
constexpr int VERSION2_KEY_WORDS = 6;
constexpr int VERSION2_TIME_WORD = 1;
constexpr int VERSION3_KEY_WORDS = 10;
constexpr int VERSION3_TIME_WORD = 2;

constexpr int MOST_WORDS = 10;

constexpr EditResult READ = {EDIT_DONE, nullptr, nullptr};

EditResult unreadable(SceneLine* line, const char* expected) {
  return {EDIT_UNREADABLE_LINE, line, expected};
}

// The one integer `line` holds after its keyword (or alone, for a null
// keyword); false when it holds anything else.
bool readCount(const SceneLine* line, const char* keyword, long* value) {
  Word words[MOST_WORDS];
  int count = lineWords(line, words, MOST_WORDS);
  if (keyword) return isStatement(line, keyword) && count == 2 && readInteger(words[1], value);
  return count == 1 && readInteger(words[0], value);
}

// The time of a key line: `wordCount` words, all numbers from
// `firstNumber` on, the time at `timeWord`. False for another line.
bool readKeyTime(const SceneLine* line, int wordCount, int firstNumber, int timeWord,
                 double* time) {
  Word words[MOST_WORDS];
  if (lineWords(line, words, MOST_WORDS) != wordCount) return false;
  for (int i = firstNumber; i < wordCount; ++i) {
    double number = 0;
    if (!readNumber(words[i], &number)) return false;
    if (i == timeWord) *time = number;
  }
  return true;
}

bool readVersion2KeyTime(const SceneLine* line, double* time) {
  return readKeyTime(line, VERSION2_KEY_WORDS, 0, VERSION2_TIME_WORD, time);
}

bool readVersion3KeyTime(const SceneLine* line, double* time) {
  return isStatement(line, "Key") &&
         readKeyTime(line, VERSION3_KEY_WORDS, 1, VERSION3_TIME_WORD, time);
}

// Reads the `slot->keys` key lines after `slot->count` with `readTime`, and
// where a key at `time` goes among them; `*next` is the line after the
// last key.
EditResult readKeys(double time, bool (*readTime)(const SceneLine*, double*),
                    const char* expected, KeySlot* slot, SceneLine** next) {
  slot->same = nullptr;
  slot->after = slot->count;
  SceneLine* line = nextFileLine(slot->count);
  double previous = 0;
  for (long k = 0; k < slot->keys; ++k, line = nextFileLine(line)) {
    double held = 0;
    if (!line) return unreadable(slot->count, "as many key lines as the count says");
    if (!readTime(line, &held)) return unreadable(line, expected);
    if (k > 0 && !(held > previous)) return unreadable(line, "key times that rise");
    previous = held;
    if (sameKeyTime(held, time)) {
      slot->same = line;
    } else if (held < time) {
      slot->after = line;
    }
  }
  *next = line;
  return READ;
}

// Keeps the slot of the channel numbered `index` in `motion`; channels past
// the nine are read and left alone.
EditResult keepChannel(const KeySlot& slot, long index, SceneLine* channelLine, bool given[],
                       MotionSlots* motion) {
  if (index < 0) return unreadable(channelLine, "a channel number from 0");
  if (index >= MOTION_CHANNEL_COUNT) return READ;
  if (given[index]) return unreadable(channelLine, "each channel once");
  given[index] = true;
  motion->channels[index] = slot;
  return READ;
}

// The line after `line`'s empty lines: `line` itself when it is not empty.
SceneLine* pastEmptyLines(SceneLine* line) {
  while (line && isEmptyLine(line)) line = nextFileLine(line);
  return line;
}

}  // namespace

bool sameKeyTime(double held, double time) {
  constexpr double RELATIVE_PRECISION = 1e-6;
  return std::fabs(held - time) <= RELATIVE_PRECISION * std::fmax(1.0, std::fabs(time));
}

EditResult readEnvelopeSlot(SceneLine* open, double time, KeySlot* slot, SceneLine** close) {
  constexpr int OPEN_WORDS = 2;
  Word words[OPEN_WORDS];
  if (!isStatement(open, "{") || lineWords(open, words, OPEN_WORDS) != OPEN_WORDS ||
      !wordIs(words[1], "Envelope")) {
    return unreadable(open, "\"{ Envelope\"");
  }
  *close = blockClosing(open);
  if (!*close) return unreadable(open, "an envelope closed with \"}\"");
  SceneLine* count = nextFileLine(open);
  if (count == *close || !readCount(count, nullptr, &slot->keys) || slot->keys < 0) {
    return unreadable(count, "the envelope's key count");
  }
  slot->count = count;
  SceneLine* next = nullptr;
  return readKeys(time, readVersion3KeyTime,
                  "Key and nine numbers (value, time, span, six parameters)", slot, &next);
}

EditResult readVersion2MotionSlots(SceneLine* head, double time, MotionSlots* motion) {
  SceneLine* channels = nextFileLine(head);
  long count = 0;
  if (!channels || !readCount(channels, nullptr, &count)) {
    return unreadable(channels ? channels : head, "the motion's channel count");
  }
  if (count != MOTION_CHANNEL_COUNT) return unreadable(channels, "a motion of nine channels");
  SceneLine* line = nextFileLine(channels);
  SceneLine* before = channels;
  for (KeySlot& slot : motion->channels) {
    if (!line || !readCount(line, nullptr, &slot.keys) || slot.keys < 0) {
      return unreadable(line ? line : before, "a channel's key count");
    }
    slot.count = line;
    EditResult keys = readKeys(time, readVersion2KeyTime,
                               "six numbers (value, time, span, tension, continuity, bias)",
                               &slot, &line);
    if (keys.status != EDIT_DONE) return keys;
    before = line ? line->prev : before;
  }
  if (!line || !isStatement(line, "Pre/PostBehavior")) {
    return unreadable(line ? line : before, "Pre/PostBehavior after the nine channels");
  }
  motion->last = line;
  return READ;
}

EditResult readVersion3MotionSlots(SceneLine* head, double time, MotionSlots* motion) {
  SceneLine* channels = nextFileLine(head);
  long count = 0;
  if (!channels || !readCount(channels, "NumChannels", &count) || count < 0) {
    return unreadable(channels ? channels : head, "NumChannels and the channel count");
  }
  bool given[MOTION_CHANNEL_COUNT] = {};
  motion->last = channels;
  SceneLine* line = nextFileLine(channels);
  for (long c = 0; c < count; ++c) {
    line = pastEmptyLines(line);
    long index = 0;
    if (!line || !readCount(line, "Channel", &index)) {
      return unreadable(line ? line : motion->last, "a Channel line");
    }
    SceneLine* open = nextFileLine(line);
    if (!open) return unreadable(line, "\"{ Envelope\"");
    KeySlot slot = {};
    SceneLine* close = nullptr;
    EditResult envelope = readEnvelopeSlot(open, time, &slot, &close);
    if (envelope.status != EDIT_DONE) return envelope;
    EditResult kept = keepChannel(slot, index, line, given, motion);
    if (kept.status != EDIT_DONE) return kept;
    motion->last = close;
    line = nextFileLine(close);
  }
  for (bool channel : given) {
    if (!channel) return unreadable(channels, "all nine channels, 0 to 8");
  }
  return READ;
}

void planKey(EditPlan* plan, const KeySlot& slot, char* key, const char* lineEnd) {
  if (slot.same) {
    plan->replaceText(slot.same, key);
    return;
  }
  plan->insertAfter(slot.after, lineOwningText(key));
  plan->replaceText(slot.count, decimalsLineText({slot.keys + 1}, lineEnd));
}
