// The table of a run's bakes: one CSV row per baked frame of each envelope,
// with the frame, its time, the distance and both items' world positions,
// for spreadsheets and scripts (RFC 4180: a header row, CR LF line ends,
// fields quoted where they must be, "." as the decimal point in every
// locale).

#ifndef QUORVEL_RUNNER_BAKE_TABLE_H_
#define QUORVEL_RUNNER_BAKE_TABLE_H_

#include <cstdio>
#include <string>

#include "file_replace/file_replace.h"
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

// The columns of every table, with or without several pairs.
inline constexpr char BAKE_TABLE_HEADER[] =
    "item,target,frame,seconds,distance,item_x,item_y,item_z,target_x,target_y,target_z";

// A table written while the run bakes, so that it holds every key the module
// wrote even when the envelope is reduced afterwards. A file is replaced
// whole at finish() or not at all; standard output is written as it goes.
// Memory does not grow with the keys.
class BakeTable {
 public:
  BakeTable() = default;
  // A table begun and not finished leaves its file as it was.
  ~BakeTable();
  BakeTable(const BakeTable&) = delete;
  BakeTable& operator=(const BakeTable&) = delete;

  // Begins the table at `path` ("-" for standard output) with its header
  // row; a key at frame F will be at F / framesPerSecond seconds of scene
  // time. False with `error` naming the file when it cannot be written.
  // REQUIRES framesPerSecond > 0 and a table not begun.
  bool begin(const std::string& path, double framesPerSecond, std::string* error);

  // Adds one row per key of the pair's envelope, as it stands now: the
  // pair's names, the frame, the time, the distance and both positions at
  // that time, every number with 6 decimals ("%.6f", never "-0.000000"), so
  // that the distance has the envelope's own digits. False with `error`
  // set when the envelope cannot be read or a row cannot be written.
  // REQUIRES a begun table and position functions in `pair`.
  bool add(const BakedPair& pair, std::string* error);

  // Ends the table: the file takes its new content whole, or standard
  // output is flushed. False with `error` naming the file when that fails.
  // REQUIRES a begun table.
  bool finish(std::string* error);

 private:
  // Where the table goes, for messages: "file PATH" or "to standard output".
  std::string destination() const;

  std::string path_;
  double framesPerSecond_ = 30;
  std::FILE* stream_ = nullptr;  // the replacement's, or stdout; null when not begun
  FileReplacement replacement_{};
  bool toStandardOutput_ = false;
  bool failed_ = false;  // a write failed: the file must not be replaced
};

#endif  // QUORVEL_RUNNER_BAKE_TABLE_H_
