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
  switch (reading) {
    case Reading::POSITIONS:
      result.ok = sceneItems(document, sourceName, &result.items, &result.error);
      break;
    case Reading::LIST_ONLY:
      result.ok = listSceneItems(document, sourceName, &result.items, &result.error);
      break;
    case Reading::STRUCTURE:
      result.ok = describeSceneItems(document, sourceName, &result.items, &result.error);
      break;
  }
  freeScene(document);
  return result;
}

std::string sceneOfVersion(int version, const std::string& body) {
  return "LWSC\n" + std::to_string(version) + "\n\n" + body;
}

std::string channelAt(std::size_t channel, double value) {
  char key[64];
  std::snprintf(key, sizeof key, "  Key %.17g 0 0 0 0 0 0 0 0\n", value);
  return "Channel " + std::to_string(channel) + "\n{ Envelope\n  1\n" + key +
         "  Behaviors 1 1\n}\n";
}

std::string resting(const std::string& head, const std::vector<double>& values) {
  std::string text = head + "\nNumChannels " + std::to_string(values.size()) + "\n";
  for (std::size_t c = 0; c < values.size(); ++c) text += channelAt(c, values[c]);
  return text;
}

std::size_t indexOf(const SceneResult& scene, const std::string& name) {
  for (std::size_t i = 0; i < scene.items.size(); ++i) {
    if (scene.items[i].name == name) return i;
  }
  ADD_FAILURE() << "no item " << name;
  return 0;
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
