// Replacing a file whole or not at all.
//
// The new content of a file goes to a temporary file in the target's own
// directory, which is renamed over the target only after everything was
// written and the file closed without error. Until then, and after any
// failure, the target holds exactly what it held before, and no temporary
// file stays behind.
//
// A path that exists and is not a regular file (a character device such as
// /dev/null, a FIFO) cannot be replaced: it is written directly. A symbolic
// link keeps its link: the file it points to is replaced. A replaced file
// keeps its permission bits; a new one gets those of a newly created file.
// Where the directory refuses a new file but the target itself may be
// written, the target is written directly, as it always could be; so is, on
// Windows, a target whose temporary file's path would pass MAX_PATH.

#ifndef QUORVEL_FILE_REPLACE_FILE_REPLACE_H_
#define QUORVEL_FILE_REPLACE_FILE_REPLACE_H_

#include <cstdio>

// One replacement under way, from beginFileReplacement to
// finishFileReplacement. Its fields belong to those two functions; only
// `stream` is for the caller to write to.
struct FileReplacement {
  std::FILE* stream;     // binary stream for the new content
  char* temporaryPath;   // heap text; null when the target is written directly
  char* targetPath;      // heap text: the file renamed over, links followed
};

// Opens `replacement->stream` for the new content of the file at `path`.
// False when that is not possible (the file or its directory cannot be
// written, memory runs out): nothing was created, nothing changed, and the
// record holds nothing to finish.
bool beginFileReplacement(const char* path, FileReplacement* replacement);

// Closes the stream. When `keep` is true and every write and the close
// succeeded, the new content takes the target's place; otherwise the
// temporary file is removed and the target left as it was (a target
// written directly keeps what was written). Returns whether the new content
// is in place. Gives back everything the record holds, whatever the result.
// REQUIRES a record from a successful beginFileReplacement.
bool finishFileReplacement(FileReplacement* replacement, bool keep);

#endif  // QUORVEL_FILE_REPLACE_FILE_REPLACE_H_
