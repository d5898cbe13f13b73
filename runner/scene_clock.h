// The clock the stand-in host answers the module's times by. The module
// samples at 30 frames a second, whatever the scene's rate: it asks for the
// positions at N/30 s for its frame N. On the module's clock the host
// answers them as asked; on the scene's clock (--scene-rate) it answers the
// positions at the scene's frame N instead, so that the envelope's frame N
// follows the scene's frame N.

#ifndef QUORVEL_RUNNER_SCENE_CLOCK_H_
#define QUORVEL_RUNNER_SCENE_CLOCK_H_

#include <string>

#include "scene_eval/scene_eval.h"

// The frames a second the module samples at.
inline constexpr double MODULE_FRAMES_PER_SECOND = 30;

// `item` on a clock of `framesPerSecond`: asked for the time T, it answers
// the position its own function gives at T x 30 / framesPerSecond. An item
// without a position function is given back as it is.
// REQUIRES framesPerSecond > 0.
scene_eval::ItemSpec onSceneClock(scene_eval::ItemSpec item, double framesPerSecond);

// The warning for a scene that plays `framesPerSecond` frames a second when
// that is not 30 and the module's clock is kept: the two rates and the
// option that bakes on the scene's clock, short enough that, after
// "quorvel-run: warning: ", it fits a line of 100 characters for any rate
// (printed with at most 6 significant digits). Empty for 30.
std::string frameRateWarning(double framesPerSecond);

// What the summary line ends with to say which clock the bake ran on:
// empty for the module's clock in a scene of 30 frames a second (the two
// clocks are one), else ", on the module's clock (30 frames a second; the
// scene plays 25)" or ", on the scene's clock (25 frames a second)".
std::string clockNote(double framesPerSecond, bool sceneClock);

#endif  // QUORVEL_RUNNER_SCENE_CLOCK_H_
