#include "tests/scene_eval/scene_text_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "scene/scene.h"

namespace scene_eval {

SceneResult itemsOfText(const std::string& text, const std::string& sourceName,
                        Reading reading) {
  std::string path = testing::TempDir() + "scene_items_" +
                     testing::UnitTest::GetInstance()->current_test_info()->name() + ".lws";
  std::ofstream(path, std::ios::binary) << text;
  SceneDocument* document = readScene(path.c_str());
  std::remove(path.c_str());
  SceneResult result;
  if (document == nullptr) {
    ADD_FAILURE() << "readScene failed";
    return result;
  }
  result.ok = reading == Reading::Positions
                  ? sceneItems(document, sourceName, &result.items, &result.error)
                  : listSceneItems(document, sourceName, &result.items, &result.error);
  freeScene(document);
  return result;
}

std::string sceneOfVersion(int version, const std::string& body) {
  return "LWSC\n" + std::to_string(version) + "\n\n" + body;
}

Vector3 positionOf(const SceneResult& scene, const std::string& name, double seconds) {
  for (const ItemSpec& item : scene.items) {
    if (item.name == name) return item.worldPosition(seconds);
  }
  ADD_FAILURE() << "no item " << name;
  return {};
}

void expectNear(const Vector3& actual, const Vector3& expected, double tolerance) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

}  // namespace scene_eval
