// What the command line asks that cannot be done or would do nothing: told
// before the module runs, so that such a run writes nothing. The rules of
// the options alone are validateRunOptions's; those that need the scene's
// items follow once they are chosen.

#ifndef QUORVEL_RUNNER_OPTION_CHECKS_H_
#define QUORVEL_RUNNER_OPTION_CHECKS_H_

#include <string>

#include "runner/item_choice.h"
#include "runner/run_options.h"
#include "runner/run_scene.h"
#include "scene_eval/scene_eval.h"

// The file the module will write: --output, else the panel's default name
// in the envelopes directory.
std::string envelopePath(const RunOptions& options);

// Every rule of the options alone, each checked here once, after parsing
// and before the scene is read; a run of several pairs checks each pair's
// own options (pairBakeOptions) here too, before its bake. False, with
// `error` naming the options, at the first broken, in this order:
// --target with --camera, --verbose without --list-items, --progress with
// --no-progress or --quiet, --scene-rate without --scene (each as "A
// excludes B" or "A requires B", then how to see the options); a --reduce
// tolerance that is not a finite number of 0 or more; --output-dir without
// a pair; --pair or --pair-camera with --item, --target, --camera, --output
// or --plot. Then, for a run of one bake (not --list-items): unless --cancel, a typed last
// frame below 1, which leaves no frame to bake; an envelope path longer than
// the panel holds, one that opens only with a reader (a pipe or socket), or,
// with --plot, one that cannot be read back to draw (a device).
bool validateRunOptions(const RunOptions& options, std::string* error);

// With no --last-frame, sets options->lastFrame to one past the scene's
// LastFrame, so that the panel, which samples the frames below its last
// frame, bakes frames 0 to LastFrame. Call it for a scene file only: the
// built-in demo scene, like a scene that states no LastFrame, keeps the
// panel's default. False, with `error` naming the scene's line, when
// LastFrame + 1 does not fit the panel's 32 bits or, unless --cancel, when
// LastFrame is below 0 and leaves no frame to bake.
bool takeScenesLastFrame(const scene_eval::SceneTiming& timing, const std::string& sceneName,
                         RunOptions* options, std::string* error);

// False, with `error` naming the options, when the choice of items
// contradicts itself: --item and --target naming one item, or --item naming
// the first camera while --camera measures to it.
bool checkContradictions(const RunOptions& options, const RunScene& scene, const ItemChoice& choice,
                         std::string* error);

#endif  // QUORVEL_RUNNER_OPTION_CHECKS_H_
