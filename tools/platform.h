// What quorvel-run needs from the operating system beyond the standard
// library: interrupts, the terminal on standard error, free space on a file
// system and reading a pipe without waiting forever for its writer. One
// source file per platform implements it (platform_posix.cpp, ...).

#ifndef QUORVEL_TOOLS_PLATFORM_H_
#define QUORVEL_TOOLS_PLATFORM_H_

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// --- Interrupts (Ctrl-C)
// From catchInterrupts until releaseInterrupts, an interrupt from the user
// (SIGINT, or Ctrl-C in a console) no longer ends the program: it is only
// remembered, for interrupted() to report. releaseInterrupts restores the
// default, which ends the program. interrupted() may be called at any time
// and is cheap enough to call in a tight loop.
void catchInterrupts();
void releaseInterrupts();
bool interrupted();

// --- Standard error
// Whether standard error is a terminal (a console) that a person watches.
bool standardErrorIsTerminal();
// The width of that terminal in characters; 0 when unknown or not a terminal.
int standardErrorColumns();

// --- File systems
// The bytes an unprivileged program may still write on the file system that
// holds `directory`; nothing when that cannot be found out (no such
// directory, say).
std::optional<std::uint64_t> freeBytes(const std::string& directory);

// --- Pipes
enum class PipeRead {
  kRead,      // *bytes holds everything the writer wrote before it closed
  kNoWriter,  // no writer opened the pipe within the wait
  kFailed,    // the pipe could not be opened or read
};
// Reads the pipe (a FIFO) at `path` to its end. Waits at most
// `waitMilliseconds` for a writer to open it; once a writer has it open,
// reads until the writer closes it, however long that takes.
PipeRead readPipe(const std::string& path, int waitMilliseconds, std::string* bytes);

// Makes a new empty file, only this user may read, in the system's
// temporary directory, and sets *path to its path; the caller removes it.
// False when no file could be made.
bool makeTemporaryFile(std::string* path);

}  // namespace platform

#endif  // QUORVEL_TOOLS_PLATFORM_H_
