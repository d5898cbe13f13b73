// What the user does in the module's open panel, as the command line asks:
// the stand-in host plays these actions while the panel is open.

#ifndef QUORVEL_RUNNER_PANEL_SCRIPT_H_
#define QUORVEL_RUNNER_PANEL_SCRIPT_H_

#include <vector>

#include "host/host.h"
#include "hostsim/hostsim.h"
#include "runner/run_options.h"

// The actions for `options`: pick `item` in "Item" and `target` in "Target"
// (a target of 0 leaves that list alone), choose "Camera" in "TargetVar"
// when asked, type the frames and the output path, then close the panel
// with Cancel or OK. Controls whose option was not given are not touched.
std::vector<hostsim::UserAction> panelScript(const RunOptions& options, ItemId item, ItemId target);

#endif  // QUORVEL_RUNNER_PANEL_SCRIPT_H_
