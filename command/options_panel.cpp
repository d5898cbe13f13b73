#include "command/command.h"

// Placeholder until the options panel is built: shows nothing, writes nothing.
void runOptionsPanel(PanelServices*, GlobalLookup) {}

void onTargetKindChanged(PanelControl*, void*) {}
