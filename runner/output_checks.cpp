#include "runner/output_checks.h"

#include <filesystem>
#include <system_error>

#include "platform/platform.h"

namespace {

namespace fs = std::filesystem;

// The path a replacement lands on: a link's target, followed as far as it
// goes.
fs::path followedLinks(const std::string& path) {
  std::error_code failure;
  if (!fs::is_symlink(path, failure)) return path;
  fs::path resolved = fs::weakly_canonical(path, failure);
  return failure ? fs::path(path) : resolved;
}

// The second line of the module's message when its envelope could not be
// written whole.
constexpr char MODULE_WRITE_FAILURE[] = "Unable to write envelope file";

std::string words(std::errc code) { return std::make_error_code(code).message(); }

// Whether the directory a new file goes to can take one; false with
// `reason` saying why not.
bool directoryTakesFiles(const fs::path& directory, std::string* reason) {
  std::error_code failure;
  fs::file_status status = fs::status(directory, failure);
  std::string why;
  if (!fs::exists(status)) {
    bool unknown = !failure || failure == std::errc::no_such_file_or_directory;
    why = unknown ? words(std::errc::no_such_file_or_directory) : failure.message();
  } else if (!fs::is_directory(status)) {
    why = words(std::errc::not_a_directory);
  } else if (std::error_code refusal = platform::fileCreationRefusal(directory.string())) {
    why = refusal.message();
  }
  if (why.empty()) return true;
  *reason = "the directory " + directory.string() + ": " + why;
  return false;
}

}  // namespace

bool readableBack(const std::string& path) { return !platform::namesADevice(path); }

fs::path landingDirectory(const std::string& path) {
  fs::path directory = followedLinks(path).parent_path();
  return directory.empty() ? fs::path(".") : directory;
}

bool writable(const std::string& path, std::string* reason) {
  if (platform::opensOnlyWithAReader(path) || platform::namesADevice(path)) return true;
  fs::path target = followedLinks(path);
  std::error_code failure;
  fs::file_status status = fs::status(target, failure);
  if (fs::is_directory(status)) {
    *reason = words(std::errc::is_a_directory);
    return false;
  }
  if (!fs::exists(status)) return directoryTakesFiles(landingDirectory(path), reason);
  if (std::error_code refusal = platform::fileReplacementRefusal(target.string())) {
    *reason = refusal.message();
    return false;
  }
  return true;
}

bool checkOutputsWritable(const std::string& envelopePath, const std::string& plotPath,
                          std::string* error) {
  std::string reason;
  if (!writable(envelopePath, &reason)) {
    *error = "cannot write the envelope " + envelopePath + ": " + reason;
    return false;
  }
  if (!plotPath.empty() && !writable(plotPath, &reason)) {
    *error = "cannot write the plot " + plotPath + ": " + reason;
    return false;
  }
  return true;
}

bool checkTableWritable(const std::string& tablePath, std::string* error) {
  if (tablePath.empty() || tablePath == "-") return true;
  std::string reason;
  if (writable(tablePath, &reason)) return true;
  *error = "cannot write the table " + tablePath + ": " + reason;
  return false;
}

std::string whyModuleWriteFailed(const std::string& path) {
  std::string reason;
  if (!writable(path, &reason)) return reason;
  if (!platform::namesADevice(path)) {
    std::optional<std::uint64_t> free = platform::freeBytes(landingDirectory(path).string());
    if (free && *free == 0) return words(std::errc::no_space_on_device);
  }
  return "nothing is in the way of writing it now, so the write itself failed";
}

bool moduleWriteFailureNote(const std::vector<hostsim::Message>& messages,
                            const std::string& path, std::string* note) {
  for (const hostsim::Message& message : messages) {
    if (message.line1 == path && (!message.line2 || *message.line2 == MODULE_WRITE_FAILURE)) {
      *note = "the module could not write the envelope " + path + ": " + whyModuleWriteFailed(path);
      return true;
    }
  }
  return false;
}
