// The table of a bake: one CSV row per key of each envelope baked, with the
// key's frame, its time, the distance and both items' world positions, for
// spreadsheets and scripts (RFC 4180: a header row, CR LF line ends, fields
// quoted where they must be, "." as the decimal point in every locale).

#ifndef QUORVEL_RUNNER_BAKE_TABLE_H_
#define QUORVEL_RUNNER_BAKE_TABLE_H_

#include <string>
#include <vector>

#include "scene_eval/scene_eval.h"

// One bake the table shows: the envelope file it wrote and the two items
// measured, by name and by their world positions over scene time.
struct BakedPair {
  std::string itemName;
  std::string targetName;
  scene_eval::PositionFunction item;
  scene_eval::PositionFunction target;
  std::string envelopePath;
};

// Writes the table of `pairs` to `path` ("-" for standard output), replacing
// a file whole or not at all. The header row is
//   [item,target,]frame,seconds,distance,item_x,item_y,item_z,target_x,target_y,target_z
// with the item and target columns only when `withPairNames`. A key at frame
// F is at F / framesPerSecond seconds of scene time, where both positions are
// asked; the distance is the envelope's own, with the same digits. Memory
// does not grow with the keys. On failure (an envelope that cannot be read,
// a file that cannot be written) returns false with `error` naming the file.
// REQUIRES framesPerSecond > 0 and position functions in every pair.
bool writeBakeTable(const std::string& path, const std::vector<BakedPair>& pairs,
                    bool withPairNames, double framesPerSecond, std::string* error);

#endif  // QUORVEL_RUNNER_BAKE_TABLE_H_
