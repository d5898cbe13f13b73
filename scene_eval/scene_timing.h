// The rate a scene file states, read by the line, for the readers that turn
// frames into seconds. Not part of the library's interface: include
// scene_eval.h.

#ifndef QUORVEL_SCENE_EVAL_SCENE_TIMING_H_
#define QUORVEL_SCENE_EVAL_SCENE_TIMING_H_

#include <optional>

#include "scene_eval/item_lines.h"
#include "scene_eval/scene_lines.h"

namespace scene_eval {

// The frames a second of a scene that states none.
inline constexpr double DEFAULT_FRAMES_PER_SECOND = 30;

// The first line stating "FramesPerSecond" outside blocks, indent aside (as
// outlineScene keeps it), gives the scene's rate; *rate is DEFAULT_FRAMES_PER_SECOND and
// *lineNumber 0 when none does. Fails, naming the line, when its argument
// is not one positive number.
bool statedFramesPerSecond(const std::optional<KeptLine>& stated, const Complaint& complaint,
                           double* rate, int* lineNumber);

// The timing of a scene from its outline; see sceneTiming.
bool timingOf(const SceneOutline& outline, const Complaint& complaint, SceneTiming* timing);

}  // namespace scene_eval

#endif  // QUORVEL_SCENE_EVAL_SCENE_TIMING_H_
