// Where the runner finds the module file when no --module is given: beside
// the program, as in the build tree, or in the installed layout, where the
// program lies in PREFIX/bin and the module in PREFIX/lib/quorvel.

#ifndef QUORVEL_RUNNER_MODULE_SEARCH_H_
#define QUORVEL_RUNNER_MODULE_SEARCH_H_

#include <filesystem>

// The first of `programDirectory`/quorvel.p and
// `programDirectory`/../lib/quorvel/quorvel.p that exists. When neither
// does, the first, so that the loader's error names the file beside the
// program.
std::filesystem::path findModuleFile(const std::filesystem::path& programDirectory);

#endif  // QUORVEL_RUNNER_MODULE_SEARCH_H_
