// One activation of the loaded module on a scene, the stand-in host
// answering its panel as the options say: the module's bake.

#ifndef QUORVEL_RUNNER_MODULE_RUN_H_
#define QUORVEL_RUNNER_MODULE_RUN_H_

#include <string>

#include "runner/item_choice.h"
#include "runner/module_loader.h"
#include "runner/run_options.h"
#include "runner/run_scene.h"

// Activates `module` once on `scene`, which plays `framesPerSecond` (the
// host's clock runs at it with --scene-rate), with the panel answered as
// `options` and `choice` say and the envelope at `envelopePath`. Prints the
// module's messages and what went wrong on standard error. Returns the exit
// status: 0 also when the module wrote nothing (--cancel, no camera) or
// wrote to a device (said on the report stream unless --quiet); the
// activation's own result; EXIT_MODULE_MESSAGE after a message;
// EXIT_INTERRUPTED; EXIT_RUNNER_FAILED for a result no host knows. Sets
// *written when an envelope was written that can be read back, for the
// caller to report. Once interrupted (when the run catches interrupts,
// platform::catchInterrupts), the host answers positions that are not
// finite, so that the module ends its write and leaves the old envelope
// alone. REQUIRES a loaded module, a scene loaded with positions for the
// chosen items, and a checked choice.
int runModule(LoadedModule* module, const RunScene& scene, const RunOptions& options,
              const ItemChoice& choice, const std::string& envelopePath, double framesPerSecond,
              bool* written);

#endif  // QUORVEL_RUNNER_MODULE_RUN_H_
