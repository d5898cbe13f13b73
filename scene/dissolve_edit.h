// The one writer of version 1 dissolve envelopes, behind addDissolveKey of
// scene.h and the version 1 keys of setDissolveKeyInVersion. This header is
// internal to the scene library.

#ifndef QUORVEL_SCENE_DISSOLVE_EDIT_H_
#define QUORVEL_SCENE_DISSOLVE_EDIT_H_

#include <cstdint>

#include "scene/edit_plan.h"
#include "scene/key_list.h"

// Fills `envelope` with the dissolve of the block that `object` begins, as
// findKeyList does for the head "ObjDissolve", and returns what it returns.
bool findDissolve(SceneLine* object, KeyList* envelope);

// True when the head of `envelope` is "ObjDissolve (envelope)", not a
// constant dissolve ("ObjDissolve 0.5").
bool isDissolveEnvelope(const KeyList& envelope);

// The line after which a new envelope goes: the block's first "EndBehavior"
// line (the end of its motion); null when the block has none.
SceneLine* newDissolvePlace(SceneLine* object);

// Plans a new envelope after `place` holding one key of `value` at frame 0,
// each line ended with `lineEnd`.
void planNewDissolve(EditPlan* plan, SceneLine* place, double value, const char* lineEnd);

// Plans a key of `value` at `frame` after the last key of `envelope`, its
// count set to `count`, each line ended with `lineEnd`.
void planDissolveKey(EditPlan* plan, const KeyList& envelope, long long count, double value,
                     std::int32_t frame, const char* lineEnd);

#endif  // QUORVEL_SCENE_DISSOLVE_EDIT_H_
