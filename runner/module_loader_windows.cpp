// Module files loaded with LoadLibraryA; the running program found with
// GetModuleFileNameA.

#include <windows.h>

#include <filesystem>

#include "runner/module_loader.h"
#include "runner/module_search.h"

namespace {

// The system's text for the last error of this thread, without its line end.
std::string lastErrorText() {
  DWORD code = GetLastError();
  char text[512] = "";
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, code, 0, text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' ||
                        text[length - 1] == ' ' || text[length - 1] == '.')) {
    text[--length] = '\0';
  }
  if (length == 0) return "error " + std::to_string(code);
  return text;
}

}  // namespace

bool LoadedModule::openFile(const std::string& path, std::string* error) {
  // A name without a directory would send the loader searching the program's
  // and the system's directories; the user means the file here.
  std::string file = path.find_first_of("/\\") == std::string::npos ? ".\\" + path : path;
  // A file that is not a DLL is reported here, not in a dialog box.
  UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  handle_ = LoadLibraryA(file.c_str());
  std::string reason = handle_ ? "" : lastErrorText();
  SetErrorMode(previousMode);
  if (handle_) return true;
  *error = "cannot load module file " + path + ": " + reason;
  return false;
}

const void* LoadedModule::findSymbol(const char* name) const {
  // The record is a data export; GetProcAddress gives its address all the same.
  return reinterpret_cast<const void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void LoadedModule::closeFile() { FreeLibrary(static_cast<HMODULE>(handle_)); }

std::string defaultModulePath(const char* argv0) {
  char program[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
  std::filesystem::path found = length > 0 && length < sizeof program ? program
                                                                      : (argv0 ? argv0 : "");
  return findModuleFile(found.parent_path()).string();
}
