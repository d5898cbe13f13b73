// Keys of an object's motion and dissolve in the layout of the scene's
// version: version 1 keeps one list of keys for all nine channels, each key
// after the last; later versions keep one list per channel, ordered by time.

#include <numbers>

#include "scene/channel_keys.h"
#include "scene/dissolve_edit.h"
#include "scene/edit_plan.h"
#include "scene/key_list.h"
#include "scene/line_texts.h"
#include "scene/motion_edit.h"
#include "scene/number_text.h"
#include "scene/object_extent.h"
#include "scene/scene_format.h"
#include "scene/statements.h"
#include "scene/unlinked_lines.h"
#include "scene/version_edits.h"

namespace {

constexpr EditResult DONE = {EDIT_DONE, nullptr, nullptr};

constexpr int FIRST_ANGLE_CHANNEL = 3;
constexpr int LAST_ANGLE_CHANNEL = 5;

// The span codes of the keys written: version 2 writes TCB as 2; versions
// 3 to 5 write TCB as 0 and linear as 3.
constexpr const char* VERSION2_TCB_SPAN = "2";
constexpr const char* VERSION3_TCB_SPAN = "0";
constexpr const char* VERSION3_LINEAR_SPAN = "3";

EditResult refused(EditStatus status, SceneLine* line, const char* detail = nullptr) {
  return {status, line, detail};
}

// What every key edit checks first: a known version, an object line and a
// frame from 0.
EditResult checkKeyEdit(const SceneDocument* document, SceneLine* object, std::int32_t frame,
                        int* version) {
  EditResult known = versionOf(document, version);
  if (known.status != EDIT_DONE) return known;
  if (!isObjectStatement(object)) return refused(EDIT_NOT_AN_OBJECT, object);
  if (frame < 0) return refused(EDIT_FRAME_BEFORE_FIRST, nullptr);
  return DONE;
}

// Refuses a key at `frame` that does not come after the last key of a
// version 1 key list, whose frame its frame line gives.
EditResult checkAfterLastKey(const KeyList& list, std::int32_t frame) {
  if (!holdsAKey(&list)) return DONE;
  SceneLine* frameLine = list.end->prev;
  Word words[1];
  long last = 0;
  if (lineWords(frameLine, words, 1) < 1 || !readInteger(words[0], &last)) {
    return refused(EDIT_UNREADABLE_LINE, frameLine, "the last key's frame line");
  }
  if (frame <= last) return refused(EDIT_FRAME_NOT_AFTER_LAST, frameLine);
  return DONE;
}

// The number a version 1 count line holds; refuses another line.
EditResult readVersion1Count(const KeyList& list, long* count) {
  Word words[2];
  if (lineWords(list.count, words, 2) != 1 || !readInteger(words[0], count)) {
    return refused(EDIT_UNREADABLE_LINE, list.count, "the key count");
  }
  return DONE;
}

EditResult applied(EditPlan* plan, SceneDocument* document) {
  if (!plan->apply(document)) return refused(EDIT_OUT_OF_MEMORY, nullptr);
  return DONE;
}

// Writes as addMotionKey does; unlike it, reads the count strictly and
// refuses a frame that does not follow the last key's.
EditResult setVersion1MotionKey(SceneDocument* document, SceneLine* object, const KeyValues& key,
                                std::int32_t frame, bool linear) {
  KeyList motion;
  bool whole = findMotion(object, &motion);
  if (!motion.head) return refused(EDIT_NO_MOTION, object);
  if (!whole) {
    return refused(EDIT_UNREADABLE_LINE, motion.head,
                   "ObjectMotion, the channel count, the key count and EndBehavior");
  }
  bool restart = frame == 0;
  long count = 0;
  EditResult checked = restart ? DONE : checkAfterLastKey(motion, frame);
  if (checked.status == EDIT_DONE) checked = readVersion1Count(motion, &count);
  if (checked.status != EDIT_DONE) return checked;
  EditPlan plan;
  planMotionKey(&plan, motion, restart ? 1 : count + 1, restart, key.values, frame, linear ? 1 : 0,
                0, 0, 0, lineEndOf(document));
  return applied(&plan, document);
}

// A channel value as the version keeps it: angles in radians from version
// 3 on, in degrees before.
double valueInVersion(int channel, double value, int version) {
  constexpr int FIRST_VERSION_IN_RADIANS = 3;
  bool angle = channel >= FIRST_ANGLE_CHANNEL && channel <= LAST_ANGLE_CHANNEL;
  return angle && version >= FIRST_VERSION_IN_RADIANS ? value * std::numbers::pi / 180 : value;
}

// The text of a key line of versions 2 to 5.
char* keyLineText(int version, double value, double seconds, bool linear, const char* lineEnd) {
  NumberWord valueWord = NumberWord::shortest(value);
  NumberWord time = NumberWord::shortest(seconds);
  if (version == 2) {
    return joinedLineText({"  ", valueWord.view(), " ", time.view(), " ", VERSION2_TCB_SPAN,
                           " 0 0 0"},
                          lineEnd);
  }
  return joinedLineText({"  Key ", valueWord.view(), " ", time.view(), " ",
                         linear ? VERSION3_LINEAR_SPAN : VERSION3_TCB_SPAN, " 0 0 0 0 0 0"},
                        lineEnd);
}

// The head line of the object's motion among its own lines; null when none.
SceneLine* motionHeadOf(SceneLine* object, int version) {
  ObjectExtent extent = objectExtentOf(object, version);
  SceneLine* first = nextStatement(object);
  return first ? findStatement(first, extent.ownEnd, "ObjectMotion") : nullptr;
}

EditResult readMotionSlots(SceneLine* object, int version, double seconds, MotionSlots* slots) {
  SceneLine* head = motionHeadOf(object, version);
  if (!head) return refused(EDIT_NO_MOTION, object);
  return version == 2 ? readVersion2MotionSlots(head, seconds, slots)
                      : readVersion3MotionSlots(head, seconds, slots);
}

// Writes as addDissolveKey does; unlike it, refuses a first key at a frame
// other than 0, a later one that does not follow the last key's and a count
// it cannot read strictly, and makes an envelope that ends the document.
EditResult setVersion1DissolveKey(SceneDocument* document, SceneLine* object, double value,
                                  std::int32_t frame) {
  KeyList envelope;
  bool whole = findDissolve(object, &envelope);
  const char* lineEnd = lineEndOf(document);
  EditPlan plan;
  if (!envelope.head) {
    if (frame != 0) return refused(EDIT_FIRST_KEY_NOT_AT_0, object);
    SceneLine* place = newDissolvePlace(object);
    if (!place) return refused(EDIT_NO_MOTION, object);
    planNewDissolve(&plan, place, value, lineEnd);
    return applied(&plan, document);
  }
  if (!isDissolveEnvelope(envelope)) return refused(EDIT_CONSTANT_DISSOLVE, envelope.head);
  if (!whole) {
    return refused(EDIT_UNREADABLE_LINE, envelope.head,
                   "ObjDissolve (envelope), the channel count, the key count and EndBehavior");
  }
  long count = 0;
  EditResult checked = checkAfterLastKey(envelope, frame);
  if (checked.status == EDIT_DONE) checked = readVersion1Count(envelope, &count);
  if (checked.status != EDIT_DONE) return checked;
  planDissolveKey(&plan, envelope, count + 1, value, frame, lineEnd);
  return applied(&plan, document);
}

// Plans a new version 3 to 5 dissolve envelope holding one key after the
// object's motion.
EditResult planVersion3Dissolve(SceneLine* object, int version, double value, double seconds,
                                const char* lineEnd, EditPlan* plan) {
  MotionSlots motion;
  EditResult read = readMotionSlots(object, version, seconds, &motion);
  if (read.status != EDIT_DONE) return read;
  SceneLine* anchor = motion.last;
  plan->insertAfter(anchor, joinedLine({"ObjectDissolve (envelope)"}, lineEnd));
  plan->insertAfter(anchor, joinedLine({"{ Envelope"}, lineEnd));
  plan->insertAfter(anchor, joinedLine({"  1"}, lineEnd));
  plan->insertAfter(anchor, lineOwningText(keyLineText(version, value, seconds, false, lineEnd)));
  plan->insertAfter(anchor, joinedLine({"  Behaviors 1 1"}, lineEnd));
  plan->insertAfter(anchor, joinedLine({"}"}, lineEnd));
  return DONE;
}

}  // namespace

