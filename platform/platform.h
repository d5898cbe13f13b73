// The operating-system seams that quorvel-run and quorvel-scene share, beyond
// the standard library: interrupts, the terminal on standard error, free
// space on a file system, reading a pipe without waiting forever for its
// writer, temporary files, what a path names, stamps and identities of files,
// why a file cannot be written, and standard input and output as bytes.
//
// Where a new platform function goes: its declaration here, in
// `namespace platform` under the heading of its part (or a new heading), and
// its definitions in one file per platform, NAME_posix.cpp and
// NAME_windows.cpp in platform/, which the build chooses by their endings
// (quorvel_platform_sources); what both platforms share goes in NAME.cpp.
// Its tests go in tests/platform/: platform_test_posix.cpp and
// platform_test_windows.cpp, or platform_test.cpp for what both do alike.

#ifndef QUORVEL_PLATFORM_PLATFORM_H_
#define QUORVEL_PLATFORM_PLATFORM_H_

#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

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
  READ,         // *bytes holds everything the writer wrote before it closed
  NO_WRITER,    // no writer opened the pipe within the wait
  READ_FAILED,  // the pipe could not be opened or read
};
// Reads the pipe (a FIFO) at `path` to its end. Waits at most
// `waitMilliseconds` for a writer to open it; once a writer has it open,
// reads until the writer closes it, however long that takes.
PipeRead readPipe(const std::string& path, int waitMilliseconds, std::string* bytes);

// Makes a new empty file, only this user may read, in the system's
// temporary directory, and sets *path to its path; the caller removes it.
// False when no file could be made.
bool makeTemporaryFile(std::string* path);

// --- What a path names
// Telling what a path names: a pipe, a device or a file. One file per
// platform (path_kind_posix.cpp, path_kind_windows.cpp).

// True when `path` names a pipe: a FIFO on POSIX, a named pipe
// "\\.\pipe\..." on Windows. Its bytes come from a program at the other end
// and can be read only once.
bool namesAPipe(const std::string& path);

// True when `path` names a pipe or socket (on Windows, a named pipe
// "\\.\pipe\..."): opening it to write would wait for a reader that may
// never come, and what is written there is not a file to read back.
bool opensOnlyWithAReader(const std::string& path);

// True when `path` names a device (/dev/null or a terminal on POSIX; NUL,
// CON or a port on Windows): what is written there goes through it and
// cannot be read back. A pipe is not asked: looking at it would open it.
bool namesADevice(const std::string& path);

// --- File stamps
// Telling whether a run wrote a file: a stamp of the file taken before the
// run, compared with the file as it stands after.

// What identifies one state of a file: a rewrite changes the modification
// and change times, a replacement the inode (on Windows: the file index).
// The times are kept to below the second, so that a rewrite within the same
// second is still told apart.
struct FileStamp {
  bool exists = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedSeconds = 0;
  std::int64_t modifiedNanoseconds = 0;
  std::int64_t changedSeconds = 0;
  std::int64_t changedNanoseconds = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of the regular file at `path`; `exists` is false when there is
// no regular file there. One file per platform.
FileStamp stampFile(const std::string& path);

// True when a regular file is at `path` now and it is not the one `before`
// describes: it was created or written since.
bool fileWrittenSince(const FileStamp& before, const std::string& path);

// --- File identities
// Telling whether two paths name one file, however they are spelt (links,
// "..", another case on Windows): by the identity the file system gives the
// file, device and inode on POSIX, volume serial number and file index on
// Windows. One file per platform (file_identity_posix.cpp,
// file_identity_windows.cpp).

struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FileIdentity&) const = default;
};

// The identity of the file or directory at `path`, links followed; nothing
// when nothing is there or the system does not tell one (on Windows: a
// device, or a named pipe, which is not opened to ask).
std::optional<FileIdentity> fileIdentity(const std::string& path);

// The identity of the file this process has as its standard input; nothing
// when that is no file on disk (a terminal, a pipe).
std::optional<FileIdentity> standardInputIdentity();

// True when `a` and `b`, names of entries of one directory, name the same
// entry: equal bytes on POSIX; on Windows, equal but for the case of letters.
bool sameEntryName(const std::string& a, const std::string& b);

// --- Writing files
// Why files cannot be written where a file is to be replaced whole (a
// temporary file beside it, renamed over it). The reasons are the system's,
// as std::errc codes where there is one (permission denied, read-only file
// system, no space), so that their messages read the same on every
// platform. Nothing is left behind and nothing changes. One file per
// platform (write_access_posix.cpp, write_access_windows.cpp).

// Why no new file can be created in the existing directory `directory`;
// an empty code when one can.
std::error_code fileCreationRefusal(const std::string& directory);

// Why the existing regular file at `path` cannot be given new content, by
// replacing it or, where its directory takes no new file, by writing over
// it; an empty code when it can. REQUIRES a path with its links followed,
// so that its directory is the one the replacement goes to.
std::error_code fileReplacementRefusal(const std::string& path);

// --- Standard input
// Reads standard input to its end as bytes, no line end translated, onto
// the end of `bytes`. An empty code when it was read to its end; else why a
// read failed, with `bytes` holding what was read before.
std::error_code readStandardInput(std::string* bytes);

// --- Standard output
// Writes `bytes` to standard output as they are, no line end translated,
// and flushes it. An empty code when all were written; else why not.
std::error_code writeStandardOutput(const std::string& bytes);

}  // namespace platform

#endif  // QUORVEL_PLATFORM_PLATFORM_H_
