#include "runner/left_out_wording.h"

#include <iterator>

namespace {

using scene_eval::Unevaluated;
using scene_eval::UnevaluatedFeature;

// Rotation controller codes: 0 is keyed motion.
constexpr long CONTROLLER_TARGET = 1;
constexpr long CONTROLLER_PATH = 2;
constexpr long CONTROLLER_INVERSE_KINEMATICS = 3;

// A statement as a message quotes it, cut short when long, its tabs and
// other control characters escaped as listings escape names, so that it
// keeps a listing's field whole.
std::string quoted(const std::string& statement) {
  constexpr std::size_t LONGEST = 60;
  if (statement.size() <= LONGEST) return "\"" + scene_eval::listedName(statement) + "\"";
  return "\"" + scene_eval::listedName(statement.substr(0, LONGEST)) + "...\"";
}

std::string channelName(std::size_t channel) {
  constexpr const char* NAMES[] = {"x position", "y position", "z position",
                                   "heading",    "pitch",      "bank",
                                   "x scale",    "y scale",    "z scale"};
  return channel < std::size(NAMES) ? NAMES[channel] : "channel " + std::to_string(channel);
}

std::string controllerDoing(long code) {
  switch (code) {
    case CONTROLLER_TARGET:
      return "points at a target item";
    case CONTROLLER_PATH:
      return "aligns to its path";
    case CONTROLLER_INVERSE_KINEMATICS:
      return "turns by inverse kinematics";
    default:
      return "turns by rotation controller " + std::to_string(code);
  }
}

// What the feature does to the item whose lines hold it.
std::string doing(const UnevaluatedFeature& feature) {
  switch (feature.kind) {
    case Unevaluated::BONE:
      return "is a bone";
    case Unevaluated::MOTION_MODIFIER:
      return "is moved by a motion modifier plug-in";
    case Unevaluated::INVERSE_KINEMATICS:
      return "ends a chain solved by inverse kinematics";
    case Unevaluated::ROTATION_CONTROLLER:
      return controllerDoing(feature.controller);
    case Unevaluated::TARGET:
      return "turns to face a target item";
    case Unevaluated::PIVOT_ROTATION:
      return "has a pivot rotation";
    case Unevaluated::CHANNEL_MODIFIER:
      return "has a modifier or expression on its " + channelName(feature.channel) + " channel";
  }
  return "is moved by what quorvel-run does not evaluate";
}

}  // namespace

std::string leftOutPhrase(const std::vector<scene_eval::ItemSpec>& items, std::size_t measured,
                          const scene_eval::LeftOut& leftOut) {
  std::string subject = "it";
  if (leftOut.carrier != measured) {
    bool parent = items[measured].parent == leftOut.carrier;
    subject = std::string(parent ? "its parent" : "its ancestor") + " \"" +
              scene_eval::listedName(items[leftOut.carrier].name) + "\"";
  }
  return subject + " " + doing(leftOut.feature) + " (" + quoted(leftOut.feature.statement) + ")";
}
