#include "runner/run_scene.h"

#include "scene/scene.h"
#include "runner/demo_scene.h"
#include "runner/left_out_wording.h"
#include "runner/scene_reading.h"

namespace {

constexpr char DEMO_SCENE_NAME[] = "the built-in demo scene";

// The last field of a verbose listing line: see RunScene::verboseListing.
std::string exactness(const std::vector<scene_eval::ItemSpec>& items, std::size_t item) {
  std::vector<scene_eval::LeftOut> walk = scene_eval::leftOutOf(items, item);
  if (walk.empty()) return "exact";
  std::string text = "not exact, line " + std::to_string(walk.front().feature.line) + ": " +
                     leftOutPhrase(items, item, walk.front());
  if (walk.size() > 1) text += ", and " + std::to_string(walk.size() - 1) + " more";
  return text;
}

}  // namespace

RunScene::~RunScene() {
  reading_.reset();
  freeScene(document_);
}

bool RunScene::load(const std::string& path, Detail detail, std::string* error) {
  if (path.empty()) {
    document_ = newDemoScene();
    if (!document_) {
      *error = "cannot build the demo scene: out of memory";
      return false;
    }
  } else {
    document_ = readSceneFile(path, error);
    if (!document_) return false;
  }
  sourceName_ = path.empty() ? DEMO_SCENE_NAME : sceneSourceName(path);
  if (!reading_->read(document_, sourceName_, error)) return false;
  switch (detail) {
    case Detail::NAMES:
      return true;
    case Detail::STRUCTURE:
      return reading_->readParents(error) && reading_->describeAll(error);
    case Detail::POSITIONS:
      break;
  }
  return reading_->readParents(error);
}

bool RunScene::evaluate(const std::vector<std::size_t>& indexes, std::string* error) {
  return reading_->evaluate(indexes, error);
}

bool RunScene::timing(scene_eval::SceneTiming* timing, std::string* error) const {
  return reading_->timing(timing, error);
}

std::optional<std::size_t> RunScene::find(const std::string& typed) const {
  return scene_eval::findItem(items(), typed);
}

std::optional<std::size_t> RunScene::camera() const {
  for (std::size_t index = 0; index < items().size(); ++index) {
    if (items()[index].kind == scene_eval::ItemKind::CAMERA) return index;
  }
  return std::nullopt;
}

std::string RunScene::unknownNameHint(const std::string& typed) const {
  return scene_eval::unknownItemHint(items(), typed, "--list-items");
}

std::string RunScene::listing() const {
  std::string text;
  for (const scene_eval::ItemSpec& item : items()) text += scene_eval::listingLine(item);
  return text;
}

std::string RunScene::verboseListing() const {
  std::string text;
  for (std::size_t index = 0; index < items().size(); ++index) {
    const scene_eval::ItemSpec& item = items()[index];
    std::string parent = item.parent ? scene_eval::listedName(items()[*item.parent].name) : "-";
    text += scene_eval::listingLine(item, {parent, exactness(items(), index)});
  }
  return text;
}
