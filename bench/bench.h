// The benchmark's pieces: the inputs it generates, and its measures and their
// floors, each a function that does the work once and gives what it took.

#ifndef QUORVEL_BENCH_BENCH_H_
#define QUORVEL_BENCH_BENCH_H_

#include <string>
#include <vector>

// What one run of a measure or a floor took.
struct Sample {
  double seconds;
  double peakMegabytes;  // of a child process; 0 when the work ran in this one
};

// Where the inputs and outputs live: a fresh directory, removed at the end.
struct BenchFiles {
  std::string directory;
  std::string bakeScene;  // two still null objects 5 units apart
  std::string bigScene;   // a scene of `sceneLines` lines
};

// Makes the directory and writes the inputs into it.
BenchFiles makeBenchFiles(long sceneLines);

// Removes the directory with everything in it.
void removeBenchFiles(const BenchFiles& files);

// quorvel-run baking `keys` keys of the bake scene into the file
// `envelope`; its peak memory too.
Sample bakeWithRunner(const BenchFiles& files, long keys, const std::string& envelope);
// A bare loop computing the same distances and fprintf'ing the same bytes.
Sample bakeWithBareLoop(const BenchFiles& files, long keys);

// readScene, writeScene and freeScene of the big scene.
Sample roundTripWithLibrary(const BenchFiles& files);
// One fread of the whole file, one fwrite of it.
Sample roundTripWithStdio(const BenchFiles& files);
// Python's readlines and writelines on the file opened in binary mode, timed
// inside Python (its start-up not counted). Seconds < 0 when python3 is
// missing.
Sample roundTripWithPython(const BenchFiles& files);

// `count` addNullObject calls at objectInsertPoint on a new default scene.
Sample addNullObjects(long count);

// The least the library's contract lets the round trip cost: for every line
// of the big scene (already in memory) the two heap allocations it promises,
// a node and a text of the exact size with the bytes copied in, linked into
// a list, then all of it given back. No file is read or written.
Sample lineAllocationsAlone(const BenchFiles& files);
// The least the contract lets `count` additions cost: each finds
// objectInsertPoint, links a copy of a block's ten lines there and walks
// every line once reading its node and the first byte of its text, as the
// classification after each addition must at least do.
Sample additionWalksAlone(long count);

// reduceEnvelopeFile of `envelope` in a forked child; its peak memory, which
// starts from what this process holds when it forks, too.
Sample reduceInChild(const std::string& envelope, double tolerance);

// --- The table

double median(std::vector<double> values);

// A row of the table: a measure's rounds beside its floor's.
struct Row {
  std::string work;
  std::vector<double> measured;  // one per round
  std::vector<double> floor;     // one per round; empty when there is none
  const char* unit;              // of `measured`
  double goal;                   // the ratio (or the absolute value, without a floor)
  bool higherIsWorse;
};

// "| work | measured | floor | ratio | goal | met |", the medians of the
// rounds and the median of the per-round ratios.
void printRow(const Row& row);

// --- The scene rows

// Writes a scene of version 3 and about `lines` lines at `path`: nulls
// "N0", "N1", ... each keyed on its nine channels, then "AmbientColor" and
// a camera. The capture shape keys each channel 300 times; the chain shape
// keys each once and hangs each null from the one before, in chains of 50.
// Returns the number of nulls. Throws when the file cannot be written.
long writeCaptureScene(const std::string& path, long lines);
long writeChainScene(const std::string& path, long lines);

// Runs `arguments` as a child process, output to /dev/null; its wall time
// and peak memory. Throws when it cannot be run or does not exit 0.
Sample runProgram(const std::vector<std::string>& arguments);

// readScene and freeScene of the file at `path`; with writeScene of it to
// `output` between them in the second.
Sample readAndFree(const std::string& path);
Sample readWriteAndFree(const std::string& path, const std::string& output);
// readScene and freeScene of the file at `path` in a forked child: its peak
// memory, which starts from what this process holds when it forks.
Sample readAndFreeInChild(const std::string& path);

// Runs the scene rows (bakes, listings and edits of generated scenes
// against the scene library's floors) in `directory`, `rounds` rounds, and
// prints their table; `quick` runs the smaller scenes only.
void runSceneRows(const std::string& directory, int rounds, bool quick);

#endif  // QUORVEL_BENCH_BENCH_H_
