// A module file loaded with the system's dynamic loader, its record checked
// as a host checks it, and its "Quorvel" server found.

#ifndef QUORVEL_RUNNER_MODULE_LOADER_H_
#define QUORVEL_RUNNER_MODULE_LOADER_H_

#include <cstdint>
#include <string>

#include "host/host.h"

class LoadedModule {
 public:
  LoadedModule() = default;
  // Unloads the module file.
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  // Loads the file at `path`, finds the data symbol `_mod_descrip`, checks
  // its sync code, version and machine code, and finds the server of class
  // "LayoutGeneric" named "Quorvel". On failure returns false and sets
  // `error` to a message naming the file and what was wrong; nothing stays
  // loaded. REQUIRES that nothing is loaded yet.
  bool load(const std::string& path, std::string* error);

  // Calls the module's start-up function, the server's activation with
  // version 1 and `lookup`, then the shut-down function; returns the
  // activation's result. REQUIRES a successful load.
  std::int32_t activate(GlobalLookup lookup);

 private:
  bool checkRecord(const std::string& path, std::string* error);
  bool findServer(const std::string& path, std::string* error);
  void unload();

  // The platform's dynamic loader, one file per platform. openFile loads the
  // file at `path` into `handle_`, or sets `error` and returns false;
  // findSymbol gives the address of the exported `name`, or null; closeFile
  // unloads `handle_`.
  bool openFile(const std::string& path, std::string* error);
  const void* findSymbol(const char* name) const;
  void closeFile();

  void* handle_ = nullptr;
  const ModuleRecord* record_ = nullptr;
  ActivateFunction activateFunction_ = nullptr;
};

// The module file the runner loads by default: "quorvel.p" in the directory
// of the running program, else in ../lib/quorvel/ from there (see
// findModuleFile). `argv0` is used when the running program's own path
// cannot be found.
std::string defaultModulePath(const char* argv0);

#endif  // QUORVEL_RUNNER_MODULE_LOADER_H_
