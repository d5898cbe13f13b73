// The one writer of version 1 motion keys, behind addMotionKey of scene.h
// and the version 1 keys of setMotionKeyInVersion. This header is internal
// to the scene library.

#ifndef QUORVEL_SCENE_MOTION_EDIT_H_
#define QUORVEL_SCENE_MOTION_EDIT_H_

#include <cstdint>

#include "scene/edit_plan.h"
#include "scene/key_list.h"

inline constexpr int MOTION_VALUE_COUNT = 9;

// Fills `motion` with the motion of the block that `object` begins, as
// findKeyList does for the head "ObjectMotion", and returns what it returns.
bool findMotion(SceneLine* object, KeyList* motion);

// Plans a key of `motion` as addMotionKey writes it, each line ended with
// `lineEnd`: the count set to `count`, the nine `values` ("%f"), and the
// frame line "  FRAME LINEAR TENSION CONTINUITY BIAS"; after the last key,
// or in place of every key when `restart`.
void planMotionKey(EditPlan* plan, const KeyList& motion, long long count, bool restart,
                   const double (&values)[MOTION_VALUE_COUNT], std::int32_t frame,
                   std::uint8_t linear, std::int32_t tension, std::int32_t continuity,
                   std::int32_t bias, const char* lineEnd);

#endif  // QUORVEL_SCENE_MOTION_EDIT_H_
