// A module file whose record is built from the compile definitions
// RECORD_SYNC_CODE, RECORD_VERSION, RECORD_MACHINE_CODE and SERVER_NAME, so
// that the runner's checks can be shown each wrong value in turn. Its
// activation shows a message, so a run that got that far would be seen, and
// returns ACTIVATION_RESULT.

#include "host/host.h"

namespace {

void* startUp(void) { return nullptr; }
void shutDown(void*) {}

std::int32_t activate(std::int32_t, GlobalLookup lookup, void*, void*) {
  auto* messages = static_cast<MessageServices*>(lookup("Info Messages", 0));
  if (messages) messages->errorMessage("test module activated", nullptr);
  return ACTIVATION_RESULT;
}

ServerEntry servers[] = {
    {"LayoutGeneric", SERVER_NAME, activate},
    {nullptr, nullptr, nullptr},
};

}  // namespace

extern "C" {
ModuleRecord _mod_descrip = {
    RECORD_SYNC_CODE, RECORD_VERSION, RECORD_MACHINE_CODE, startUp, shutDown, servers,
};
}