EditResult setMotionKeyInVersion(SceneDocument* document, SceneLine* object,
                                 const KeyValues& key, std::int32_t frame, bool linear) {
  int version = 0;
  EditResult checked = checkKeyEdit(document, object, frame, &version);
  if (checked.status != EDIT_DONE) return checked;
  if (version == 1) return setVersion1MotionKey(document, object, key, frame, linear);
  if (version == 2 && linear) {
    return refused(EDIT_NOT_IN_VERSION, nullptr,
                   "the span code of a linear key in a version 2 motion is not known "
                   "(TCB keys, code 2, are)");
  }
  double seconds = 0;
  EditResult timed = secondsOfFrame(document, frame, &seconds);
  if (timed.status != EDIT_DONE) return timed;
  MotionSlots motion;
  EditResult read = readMotionSlots(object, version, seconds, &motion);
  if (read.status != EDIT_DONE) return read;

  const char* lineEnd = lineEndOf(document);
  EditPlan plan;
  for (int channel = 0; channel < MOTION_CHANNEL_COUNT; ++channel) {
    double value = valueInVersion(channel, key.values[channel], version);
    planKey(&plan, motion.channels[channel],
            keyLineText(version, value, seconds, linear, lineEnd), lineEnd);
  }
  return applied(&plan, document);
}

