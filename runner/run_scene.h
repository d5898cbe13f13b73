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
  // Releases the reading, then the scene document: the reading's few large
  // blocks go back before the document's many small ones, which the heap
  // would otherwise gather again to take them back.
  ~RunScene();
  RunScene(const RunScene&) = delete;
  RunScene& operator=(const RunScene&) = delete;

  // How much of the items load makes: their names only (motions are not
  // read), their parents and what the host leaves out of their positions
  // too (motions still not read), or their parents, ready for evaluate to
  // give the measured items their positions.
  enum class Detail { NAMES, STRUCTURE, POSITIONS };

  // Reads the scene file at `path`, or builds the demo scene when `path` is
  // empty, and makes its items. On failure returns false and sets `error`
  // to a message naming the file. REQUIRES that nothing is loaded yet.
  bool load(const std::string& path, Detail detail, std::string* error);

  // The scene document the items were made from, owned by this scene; valid
  // after a successful load.
  const SceneDocument* document() const { return document_; }

  // The items in the host's order; valid after a successful load.
  const std::vector<scene_eval::ItemSpec>& items() const { return reading_->items(); }

  // Gives the items at `indexes` and those they hang from their positions
  // and what the host leaves out of them (see scene_eval::SceneReading::
  // evaluate); the other items' motions are not read. On failure returns
  // false and sets `error` to a message naming the file and line. REQUIRES
  // a load of Positions and indexes of items.
  bool evaluate(const std::vector<std::size_t>& indexes, std::string* error);

  // The scene's timing (see scene_eval::sceneTiming), from the same
  // reading. REQUIRES a successful load.
  bool timing(scene_eval::SceneTiming* timing, std::string* error) const;

  // The name messages give the scene: its path, or a name for the demo
  // scene. Valid after load.
  const std::string& sourceName() const { return sourceName_; }

  // The index of the item that `typed` selects, as scene_eval::findItem
  // finds it ("#ID", a name, or a name's listed form), or nothing.
  std::optional<std::size_t> find(const std::string& typed) const;

  // The index of the first camera, or nothing.
  std::optional<std::size_t> camera() const;

  // For a message about `typed`, which selects no item: the nearest names
  // and how to see them all (scene_eval::unknownItemHint).
  std::string unknownNameHint(const std::string& typed) const;

  // One line per item, as scene_eval::listingLine gives it: three
  // tab-separated fields, its kind ("object", "light", "camera" or "bone"),
  // its name in listed form and its ID ("-" when its item line gives none).
  std::string listing() const;

  // One line per item of five fields, each after a tab but the first: its
  // kind, its listed name, its ID ("-" when its item line gives none),
  // its parent's listed name ("-" for none), and "exact" or, for an item whose
  // position the host would not compute exactly, "not exact, line N: " and
  // the first thing that moves it, then how many more there are. REQUIRES
  // a load of Structure or Positions.
  std::string verboseListing() const;

 private:
  SceneDocument* document_ = nullptr;  // owned; the reading keeps views of it
  std::string sourceName_;
  std::optional<scene_eval::SceneReading> reading_{std::in_place};  // reset only when destroyed
};

#endif  // QUORVEL_RUNNER_RUN_SCENE_H_
