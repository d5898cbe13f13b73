// The module's face to the host: the exported record `_mod_descrip`, its
// start-up and shut-down functions and the activation of the one server,
// "Quorvel" of class "LayoutGeneric".

#ifndef QUORVEL_MODULE_MODULE_H_
#define QUORVEL_MODULE_MODULE_H_

#include <cstdint>

#include "host/host.h"

extern "C" {

// The record the host reads; the module file's only export.
extern ModuleRecord _mod_descrip;

// Returns 4 and does nothing else.
void* moduleStartup(void);

// Does nothing.
void moduleShutdown(void* serverData);

// Runs the command once. Returns 1 when `version` is not 1 (nothing looked
// up), 2 when a required service is missing, 0 otherwise: failures after the
// panel services were found are reported to the user, not to the host.
// Arguments after `lookup` are not read.
std::int32_t activateCommand(std::int32_t version, GlobalLookup lookup, void* local,
                             void* serverData);
}

#endif  // QUORVEL_MODULE_MODULE_H_