EditResult setDissolveKeyInVersion(SceneDocument* document, SceneLine* object, double value,
                                   std::int32_t frame) {
  int version = 0;
  EditResult checked = checkKeyEdit(document, object, frame, &version);
  if (checked.status != EDIT_DONE) return checked;
  if (version == 1) return setVersion1DissolveKey(document, object, value, frame);
  if (version == 2) {
    return refused(EDIT_NOT_IN_VERSION, nullptr,
                   "no layout of a version 2 dissolve envelope is known");
  }
  double seconds = 0;
  EditResult timed = secondsOfFrame(document, frame, &seconds);
  if (timed.status != EDIT_DONE) return timed;

  const char* lineEnd = lineEndOf(document);
  EditPlan plan;
  ObjectExtent extent = objectExtentOf(object, version);
  SceneLine* first = nextStatement(object);
  SceneLine* head = first ? findStatement(first, extent.ownEnd, "ObjectDissolve") : nullptr;
  if (!head) {
    EditResult planned = planVersion3Dissolve(object, version, value, seconds, lineEnd, &plan);
    if (planned.status != EDIT_DONE) return planned;
    return applied(&plan, document);
  }
  constexpr int HEAD_WORDS = 2;
  Word words[HEAD_WORDS];
  if (lineWords(head, words, HEAD_WORDS) != HEAD_WORDS || !wordIs(words[1], "(envelope)")) {
    return refused(EDIT_CONSTANT_DISSOLVE, head);
  }
  SceneLine* open = nextFileLine(head);
  if (!open) return refused(EDIT_UNREADABLE_LINE, head, "\"{ Envelope\"");
  KeySlot slot = {};
  SceneLine* close = nullptr;
  EditResult read = readEnvelopeSlot(open, seconds, &slot, &close);
  if (read.status != EDIT_DONE) return read;
  planKey(&plan, slot, keyLineText(version, value, seconds, false, lineEnd), lineEnd);
  return applied(&plan, document);
}
