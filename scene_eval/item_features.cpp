// Finding an item's unevaluated features: keyword lines, and envelopes of
// its motion's channels that hold more than keys and behaviours.

#include "scene_eval/item_features.h"

#include <optional>
#include <string_view>

#include "scene_eval/motion.h"
#include "scene_eval/scene_numbers.h"

namespace scene_eval {

namespace {

UnevaluatedFeature featureOf(const FileLine& line, Unevaluated kind, bool movesOwnPosition) {
  UnevaluatedFeature feature;
  feature.kind = kind;
  feature.line = line.number;
  feature.statement = std::string(withoutIndent(line.text));
  feature.movesOwnPosition = movesOwnPosition;
  return feature;
}

bool isMotionHead(std::string_view text) {
  return hasKeyword(text, "ObjectMotion") || hasKeyword(text, "LightMotion") ||
         hasKeyword(text, "CameraMotion");
}

bool isMotionModifier(std::string_view text) {
  return hasKeyword(text, "Plugin") &&
         firstWordOf(argumentOf(text)).word == "ItemMotionHandler";
}

bool isRotationController(std::string_view text) {
  return hasKeyword(text, "HController") || hasKeyword(text, "PController") ||
         hasKeyword(text, "BController");
}

// A rotation controller's feature, when its code is not 0 (keyed).
bool readController(const FileLine& line, const Complaint& complaint,
                    std::vector<UnevaluatedFeature>* features) {
  long code = 0;
  if (!parseInteger(argumentOf(line.text), &code)) {
    complaint.at(line.number, "expected a rotation controller's number, found " +
                                  quotedLine(line.text));
    return false;
  }
  if (code == 0) return true;
  UnevaluatedFeature feature = featureOf(line, Unevaluated::ROTATION_CONTROLLER, false);
  feature.controller = code;
  features->push_back(std::move(feature));
  return true;
}

// A pivot rotation's feature, when it is not 0 0 0.
bool readPivotRotation(const FileLine& line, const Complaint& complaint,
                       std::vector<UnevaluatedFeature>* features) {
  std::vector<double> angles;
  if (!parseNumbers(argumentOf(line.text), &angles) || angles.size() != 3) {
    complaint.at(line.number,
                 "expected three numbers after PivotRotation, found " + quotedLine(line.text));
    return false;
  }
  if (angles[0] != 0 || angles[1] != 0 || angles[2] != 0) {
    features->push_back(featureOf(line, Unevaluated::PIVOT_ROTATION, false));
  }
  return true;
}

// The feature a statement outside motions states, if any.
bool readKeywordFeature(const FileLine& line, const Complaint& complaint,
                        std::vector<UnevaluatedFeature>* features) {
  std::string_view text = line.text;
  if (isMotionModifier(text)) {
    features->push_back(featureOf(line, Unevaluated::MOTION_MODIFIER, true));
  } else if (hasKeyword(text, "GoalObject")) {
    features->push_back(featureOf(line, Unevaluated::INVERSE_KINEMATICS, true));
  } else if (isRotationController(text)) {
    return readController(line, complaint, features);
  } else if (hasKeyword(text, "TargetItem") || hasKeyword(text, "TargetObject")) {
    features->push_back(featureOf(line, Unevaluated::TARGET, false));
  } else if (hasKeyword(text, "PivotRotation")) {
    return readPivotRotation(line, complaint, features);
  }
  return true;
}

// The first line of the envelope block that opens at `open` and ends before
// `past` that is none of its key count, its Key lines and its Behaviors;
// nothing when there is none.
std::optional<std::size_t> firstUnevaluatedLine(const std::vector<FileLine>& lines,
                                                std::size_t open, std::size_t past) {
  std::size_t last = withoutIndent(lines[past - 1].text).starts_with("}") ? past - 1 : past;
  bool countRead = false;
  for (std::size_t i = open + 1; i < last; i = pastBlock(lines, i, last)) {
    std::string_view text = lines[i].text;
    if (withoutIndent(text).empty()) continue;
    long count = 0;
    bool isCount = !countRead && parseInteger(text, &count);
    countRead = true;
    if (isCount || hasKeyword(text, "Key") || hasKeyword(text, "Behaviors")) continue;
    return i;
  }
  return std::nullopt;
}

// Follows a version 3 to 5 motion block through its channels, statement by
// statement, to tell which of its envelopes holds which channel.
class MotionChannels {
 public:
  // Takes the next statement of the item. True when it belongs to a motion
  // block; then *channel is the channel whose envelope opens there, if any.
  bool take(std::string_view text, std::optional<long>* channel) {
    *channel = std::nullopt;
    if (isMotionHead(text)) {
      inMotion_ = true;
      pending_ = std::nullopt;
      return true;
    }
    if (!inMotion_) return false;
    long index = 0;
    if (withoutIndent(text).empty() || hasKeyword(text, "NumChannels")) return true;
    if (hasKeyword(text, "Channel") && parseInteger(argumentOf(text), &index)) {
      pending_ = index;
      return true;
    }
    if (pending_ && hasKeyword(text, "{") && firstWordOf(argumentOf(text)).word == "Envelope") {
      *channel = pending_;
      pending_ = std::nullopt;
      return true;
    }
    inMotion_ = false;
    return false;
  }

 private:
  bool inMotion_ = false;
  std::optional<long> pending_;  // the channel of the last "Channel N" line, until its envelope
};

}  // namespace

bool unevaluatedFeatures(const std::vector<FileLine>& lines, const ItemLines& item,
                         const Complaint& complaint, std::vector<UnevaluatedFeature>* features) {
  std::vector<UnevaluatedFeature> found;
  if (item.kind == ItemKind::BONE) {
    found.push_back(featureOf(lines[item.begin], Unevaluated::BONE, true));
  }
  MotionChannels motion;
  for (std::size_t i = item.begin + 1; i < item.end; i = pastBlock(lines, i, item.end)) {
    std::optional<long> channel;
    if (!motion.take(lines[i].text, &channel)) {
      if (!readKeywordFeature(lines[i], complaint, &found)) return false;
      continue;
    }
    if (!channel || *channel < 0 || *channel >= static_cast<long>(MOTION_CHANNELS)) continue;
    std::optional<std::size_t> unevaluated =
        firstUnevaluatedLine(lines, i, pastBlock(lines, i, item.end));
    if (!unevaluated) continue;
    std::size_t index = static_cast<std::size_t>(*channel);
    UnevaluatedFeature feature =
        featureOf(lines[*unevaluated], Unevaluated::CHANNEL_MODIFIER, index <= CHANNEL_POSITION_Z);
    feature.channel = index;
    found.push_back(std::move(feature));
  }
  *features = std::move(found);
  return true;
}

}  // namespace scene_eval
