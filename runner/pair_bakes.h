// The pairs of a run of several bakes (--pair, --pair-camera), resolved to
// the scene's items as a whole before the first bake, and the directory
// their envelopes go to.

#ifndef QUORVEL_RUNNER_PAIR_BAKES_H_
#define QUORVEL_RUNNER_PAIR_BAKES_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "runner/run_options.h"
#include "runner/run_scene.h"

// One pair found in the scene.
struct PairBake {
  PairRequest request;                // as typed
  std::size_t item = 0;               // index into the scene's items
  std::optional<std::size_t> target;  // none: the first camera
  std::string fileName;               // its envelope's name, from pairFileNames
};

// The pairs of `options`, in the order typed, each found by RunScene::find
// and given its envelope's file name (from the items' names). Every pair
// that cannot be baked adds one refusal to `refusals`, beginning with the
// option as typed ("--pair Ball Nope: no item named \"Nope\"; ..."): an
// unknown name (with the nearest names), one item at both ends, a
// --pair-camera in a scene without a camera or of the camera itself, and a
// pair given earlier (by any name of its items). The result is of use only
// when `refusals` stays empty.
std::vector<PairBake> resolvePairs(const RunScene& scene, const RunOptions& options,
                                   std::vector<std::string>* refusals);

// The options of one pair's bake, as of a run of that one bake: the run's
// own, with the pair's item and target (or --camera) and its envelope in
// `directory`, and no pairs and no --output-dir.
RunOptions pairBakeOptions(const RunOptions& options, const PairBake& pair,
                           const std::string& directory);

// The directory the pairs' envelopes go to: --output-dir, made when missing
// (its parent must exist), else the envelopes directory.
class PairDirectory {
 public:
  // Finds the directory, making --output-dir when it is missing. False with
  // `error` naming the option and why when it is not a directory, its
  // parent does not exist, or it cannot be made.
  bool prepare(const RunOptions& options, std::string* error);

  const std::string& path() const { return path_; }

  // Whether prepare made the directory.
  bool made() const { return made_; }

  // Takes away the directory prepare made, when nothing has been put in it,
  // so that a refused run leaves no trace.
  void abandon();

 private:
  std::string path_;
  bool made_ = false;
};

#endif  // QUORVEL_RUNNER_PAIR_BAKES_H_
