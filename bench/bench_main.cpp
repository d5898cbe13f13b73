// quorvel-bench: runs each measure and its floor interleaved, several rounds,
// and prints the medians and their ratios against the goals.
//   quorvel-bench            five rounds at full size
//   quorvel-bench --quick    one round, fewer object additions, the smaller
//                            generated scenes only: for CI, which only
//                            checks that every measure runs
//   quorvel-bench --scenes [ROUNDS]  the scene rows alone, five rounds
//                            or ROUNDS
// It is a benchmark, not a test: it exits 0 whether or not a goal is met.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "bench/bench.h"

namespace {

constexpr long BAKE_KEYS = 1000000;
// The reduction's memory is compared between envelopes of these many keys.
constexpr long SMALL_BAKE_KEYS = 10000;
constexpr double REDUCE_TOLERANCE = 0.001;
constexpr long SCENE_LINES = 1000000;
constexpr long ADDITIONS = 16000;
constexpr long QUICK_ADDITIONS = 4000;
// 16,000 additions took this long before classification dispatched on the
// first byte: the median of runs of the earlier library interleaved with
// today's on the idle 2-core development machine.
constexpr double ADDITIONS_BEFORE_SECONDS = 16.5;

// The median of a least cost that the contract sets, beside the seconds it
// is compared with; a least cost has nothing to meet, so no verdict.
void printLeastRow(const char* work, const std::vector<double>& least, const char* against,
                   double compared) {
  if (median(least) < 0 || compared < 0) {
    std::printf("| %s | not run | %s |  |\n", work, against);
    return;
  }
  std::printf("| %s | %.3f s | %s %.3f s | %.2fx |\n", work, median(least), against, compared,
              median(least) / compared);
}

}  // namespace

int main(int argc, char** argv) {
  bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  bool scenesAlone = argc > 1 && std::strcmp(argv[1], "--scenes") == 0;
  int rounds = quick ? 1 : scenesAlone && argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  long additions = quick ? QUICK_ADDITIONS : ADDITIONS;
  try {
    BenchFiles files = makeBenchFiles(SCENE_LINES);
    if (scenesAlone) {
      runSceneRows(files.directory, rounds, false);
      removeBenchFiles(files);
      return 0;
    }
    Row bake{"envelope of 1,000,000 keys, quorvel-run on two still objects", {}, {}, "s", 1.5,
             true};
    Row memory{"peak memory of that bake", {}, {}, "MB", 32, true};
    Row reduce{"reducing that envelope, tolerance 0.001, against the bake", {}, {}, "s", 1, true};
    Row reduceMemory{"peak memory reducing 1,000,000 keys, against 10,000 keys", {}, {}, "MB", 1.1,
                     true};
    Row roundTrip{"readScene + writeScene + freeScene, 1,000,000 lines", {}, {}, "s", 5, true};
    Row python{"the same against Python's readlines/writelines", {}, {}, "s", 0.6, true};
    Row adds{"addNullObject calls at objectInsertPoint", {}, {}, "s", 0, true};
    std::vector<double> allocationsAlone, walksAlone;
    for (int round = 0; round < rounds; ++round) {
      std::fprintf(stderr, "round %d of %d\n", round + 1, rounds);
      std::string envelope = files.directory + "/runner.env";
      Sample runner = bakeWithRunner(files, BAKE_KEYS, envelope);
      bake.measured.push_back(runner.seconds);
      memory.measured.push_back(runner.peakMegabytes);
      bake.floor.push_back(bakeWithBareLoop(files, BAKE_KEYS).seconds);
      Sample reduced = reduceInChild(envelope, REDUCE_TOLERANCE);
      reduce.measured.push_back(reduced.seconds);
      reduce.floor.push_back(runner.seconds);
      std::string smallEnvelope = files.directory + "/small.env";
      bakeWithRunner(files, SMALL_BAKE_KEYS, smallEnvelope);
      reduceMemory.measured.push_back(reduced.peakMegabytes);
      reduceMemory.floor.push_back(reduceInChild(smallEnvelope, REDUCE_TOLERANCE).peakMegabytes);
      double library = roundTripWithLibrary(files).seconds;
      roundTrip.measured.push_back(library);
      python.measured.push_back(library);
      roundTrip.floor.push_back(roundTripWithStdio(files).seconds);
      double pythonSeconds = roundTripWithPython(files).seconds;
      python.floor.push_back(pythonSeconds);
      if (pythonSeconds < 0) python.measured.back() = -1;
      allocationsAlone.push_back(lineAllocationsAlone(files).seconds);
      adds.measured.push_back(addNullObjects(additions).seconds);
      walksAlone.push_back(additionWalksAlone(additions).seconds);
      std::fprintf(stderr,
                   "  bake %.3f s (%.1f MB), floor %.3f s, reduction %.3f s (%.1f MB, small %.1f MB);"
                   " round trip %.3f s, stdio %.3f s, "
                   "Python %.3f s, allocations alone %.3f s; additions %.3f s, walks alone %.3f s\n",
                   bake.measured.back(), memory.measured.back(), bake.floor.back(),
                   reduce.measured.back(), reduceMemory.measured.back(), reduceMemory.floor.back(),
                   roundTrip.measured.back(), roundTrip.floor.back(), python.floor.back(),
                   allocationsAlone.back(), adds.measured.back(), walksAlone.back());
    }
    std::printf("| Work | Measured | Floor | Ratio | Goal | |\n|---|---|---|---|---|---|\n");
    printRow(bake);
    printRow(memory);
    printRow(reduce);
    printRow(reduceMemory);
    printRow(roundTrip);
    printRow(python);
    // A quick run's additions do a sixteenth of the work: the time is quadratic.
    double additionsBefore = ADDITIONS_BEFORE_SECONDS * (quick ? 1.0 / 16 : 1.0);
    adds.goal = additionsBefore / 3;
    std::string addsWork = std::to_string(additions) + " addNullObject calls at objectInsertPoint" +
                           " (goal: a third of the time before)";
    adds.work = addsWork;
    printRow(adds);
    std::printf("\n| The least the library's contract allows | Least | Against | Ratio |\n"
                "|---|---|---|---|\n");
    printLeastRow("the round trip's two allocations a line and their release, no file",
                  allocationsAlone, "Python", median(python.floor));
    printLeastRow("the additions' walks: objectInsertPoint and every line read once, per addition",
                  walksAlone, "before", additionsBefore);
    runSceneRows(files.directory, rounds, quick);
    removeBenchFiles(files);
    std::printf("%s, %d round%s; medians. Peak memory from getrusage of the runner.\n",
                quick ? "Quick run" : "Full run", rounds, rounds == 1 ? "" : "s");
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "quorvel-bench: %s\n", failure.what());
    return 1;
  }
  return 0;
}
