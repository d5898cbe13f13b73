// Keys of an object's motion: appending one, restarting the motion, dropping
// the last. The motion is looked for inside the object's own block only, so
// an edit never reaches into the next object's lines.

#include "scene/allocation.h"
#include "scene/key_list.h"
#include "scene/number_text.h"
#include "scene/scene.h"
#include "scene/unlinked_lines.h"

namespace {

// The motion of the block that `line` begins.
bool findMotion(SceneLine* line, KeyList* motion) {
  return findKeyList(line, "ObjectMotion", motion);
}

}  // namespace

bool addMotionKey(SceneLine* line, double positionX, double positionY, double positionZ,
                  double heading, double pitch, double bank, double scaleX, double scaleY,
                  double scaleZ, std::int32_t frame, std::uint8_t linear, std::int32_t tension,
                  std::int32_t continuity, std::int32_t bias) {
  KeyList motion;
  if (!findMotion(line, &motion)) return false;
  bool restart = frame == 0;
  char* count = countText(&motion, 1, restart);
  if (!count) return false;
  LineChain key = {nullptr, nullptr};
  bool made =
      appendToChain(&key, lineOwningText(fixedLineText({positionX, positionY, positionZ, heading,
                                                        pitch, bank, scaleX, scaleY, scaleZ}))) &&
      appendToChain(&key,
                    lineOwningText(decimalLineText({frame, linear, tension, continuity, bias})));
  if (!made) {
    releaseChain(&key);
    sceneRelease(count);
    return false;
  }
  if (restart) releaseLinesBetween(motion.count, motion.end);
  replaceCountText(&motion, count);
  linkChainAfter(motion.end->prev, &key);
  return true;
}

// The count goes down with the key, so a written scene never claims a key
// that is not there.
bool dropLastMotionKey(SceneLine* line) {
  KeyList motion;
  if (!findMotion(line, &motion) || !holdsAKey(&motion)) return false;
  char* count = countText(&motion, -1, false);
  if (!count) return false;
  releaseLinesBetween(motion.end->prev->prev->prev, motion.end);
  replaceCountText(&motion, count);
  return true;
}
