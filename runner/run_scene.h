// The scene quorvel-run plays: read from a scene file or built in, turned
// into the items the stand-in host serves, and the items' names resolved.

#ifndef QUORVEL_RUNNER_RUN_SCENE_H_
#define QUORVEL_RUNNER_RUN_SCENE_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "scene_eval/scene_eval.h"

struct SceneDocument;

class RunScene {
 public:
  RunScene() = default;
  // Releases the scene document.
  ~RunScene();
  RunScene(const RunScene&) = delete;
  RunScene& operator=(const RunScene&) = delete;

  // How much of the items load makes: their names only (motions are not
  // read), or their positions too.
  enum class Detail { Names, Positions };

  // Reads the scene file at `path`, or builds the demo scene when `path` is
  // empty, and makes its items. On failure returns false and sets `error`
  // to a message naming the file. REQUIRES that nothing is loaded yet.
  bool load(const std::string& path, Detail detail, std::string* error);

  // The items in the host's order; valid after a successful load.
  const std::vector<scene_eval::ItemSpec>& items() const { return items_; }

  // The index of the item named exactly `name`, or nothing.
  std::optional<std::size_t> find(const std::string& name) const;

  // The index of the first camera, or nothing.
  std::optional<std::size_t> camera() const;

  // The names of all items, separated by ", ", for error messages.
  std::string nameList() const;

  // One line per item, "object", "light" or "camera", a tab, then its name,
  // and another tab and its ID when its item line gives one.
  std::string listing() const;

 private:
  SceneDocument* document_ = nullptr;  // owned; the items are made from it
  std::vector<scene_eval::ItemSpec> items_;
};

#endif  // QUORVEL_RUNNER_RUN_SCENE_H_
