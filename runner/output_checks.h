// Whether the files a run writes can be written where they go, asked
// before the bake so that a run that cannot finish is refused before it
// starts, and asked again when the module could not write its envelope.
// The reasons are the system's words (No such file or directory, Permission
// denied, Read-only file system, Is a directory, ...).

#ifndef QUORVEL_RUNNER_OUTPUT_CHECKS_H_
#define QUORVEL_RUNNER_OUTPUT_CHECKS_H_

#include <filesystem>
#include <string>
#include <vector>

#include "hostsim/hostsim.h"

// The directory a file written at `path` lands in, as files are replaced:
// the directory of the file a link at `path` points to, the link followed
// as far as it goes; "." for a name without a directory.
std::filesystem::path landingDirectory(const std::string& path);

// Whether what is written at `path` can be read back: anything but a
// device, such as /dev/null, which is written through and reads back as
// something else.
bool readableBack(const std::string& path);

// Whether a file can be written at `path` as the module writes its envelope
// and the runner its plot (replaced whole, links followed; where the
// directory takes no new file, written over): true when nothing is in the
// way. Otherwise false with `reason` set: "the directory D: REASON" when its
// directory is missing, is no directory or takes no new file while the file
// itself cannot be written either; "REASON" when `path` is a directory or an
// existing file that cannot be written. A device is written through and a
// pipe opens only with a reader: neither is looked at, and both give true.
// REQUIRES a non-null `reason`, which is left as it was on true.
bool writable(const std::string& path, std::string* reason);

// Refuses a bake whose envelope at `envelopePath`, or whose plot at
// `plotPath` (empty: none), cannot be written: false with `error` saying
// which file and writable's reason.
bool checkOutputsWritable(const std::string& envelopePath, const std::string& plotPath,
                          std::string* error);

// Refuses a run whose table (--table, unless "-" or not asked for) cannot
// be written: false with `error` saying so and writable's reason.
bool checkTableWritable(const std::string& tablePath, std::string* error);

// Why the module could not write its envelope at `path`, found after it
// failed: writable's reason; or, for a file whose file system has no
// byte left, the system's words for that; else words saying that nothing is
// found in the way now.
std::string whyModuleWriteFailed(const std::string& path);

// Whether a message of `messages` is the module's message that it could
// not write its envelope at `path` (the path alone, or the path and "Unable
// to write envelope file"); when one is, true with `note` set to the
// runner's words after it: "the module could not write the envelope PATH: "
// and whyModuleWriteFailed's reason. REQUIRES a non-null `note`, which is
// left as it was on false.
bool moduleWriteFailureNote(const std::vector<hostsim::Message>& messages,
                            const std::string& path, std::string* note);

#endif  // QUORVEL_RUNNER_OUTPUT_CHECKS_H_
