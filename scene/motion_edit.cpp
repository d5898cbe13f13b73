// Keys of an object's motion: appending one, restarting the motion, dropping
// the last. The motion is looked for inside the object's own block only, so
// an edit never reaches into the next object's lines.

#include "scene/motion_edit.h"

#include "scene/line_texts.h"
#include "scene/scene.h"

bool findMotion(SceneLine* object, KeyList* motion) {
  return findKeyList(object, "ObjectMotion", motion);
}

void planMotionKey(EditPlan* plan, const KeyList& motion, long long count, bool restart,
                   const double (&values)[MOTION_VALUE_COUNT], std::int32_t frame,
                   std::uint8_t linear, std::int32_t tension, std::int32_t continuity,
                   std::int32_t bias, const char* lineEnd) {
  const double* v = values;
  planListKey(plan, motion, count, restart,
              sixDecimalsLineText({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]}, lineEnd),
              decimalsLineText({frame, linear, tension, continuity, bias}, lineEnd), lineEnd);
}

// The count is read as the standard decimal conversion reads it, and frames
// are taken in any order; setMotionKeyInVersion reads the count strictly and
// refuses a frame that does not follow the last key's.
bool addMotionKey(SceneLine* line, double positionX, double positionY, double positionZ,
                  double heading, double pitch, double bank, double scaleX, double scaleY,
                  double scaleZ, std::int32_t frame, std::uint8_t linear, std::int32_t tension,
                  std::int32_t continuity, std::int32_t bias) {
  KeyList motion;
  if (!findMotion(line, &motion)) return false;
  bool restart = frame == 0;
  long long count = 0;
  if (!movedCount(&motion, 1, restart, &count)) return false;
  EditPlan plan;
  planMotionKey(&plan, motion, count, restart,
                {positionX, positionY, positionZ, heading, pitch, bank, scaleX, scaleY, scaleZ},
                frame, linear, tension, continuity, bias, "\n");
  return plan.apply(nullptr);
}

// The count goes down with the key, so a written scene never claims a key
// that is not there.
bool dropLastMotionKey(SceneLine* line) {
  KeyList motion;
  if (!findMotion(line, &motion) || !holdsAKey(&motion)) return false;
  long long count = 0;
  if (!movedCount(&motion, -1, false, &count)) return false;
  EditPlan plan;
  planCount(&plan, motion, count, "\n");
  plan.removeBetween(motion.end->prev->prev->prev, motion.end);
  return plan.apply(nullptr);
}
