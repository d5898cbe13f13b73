// The keys of a channel as scenes of version 2 and later keep them (a key
// count line, then one line per key holding its value and its time in
// seconds), read far enough to know where a key at a given time goes; and
// the motions and envelopes that hold such channels. This header is
// internal to the scene library.

#ifndef QUORVEL_SCENE_CHANNEL_KEYS_H_
#define QUORVEL_SCENE_CHANNEL_KEYS_H_

#include "scene/edit_plan.h"
#include "scene/scene.h"
#include "scene/version_edits.h"

inline constexpr int MOTION_CHANNEL_COUNT = 9;

// Where a key at a given time goes in one channel.
struct KeySlot {
  SceneLine* count;  // the key count line
  long keys;         // the count it holds
  SceneLine* same;   // the key line at that time; null when there is none
  SceneLine* after;  // else the line the new key goes after (the count line, or a key line)
};

// A motion's nine channels and its last line.
struct MotionSlots {
  KeySlot channels[MOTION_CHANNEL_COUNT];
  SceneLine* last;  // the line that closes the motion's last channel
};

// True when a key at `held` stands at the time `time`: within a millionth
// of it (of a second, or of the time when it is longer than a second),
// which takes in the seven significant digits the host writes times with.
bool sameKeyTime(double held, double time);

// Reads the version 3 to 5 envelope whose "{ Envelope" line is `open`, and
// the slot of a key at `time` (in seconds), into `slot`; `*close` is the
// envelope's closing "}" line. REQUIRES `open` not null.
EditResult readEnvelopeSlot(SceneLine* open, double time, KeySlot* slot, SceneLine** close);

// Reads the motion whose head line is `head`, laid out as version 2
// (readVersion2MotionSlots) or 3 to 5 (readVersion3MotionSlots) keeps it,
// and the slots of a key at `time` in each of its nine channels.
EditResult readVersion2MotionSlots(SceneLine* head, double time, MotionSlots* motion);
EditResult readVersion3MotionSlots(SceneLine* head, double time, MotionSlots* motion);

// Plans the key line text `key` (a heap text the plan takes over; null when
// it could not be made) into its slot: in place of the key at the same
// time, or in a new line after `after` with the count raised by one.
void planKey(EditPlan* plan, const KeySlot& slot, char* key, const char* lineEnd);

#endif  // QUORVEL_SCENE_CHANNEL_KEYS_H_
