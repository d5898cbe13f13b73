#include "runner/module_loader.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr char RECORD_SYMBOL[] = "_mod_descrip";
constexpr char SERVER_CLASS[] = "LayoutGeneric";
constexpr char SERVER_NAME[] = "Quorvel";
constexpr std::int32_t INTERFACE_VERSION = 1;
// A server table longer than this is taken to have lost its terminating row.
constexpr int MAX_SERVER_ROWS = 1024;

std::string hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

bool sameText(const char* text, const char* expected) {
  return text && std::strcmp(text, expected) == 0;
}

}  // namespace

LoadedModule::~LoadedModule() { unload(); }

void LoadedModule::unload() {
  if (handle_) closeFile();
  handle_ = nullptr;
  record_ = nullptr;
  activateFunction_ = nullptr;
}

bool LoadedModule::load(const std::string& path, std::string* error) {
  if (!openFile(path, error)) return false;
  record_ = static_cast<const ModuleRecord*>(findSymbol(RECORD_SYMBOL));
  if (!record_) {
    *error = path + " is not a module: it has no _mod_descrip record";
    unload();
    return false;
  }
  if (!checkRecord(path, error) || !findServer(path, error)) {
    unload();
    return false;
  }
  return true;
}

bool LoadedModule::checkRecord(const std::string& path, std::string* error) {
  const ModuleRecord& record = *record_;
  if (record.syncCode != MODULE_SYNC_CODE) {
    *error = path + ": the module record's sync code is " + hex(record.syncCode) + ", not " +
             hex(MODULE_SYNC_CODE);
  } else if (record.version != MODULE_VERSION) {
    *error = path + ": the module record's version is " + std::to_string(record.version) +
             ", not " + std::to_string(MODULE_VERSION);
  } else if (record.machineCode != MODULE_MACHINE_CODE) {
    *error = path + ": the module record's machine code is " +
             hex(static_cast<std::uint32_t>(record.machineCode)) + ", not " +
             hex(MODULE_MACHINE_CODE);
  } else if (!record.startup || !record.shutdown) {
    *error = path + ": the module record lacks its start-up or shut-down function";
  } else {
    return true;
  }
  return false;
}

bool LoadedModule::findServer(const std::string& path, std::string* error) {
  const ServerEntry* row = record_->servers;
  for (int count = 0; row && count < MAX_SERVER_ROWS && row->className; ++row, ++count) {
    if (sameText(row->className, SERVER_CLASS) && sameText(row->serverName, SERVER_NAME)) {
      activateFunction_ = row->activate;
      if (activateFunction_) return true;
      *error = path + ": the server \"Quorvel\" has no activation function";
      return false;
    }
  }
  *error = path + ": the module has no server of class \"LayoutGeneric\" named \"Quorvel\"";
  return false;
}

std::int32_t LoadedModule::activate(GlobalLookup lookup) {
  void* serverData = record_->startup();
  std::int32_t result = activateFunction_(INTERFACE_VERSION, lookup, nullptr, nullptr);
  record_->shutdown(serverData);
  return result;
}
