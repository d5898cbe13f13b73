// The files one run reads and writes (the scene, the module, the envelope,
// the plot) must be distinct: a typo that names the scene as the plot
// would otherwise replace the scene. Files are told apart by identity, not
// by spelling, so that links, ".." and, on Windows, another case of letters
// are seen through.

#ifndef QUORVEL_RUNNER_SAME_FILES_H_
#define QUORVEL_RUNNER_SAME_FILES_H_

#include <string>
#include <vector>

#include "runner/run_options.h"

// A file of the run, and what names it in messages: "--scene", "--output",
// "the default envelope", ...
struct RunFile {
  std::string option;
  std::string path;
  bool standardInput = false;  // the file is standard input's; `path` only names it
};

// False, with `error` naming both options, both paths and saying that
// nothing was written, when any two of `files` name one file: both exist
// and have one identity; or neither exists yet, their directories are one
// directory and their names are equal as that directory's file system
// compares names. A device, a pipe and a standard input that is no file on
// disk are the same as nothing: nothing kept on them can be lost.
bool checkDistinctFiles(const std::vector<RunFile>& files, std::string* error);

// The files a run of `options` reads and writes, as the command line names
// them: the scene (unless the built-in one), the module at `modulePath`, the
// envelope at `envelopePath`, the plot and the table (when asked for, and
// not to standard output).
std::vector<RunFile> runFiles(const RunOptions& options, const std::string& envelopePath,
                              const std::string& modulePath);

#endif  // QUORVEL_RUNNER_SAME_FILES_H_
