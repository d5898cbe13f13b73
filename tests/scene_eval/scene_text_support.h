// Helpers for the tests that read scene texts into the stand-in host's
// items: the text written as a file, read by the scene library and turned
// into items, and the items' positions looked up by name.

#ifndef QUORVEL_TESTS_SCENE_EVAL_SCENE_TEXT_SUPPORT_H_
#define QUORVEL_TESTS_SCENE_EVAL_SCENE_TEXT_SUPPORT_H_

#include <cstddef>
#include <string>
#include <vector>

#include "scene_eval/scene_eval.h"

namespace scene_eval {

struct SceneResult {
  bool ok = false;
  std::vector<ItemSpec> items;
  std::string error;
};

// How much of the scene is read: sceneItems, listSceneItems or
// describeSceneItems.
enum class Reading { POSITIONS, LIST_ONLY, STRUCTURE };

// Reads `text` as a scene file and builds its items. The document is freed
// before the caller sees the items, so every position function called by a
// test proves it outlives the document. Each test has a file of its own, as
// tests may run side by side.
SceneResult itemsOfText(const std::string& text, const std::string& sourceName = "scene.lws",
                        Reading reading = Reading::POSITIONS);

// "LWSC", version `version` and an empty line, then `body`.
std::string sceneOfVersion(int version, const std::string& body);

// A version 3 to 5 channel holding one key, `value` at time 0.
std::string channelAt(std::size_t channel, double value);

// A version 3 to 5 motion holding one key at time 0 per channel value given.
std::string resting(const std::string& head, const std::vector<double>& values);

// The index of the item named `name`; a failure when there is none.
std::size_t indexOf(const SceneResult& scene, const std::string& name);

// The world position of the item named `name`; a failure when there is none.
Vector3 positionOf(const SceneResult& scene, const std::string& name, double seconds);

void expectNear(const Vector3& actual, const Vector3& expected, double tolerance = 1e-9);

}  // namespace scene_eval

#endif  // QUORVEL_TESTS_SCENE_EVAL_SCENE_TEXT_SUPPORT_H_
