// Module files loaded with dlopen; the running program found through /proc.

#include <dlfcn.h>

#include <filesystem>

#include "runner/module_loader.h"
#include "runner/module_search.h"

bool LoadedModule::openFile(const std::string& path, std::string* error) {
  // A name without a slash would send the loader searching the system's
  // library directories; the user means the file here.
  std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  handle_ = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_) return true;
  const char* reason = dlerror();
  *error = "cannot load module file " + path + ": " + (reason ? reason : "unknown reason");
  return false;
}

const void* LoadedModule::findSymbol(const char* name) const {
  dlerror();
  return dlsym(handle_, name);
}

void LoadedModule::closeFile() { dlclose(handle_); }

std::string defaultModulePath(const char* argv0) {
  namespace fs = std::filesystem;
  std::error_code failure;
  fs::path program = fs::read_symlink("/proc/self/exe", failure);
  if (failure) program = fs::path(argv0 ? argv0 : "");
  return findModuleFile(program.parent_path()).string();
}
