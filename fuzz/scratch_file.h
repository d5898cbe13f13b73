// Files for one fuzz process: a folder of its own under the system's
// temporary folder, made on first use and kept for the process's life.

#ifndef QUORVEL_FUZZ_SCRATCH_FILE_H_
#define QUORVEL_FUZZ_SCRATCH_FILE_H_

#include <string>
#include <vector>

// The path of the file `name` in this process's scratch folder.
std::string scratchPath(const std::string& name);

// Replaces the file at `path` with exactly `bytes`; aborts when it cannot.
void writeFileBytes(const std::string& path, const std::string& bytes);

// Every byte of the file at `path`; aborts when it cannot be read.
std::string readFileBytes(const std::string& path);

// The names in the scratch folder, sorted.
std::vector<std::string> scratchFileNames();

#endif  // QUORVEL_FUZZ_SCRATCH_FILE_H_
