// Keys of an object's dissolve envelope: the "ObjDissolve (envelope)" list
// that follows the object's motion, made with its first key when the object
// has none.

#include "scene/dissolve_edit.h"

#include <string_view>

#include "scene/line_texts.h"
#include "scene/scene.h"
#include "scene/unlinked_lines.h"

bool findDissolve(SceneLine* object, KeyList* envelope) {
  return findKeyList(object, "ObjDissolve", envelope);
}

bool isDissolveEnvelope(const KeyList& envelope) {
  return compareKeyword(envelope.head->text, "ObjDissolve (envelope)") == 0;
}

SceneLine* newDissolvePlace(SceneLine* object) {
  return findLineBefore(object, findShadowOptions(object), "EndBehavior");
}

void planNewDissolve(EditPlan* plan, SceneLine* place, double value, const char* lineEnd) {
  for (std::string_view text : {"ObjDissolve (envelope)", "  1", "  1"}) {
    plan->insertAfter(place, joinedLine({text}, lineEnd));
  }
  plan->insertAfter(place, lineOwningText(sixDecimalsLineText({value}, lineEnd)));
  for (std::string_view text : {"  0 0 0 0 0", "EndBehavior 1"}) {
    plan->insertAfter(place, joinedLine({text}, lineEnd));
  }
}

void planDissolveKey(EditPlan* plan, const KeyList& envelope, long long count, double value,
                     std::int32_t frame, const char* lineEnd) {
  planListKey(plan, envelope, count, false, sixDecimalsLineText({value}, lineEnd),
              decimalsLineText({frame, 0, 0, 0, 0}, lineEnd), lineEnd);
}

// The first key always stands at frame 0, and later frames are taken in any
// order; setDissolveKeyInVersion refuses a first key elsewhere and a frame
// that does not follow the last key's.
bool addDissolveKey(SceneLine* line, double value, std::int32_t frame) {
  KeyList envelope;
  bool whole = findDissolve(line, &envelope);
  EditPlan plan;
  if (!envelope.head) {
    SceneLine* place = newDissolvePlace(line);
    // An envelope that would end the document is refused: its `last` cannot
    // be reached from here (setDissolveKeyInVersion, given the document,
    // makes it).
    if (!place || !place->next) return false;
    planNewDissolve(&plan, place, value, "\n");
    return plan.apply(nullptr);
  }
  // A constant dissolve ("ObjDissolve 0.5") holds no keys to add to.
  if (!isDissolveEnvelope(envelope) || !whole) return false;
  long long count = 0;
  if (!movedCount(&envelope, 1, false, &count)) return false;
  planDissolveKey(&plan, envelope, count, value, frame, "\n");
  return plan.apply(nullptr);
}
