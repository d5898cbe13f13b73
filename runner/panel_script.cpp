#include "runner/panel_script.h"

namespace {

constexpr std::intptr_t TARGET_KIND_CAMERA = 1;

}  // namespace

std::vector<hostsim::UserAction> panelScript(const RunOptions& options, ItemId item,
                                             ItemId target) {
  using hostsim::userSetsValue;
  std::vector<hostsim::UserAction> actions;
  actions.push_back(userSetsValue("Item", item));
  if (target != 0) actions.push_back(userSetsValue("Target", target));
  if (options.camera) actions.push_back(userSetsValue("TargetVar", TARGET_KIND_CAMERA));
  if (options.lastFrame) actions.push_back(userSetsValue("Max Frame", *options.lastFrame));
  if (options.frameStep) actions.push_back(userSetsValue("Frame Step", *options.frameStep));
  if (options.output) actions.push_back(hostsim::userTypesText("env_name", *options.output));
  actions.push_back(options.cancel ? hostsim::userCancels() : hostsim::userClosesWithOk());
  return actions;
}
