#include "runner/same_files.h"

#include <filesystem>
#include <optional>

#include "platform/platform.h"
#include "runner/scene_reading.h"

namespace {

// Where a path lands: the file there, or, for one not made yet, the
// directory it would be made in and its name there.
struct Landing {
  std::optional<platform::FileIdentity> file;
  std::optional<platform::FileIdentity> directory;
  std::string name;
};

Landing landingOf(const RunFile& file) {
  Landing landing;
  if (file.standardInput) {
    landing.file = platform::standardInputIdentity();
    return landing;
  }
  const std::string& path = file.path;
  // Nothing written to a device or a pipe is kept to be lost.
  if (platform::namesAPipe(path) || platform::namesADevice(path)) return landing;
  landing.file = platform::fileIdentity(path);
  if (landing.file) return landing;
  std::filesystem::path spelt(path);
  std::filesystem::path directory = spelt.parent_path();
  landing.directory = platform::fileIdentity(directory.empty() ? "." : directory.string());
  landing.name = spelt.filename().string();
  return landing;
}

bool sameLanding(const Landing& a, const Landing& b) {
  if (a.file || b.file) return a.file && b.file && *a.file == *b.file;
  return a.directory && b.directory && *a.directory == *b.directory && !a.name.empty() &&
         platform::sameEntryName(a.name, b.name);
}

}  // namespace

bool checkDistinctFiles(const std::vector<RunFile>& files, std::string* error) {
  std::vector<Landing> landings;
  for (const RunFile& file : files) landings.push_back(landingOf(file));
  for (std::size_t i = 0; i < files.size(); ++i) {
    for (std::size_t j = i + 1; j < files.size(); ++j) {
      if (!sameLanding(landings[i], landings[j])) continue;
      *error = files[i].option + " " + files[i].path + " and " + files[j].option + " " +
               files[j].path + " name the same file; nothing was written";
      return false;
    }
  }
  return true;
}

std::vector<RunFile> runFiles(const RunOptions& options, const std::string& envelopePath,
                              const std::string& modulePath) {
  std::vector<RunFile> files;
  if (!options.scenePath.empty()) {
    files.push_back({"--scene", options.scenePath, options.scenePath == STANDARD_INPUT_SCENE});
  }
  files.push_back({options.modulePath.empty() ? "the module" : "--module", modulePath});
  files.push_back({options.output ? "--output" : "the default envelope", envelopePath});
  if (!options.plotPath.empty()) files.push_back({"--plot", options.plotPath});
  if (!options.tablePath.empty() && options.tablePath != "-") {
    files.push_back({"--table", options.tablePath});
  }
  return files;
}
