#include "module/module.h"

#include "command/command.h"

namespace {

ServerEntry serverTable[] = {
    {"LayoutGeneric", "Quorvel", activateCommand},
    {nullptr, nullptr, nullptr},
};

constexpr std::int32_t INTERFACE_VERSION = 1;
constexpr std::int32_t RESULT_DONE = 0;
constexpr std::int32_t RESULT_BAD_VERSION = 1;
constexpr std::int32_t RESULT_MISSING_SERVICE = 2;

// Looks up the five services the command reads, all of them before any is
// tested, and keeps them module-wide. True when every one was found.
bool lookUpCommandServices(GlobalLookup lookup) {
  CommandServices& services = commandServices;
  services.messages = static_cast<MessageServices*>(lookup("Info Messages", 0));
  services.itemInfo = static_cast<ItemInfoServices*>(lookup("LW Item Info", 0));
  services.objectInfo = lookup("LW Object Info", 0);
  services.sceneInfo = lookup("LW Scene Info", 0);
  services.directoryPath = reinterpret_cast<DirectoryPathFunction>(lookup("Directory Info", 0));
  return services.messages && services.itemInfo && services.objectInfo && services.sceneInfo &&
         services.directoryPath;
}

}  // namespace

extern "C" {

#if defined(_WIN32)
__declspec(dllexport)
#else
__attribute__((visibility("default")))
#endif
ModuleRecord _mod_descrip = {
    MODULE_SYNC_CODE, MODULE_VERSION, MODULE_MACHINE_CODE, moduleStartup, moduleShutdown,
    serverTable,
};

void* moduleStartup(void) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(4)); }

void moduleShutdown(void*) {}

std::int32_t activateCommand(std::int32_t version, GlobalLookup lookup, void*, void*) {
  if (version != INTERFACE_VERSION) return RESULT_BAD_VERSION;
  if (!lookUpCommandServices(lookup)) return RESULT_MISSING_SERVICE;
  auto* panels = static_cast<PanelServices*>(lookup("LWPanelServices", 0));
  if (!panels) {
    commandServices.messages->errorMessage("Unable to active global LWPanelServices",
                                           " please add plugin lwpanels.p");
    return RESULT_MISSING_SERVICE;
  }
  runOptionsPanel(panels, lookup);
  return RESULT_DONE;
}

}  // extern "C"
