// What the command line asks that cannot be done or would do nothing: told
// before the module runs, so that such a run writes nothing.

#ifndef QUORVEL_RUNNER_OPTION_CHECKS_H_
#define QUORVEL_RUNNER_OPTION_CHECKS_H_

#include <string>

#include "runner/item_choice.h"
#include "runner/run_options.h"
#include "runner/run_scene.h"
#include "scene_eval/scene_eval.h"

// With no --last-frame, sets options->lastFrame to one past the scene's
// LastFrame, so that the panel, which samples the frames below its last
// frame, bakes frames 0 to LastFrame. Call it for a scene file only: the
// built-in demo scene, like a scene that states no LastFrame, keeps the
// panel's default. False, with `error` naming the scene's line, when
// LastFrame + 1 does not fit the panel's 32 bits or, unless --cancel, when
// LastFrame is below 0 and leaves no frame to bake.
bool takeScenesLastFrame(const scene_eval::SceneTiming& timing, const std::string& sceneName,
                         RunOptions* options, std::string* error);

// False, with `error` naming the options, when the choice contradicts
// itself: --item and --target naming one item; --item naming the first
// camera while --camera measures to it; or, unless --cancel, a last frame
// below 1, which leaves no frame to bake.
bool checkContradictions(const RunOptions& options, const RunScene& scene, const ItemChoice& choice,
                         std::string* error);

// False, with `error` naming the options, when the options of several pairs
// contradict the others: --pair or --pair-camera with --item, --target,
// --camera, --output or --plot (each pair chooses its own, and one plot
// cannot show several envelopes); --output-dir without a pair; a --reduce
// tolerance that is not a finite number.
bool checkPairOptions(const RunOptions& options, std::string* error);

#endif  // QUORVEL_RUNNER_OPTION_CHECKS_H_
