// The Quorvel command: its options panel and its envelope writer, and the
// host services an activation hands them.
//
// Everything here runs on the host's thread inside one activation and shares
// module-wide records, so no two calls may overlap.

#ifndef QUORVEL_COMMAND_COMMAND_H_
#define QUORVEL_COMMAND_COMMAND_H_

#include <cstddef>
#include <cstdint>

#include "host/host.h"

// The options panel's defaults, what its fields hold until the user types
// otherwise: "Max Frame", "Frame Step", and the file name that "env_name"
// gives in the host's "Envelopes" directory. The stand-in runner answers the
// panel with them too.
inline constexpr std::int32_t PANEL_LAST_FRAME = 60;
inline constexpr std::int32_t PANEL_FRAME_STEP = 1;
inline constexpr char PANEL_ENVELOPE_NAME[] = "quorvel.env";
// The bytes of the panel's path buffer, its terminating NUL included.
inline constexpr std::size_t PANEL_PATH_CAPACITY = 256;

// The services an activation looked up, set before the command runs and read
// during the same activation. Overwritten by the next activation.
struct CommandServices {
  MessageServices* messages;
  ItemInfoServices* itemInfo;
  void* objectInfo;  // required by the command, never called
  void* sceneInfo;   // required by the command, never called
  DirectoryPathFunction directoryPath;
};

// The module-wide references. The activation sets every field before it
// calls into the command.
extern CommandServices commandServices;

// Shows the options panel through `panels`, reads the user's choices back
// and writes the envelope when an item and a target are known. Reports its
// own failures to the user. REQUIRES commandServices to be set.
void runOptionsPanel(PanelServices* panels, GlobalLookup lookup);

// Called by the host when the user changes the target kind: greys the Target
// list while "Camera" is chosen. `userData` is the run's PanelContext.
void onTargetKindChanged(PanelControl* control, void* userData);

// Samples the world positions of `item` and `target` at frames 0, step,
// 2 * step, ... below `lastFrame`, at 30 frames per second, and writes the
// distance between them to `path` as an "LWEN" envelope, one key per sample,
// every line ended by CR LF, its numbers as "%f" and "%d" write them in the C
// locale whatever the process's locale. The file is replaced whole or not at
// all (see file_replace/file_replace.h). Reported through errorMessage, with
// any previous file left as it was: a step below 1, a file that cannot be
// opened (the path alone), a write that fails (the path and "Unable to write
// envelope file") and a distance that is not finite (the path and "Distance
// is not a finite number at frame N", at the first such key). REQUIRES
// commandServices to be set.
void writeEnvelope(ItemId item, ItemId target, const char* path, std::int32_t lastFrame,
                   std::int32_t frameStep);

#endif  // QUORVEL_COMMAND_COMMAND_H_
