#include "runner/pair_bakes.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "runner/pair_files.h"

namespace {

std::string quoted(const std::string& name) {
  return "\"" + scene_eval::listedName(name) + "\"";
}

// The item `typed` selects, or nothing with a refusal for `request` added.
std::optional<std::size_t> findTyped(const RunScene& scene, const PairRequest& request,
                                     const std::string& typed,
                                     std::vector<std::string>* refusals) {
  std::optional<std::size_t> found = scene.find(typed);
  if (!found) {
    refusals->push_back(request.typed + ": no item named \"" + typed + "\"; " +
                        scene.unknownNameHint(typed));
  }
  return found;
}

// Whether the pair can be baked, both ends found; false with `error` saying
// why not. `earlier` are the pairs before it.
bool checkPair(const RunScene& scene, const PairBake& pair, const std::vector<PairBake>& earlier,
               std::string* error) {
  std::optional<std::size_t> target = pair.target ? pair.target : scene.camera();
  const std::string& name = scene.items()[pair.item].name;
  if (!target) {
    *error = pair.request.typed + ": the scene has no camera to measure to";
    return false;
  }
  if (*target == pair.item) {
    *error = pair.request.typed + ": " + quoted(name) + " is at both ends" +
             (pair.target ? "" : " (it is the scene's first camera)") +
             ": the distance would be 0 at every frame";
    return false;
  }
  for (const PairBake& before : earlier) {
    std::optional<std::size_t> beforeTarget = before.target ? before.target : scene.camera();
    if (before.item == pair.item && beforeTarget == target) {
      *error = pair.request.typed + ": the same pair as " + before.request.typed +
               ", given before; give each pair once";
      return false;
    }
  }
  return true;
}

}  // namespace

std::vector<PairBake> resolvePairs(const RunScene& scene, const RunOptions& options,
                                   std::vector<std::string>* refusals) {
  std::vector<PairBake> pairs;
  std::vector<std::pair<std::string, std::string>> names;
  for (const PairRequest& request : options.pairs) {
    PairBake pair;
    pair.request = request;
    std::optional<std::size_t> item = findTyped(scene, request, request.item, refusals);
    std::optional<std::size_t> target;
    if (request.target) target = findTyped(scene, request, *request.target, refusals);
    if (!item || (request.target && !target)) continue;
    pair.item = *item;
    pair.target = target;
    std::string refusal;
    if (!checkPair(scene, pair, pairs, &refusal)) {
      refusals->push_back(refusal);
      continue;
    }
    std::size_t measured = target ? *target : *scene.camera();
    names.emplace_back(scene.items()[*item].name, scene.items()[measured].name);
    pairs.push_back(pair);
  }
  std::vector<std::string> files = pairFileNames(names);
  for (std::size_t i = 0; i < pairs.size(); ++i) pairs[i].fileName = files[i];
  return pairs;
}

RunOptions pairBakeOptions(const RunOptions& options, const PairBake& pair,
                           const std::string& directory) {
  RunOptions one = options;
  one.pairs.clear();
  one.pairsDirectory.reset();
  one.item = pair.request.item;
  one.target = pair.request.target;
  one.camera = !pair.request.target;
  one.output = directory + "/" + pair.fileName;
  return one;
}

bool PairDirectory::prepare(const RunOptions& options, std::string* error) {
  path_ = options.pairsDirectory.value_or(options.envelopesDirectory);
  if (!options.pairsDirectory) return true;
  std::error_code failure;
  std::filesystem::path directory(path_);
  std::filesystem::file_status status = std::filesystem::status(directory, failure);
  if (std::filesystem::is_directory(status)) return true;
  if (std::filesystem::exists(status)) {
    *error = "--output-dir " + path_ + ": it is not a directory";
    return false;
  }
  if (!directory.has_filename()) directory = directory.parent_path();  // "pairs/"
  std::filesystem::path parent = directory.parent_path();
  if (parent.empty()) parent = ".";
  if (!std::filesystem::is_directory(parent, failure)) {
    *error = "--output-dir " + path_ + ": its parent directory " + parent.string() +
             " does not exist; make it first";
    return false;
  }
  if (!std::filesystem::create_directory(directory, failure)) {
    *error = "--output-dir " + path_ + ": cannot make it: " + failure.message();
    return false;
  }
  made_ = true;
  return true;
}

void PairDirectory::abandon() {
  if (!made_) return;
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);  // only an empty directory goes
  made_ = false;
}
