#include "runner/demo_scene.h"

#include <cstdint>

#include "scene/scene.h"

namespace {

// One motion key of a demo object: a position at a frame; no rotation,
// unit scale, tension, continuity and bias 0.
struct DemoKey {
  double x;
  double y;
  double z;
  std::int32_t frame;
  std::uint8_t linear;
};

// Circles the origin at radius 4 in the XZ plane over two seconds.
constexpr DemoKey ORBITER_KEYS[] = {
    {4, 0, 0, 0, 0}, {0, 0, 4, 15, 0}, {-4, 0, 0, 30, 0}, {0, 0, -4, 45, 0}, {4, 0, 0, 60, 0},
};

// Travels in a straight line along X, one unit above the orbit.
constexpr DemoKey DRIFTER_KEYS[] = {
    {-6, 1, 0, 0, 1},
    {6, 1, 0, 60, 1},
};

// Adds a null object named `name` before the scene's ambient settings and
// gives it `keys`, the first at frame 0.
template <std::size_t N>
bool addMovingNull(SceneDocument* document, const char* name, const DemoKey (&keys)[N]) {
  SceneLine* insertPoint = objectInsertPoint(document);
  if (!insertPoint || !addNullObject(document, insertPoint, name)) return false;
  SceneLine* objectLine = findObjectLine(document, name, 1);
  if (!objectLine) return false;
  for (const DemoKey& key : keys) {
    if (!addMotionKey(objectLine, key.x, key.y, key.z, 0, 0, 0, 1, 1, 1, key.frame, key.linear, 0,
                      0, 0)) {
      return false;
    }
  }
  return true;
}

}  // namespace

SceneDocument* newDemoScene() {
  SceneDocument* document = newScene();
  if (!document) return nullptr;
  if (!addMovingNull(document, "Orbiter", ORBITER_KEYS) ||
      !addMovingNull(document, "Drifter", DRIFTER_KEYS)) {
    freeScene(document);
    return nullptr;
  }
  return document;
}
