// How big the envelope of a bake will be, known before the bake: its key
// count from the last frame and the step, and an upper estimate of its size
// in bytes, to hold against the free space of the file system it goes to.

#ifndef QUORVEL_RUNNER_ENVELOPE_SIZE_H_
#define QUORVEL_RUNNER_ENVELOPE_SIZE_H_

#include <cstdint>
#include <string>

// The distance the size estimate allows for: every value line of a distance
// below it takes at most VALUE_LINE_BYTES bytes ("%f", CR LF).
inline constexpr double LARGEST_ESTIMATED_DISTANCE = 1e9;
inline constexpr std::uint64_t VALUE_LINE_BYTES = 18;

// The keys the module writes for `lastFrame` and `step`: one per frame 0,
// step, 2 * step, ... below the last frame. REQUIRES step >= 1.
std::uint64_t envelopeKeyCount(std::int32_t lastFrame, std::int32_t step);

// The bytes of that envelope file: exact for its header and frame lines, an
// upper bound for its value lines while every distance stays below
// LARGEST_ESTIMATED_DISTANCE. REQUIRES step >= 1.
std::uint64_t envelopeSizeEstimate(std::int32_t lastFrame, std::int32_t step);

// A byte count for people: "512 bytes", "3.2 MB", "80.4 GB" (units of 1000).
std::string byteCountText(std::uint64_t bytes);

// Checks that the envelope of `lastFrame` and `step` can fit on the file
// system that holds `path` (a file to be made or replaced there; the file a
// link at `path` points to). True when it fits or when the free space cannot
// be found out; false with `error` set to a message naming the path, the
// size needed and the space free. REQUIRES step >= 1.
bool envelopeFits(const std::string& path, std::int32_t lastFrame, std::int32_t step,
                  std::string* error);

#endif  // QUORVEL_RUNNER_ENVELOPE_SIZE_H_
