// A scene's timing: the last frame it plays and its frames a second, as
// every version from 1 to 5 states them. Version 1 writes the rate as a
// real ("FramesPerSecond 30.000000"), later versions mostly as an integer
// ("FramesPerSecond 25"); both are read as numbers, and so is the last
// frame, which must come out whole.

#include <cmath>
#include <limits>

#include "scene_eval/scene_eval.h"
#include "scene_eval/scene_numbers.h"
#include "scene_eval/scene_timing.h"

namespace scene_eval {

namespace {

// The one number a statement's line gives, or false.
bool oneNumber(const KeptLine& line, double* value) {
  std::vector<double> numbers;
  if (!parseNumbers(argumentOf(line.text), &numbers) || numbers.size() != 1) return false;
  *value = numbers[0];
  return true;
}

bool statedLastFrame(const std::optional<KeptLine>& stated, const Complaint& complaint,
                     SceneTiming* timing) {
  if (!stated) return true;
  const KeptLine& line = *stated;
  double frame = 0;
  if (!oneNumber(line, &frame) || frame != std::floor(frame) ||
      frame < std::numeric_limits<std::int32_t>::min() ||
      frame > std::numeric_limits<std::int32_t>::max()) {
    complaint.at(
        line.number, "LastFrame must be a whole number of frames, found " + quotedLine(line.text));
    return false;
  }
  timing->lastFrame = static_cast<std::int32_t>(frame);
  timing->lastFrameLine = line.number;
  return true;
}

}  // namespace

bool statedFramesPerSecond(const std::optional<KeptLine>& statement, const Complaint& complaint,
                           double* rate, int* lineNumber) {
  *rate = DEFAULT_FRAMES_PER_SECOND;
  *lineNumber = 0;
  if (!statement) return true;
  const KeptLine& line = *statement;
  double stated = 0;
  if (!oneNumber(line, &stated) || !(stated > 0)) {
    complaint.at(
        line.number, "FramesPerSecond must be a positive number, found " + quotedLine(line.text));
    return false;
  }
  *rate = stated;
  *lineNumber = line.number;
  return true;
}

bool timingOf(const SceneOutline& outline, const Complaint& complaint, SceneTiming* timing) {
  SceneTiming read;
  if (!statedLastFrame(outline.lastFrame, complaint, &read) ||
      !statedFramesPerSecond(outline.framesPerSecond, complaint, &read.framesPerSecond,
                             &read.framesPerSecondLine)) {
    return false;
  }
  *timing = read;
  return true;
}

bool sceneTiming(const SceneDocument* document, const std::string& sourceName, SceneTiming* timing,
                 std::string* error) {
  SceneReading reading;
  return reading.read(document, sourceName, error) && reading.timing(timing, error);
}

}  // namespace scene_eval
