// The scene rows: quorvel-run and quorvel-scene on generated scenes of two
// shapes and two sizes, each against the scene library's floor on the same
// file, and the growth from the smaller size to the larger.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench.h"

namespace {

constexpr long SMALL_LINES = 300000;
constexpr long LARGE_LINES = 1100000;
// The goals on the larger scenes.
constexpr double BAKE_GOAL = 1.2;
constexpr double LIST_GOAL = 1.1;
constexpr double EDIT_GOAL = 1.5;
constexpr double BAKE_MEMORY_GOAL = 4;
constexpr double EDIT_MEMORY_GOAL = 5;
// Time may grow at most this much faster than the lines.
constexpr double GROWTH_GOAL = 1.1;

struct Shape {
  const char* name;
  long (*write)(const std::string& path, long lines);
  const char* bakeItem;  // baked to the camera; in the chain shape at the end of a chain
  const char* keyItem;
};

const Shape SHAPES[] = {
    {"keyed motion capture", writeCaptureScene, "N7", "N5"},
    {"many items in chains", writeChainScene, "N49", "N5"},
};

// The rows of one scene, in table order.
struct SceneRows {
  std::string label;
  std::vector<Row> rows;
};

enum Measure {
  BAKE,
  BAKE_MEMORY,
  LIST,
  SCENE_LIST,
  ADD_NULL,
  ADD_MEMORY,
  KEY,
  KEY_MEMORY,
  READ_MEMORY,
  MEASURES
};

SceneRows rowsFor(const std::string& label, const std::string& size) {
  std::string on = " (" + size + ")";
  return {label,
          {{"quorvel-run bake of one pair, against readScene + freeScene" + on, {}, {}, "s",
            BAKE_GOAL, true},
           {"peak memory of that bake, against the file's size" + on, {}, {}, "MB",
            BAKE_MEMORY_GOAL, true},
           {"quorvel-run --list-items, against readScene + freeScene" + on, {}, {}, "s",
            LIST_GOAL, true},
           {"quorvel-scene list, against readScene + freeScene" + on, {}, {}, "s", LIST_GOAL,
            true},
           {"quorvel-scene add-null, against readScene + writeScene + freeScene" + on, {}, {}, "s",
            EDIT_GOAL, true},
           {"peak memory of that add-null, against the file's size" + on, {}, {}, "MB",
            EDIT_MEMORY_GOAL, true},
           {"quorvel-scene key, against readScene + writeScene + freeScene" + on, {}, {}, "s",
            EDIT_GOAL, true},
           {"peak memory of that key, against the file's size" + on, {}, {}, "MB",
            EDIT_MEMORY_GOAL, true},
           {"for comparison, the peak memory of readScene + freeScene alone" + on, {}, {}, "MB",
            BAKE_MEMORY_GOAL, true}}};
}

// The program `built` names, or the one of its file name in the directory
// that QUORVEL_BENCH_PROGRAMS names: the programs of an earlier build,
// measured against today's floors.
std::string program(const std::string& built) {
  const char* directory = std::getenv("QUORVEL_BENCH_PROGRAMS");
  if (!directory) return built;
  return std::string(directory) + "/" + std::filesystem::path(built).filename().string();
}

double fileMegabytes(const std::string& path) {
  return static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
}

// One round of every measure of `scene` into `rows`.
void measureRound(const Shape& shape, const std::string& scene, const std::string& directory,
                  SceneRows* rows) {
  std::vector<Row>& row = rows->rows;
  double megabytes = fileMegabytes(scene);
  std::string output = directory + "/edited.lws";
  double read = readAndFree(scene).seconds;
  double readWrite = readWriteAndFree(scene, output).seconds;
  std::string run = program(QUORVEL_RUN);
  std::string tool = program(QUORVEL_SCENE);
  Sample bake = runProgram({run, "--scene", scene, "--item", shape.bakeItem, "--camera",
                            "--output", directory + "/pair.env", "--quiet"});
  Sample list = runProgram({run, "--scene", scene, "--list-items"});
  Sample sceneList = runProgram({tool, "list", scene});
  Sample add = runProgram({tool, "add-null", scene, "Probe", "--output", output});
  Sample key = runProgram({tool, "key", scene, shape.keyItem, "--frame", "400",
                           "--position", "1", "2", "3", "--output", output});
  Sample reading = readAndFreeInChild(scene);
  const Sample* timed[MEASURES] = {&bake, &bake, &list, &sceneList, &add,
                                   &add,  &key,  &key,  &reading};
  for (int measure = 0; measure < MEASURES; ++measure) {
    bool memory = measure == BAKE_MEMORY || measure == ADD_MEMORY || measure == KEY_MEMORY ||
                  measure == READ_MEMORY;
    bool edit = measure == ADD_NULL || measure == KEY;
    row[measure].measured.push_back(memory ? timed[measure]->peakMegabytes
                                           : timed[measure]->seconds);
    row[measure].floor.push_back(memory ? megabytes : edit ? readWrite : read);
  }
  std::fprintf(stderr,
               "  %s: read %.3f s, read+write %.3f s; bake %.3f s (%.0f MB of %.0f MB), list "
               "%.3f s, scene list %.3f s, add-null %.3f s (%.0f MB), key %.3f s (%.0f MB)\n",
               rows->label.c_str(), read, readWrite, bake.seconds, bake.peakMegabytes, megabytes,
               list.seconds, sceneList.seconds, add.seconds, add.peakMegabytes, key.seconds,
               key.peakMegabytes);
}

// The growth of each timed measure from `small` to `large`: the larger
// scene's time against the smaller's times the ratio of their lines.
std::vector<Row> growthRows(const SceneRows& small, const SceneRows& large, double linesRatio) {
  std::vector<Row> growth;
  for (int measure : {BAKE, LIST, SCENE_LIST, ADD_NULL, KEY}) {
    Row row = large.rows[measure];
    std::string work = row.work.substr(0, row.work.find(','));
    row.work = "growth of " + work + ", against the smaller scene's time x the lines";
    row.goal = GROWTH_GOAL;
    row.floor.clear();
    for (double seconds : small.rows[measure].measured) row.floor.push_back(seconds * linesRatio);
    growth.push_back(row);
  }
  return growth;
}

}  // namespace

void runSceneRows(const std::string& directory, int rounds, bool quick) {
  std::vector<long> sizes = {SMALL_LINES};
  if (!quick) sizes.push_back(LARGE_LINES);
  std::vector<SceneRows> all;
  std::vector<Row> growth;
  for (const Shape& shape : SHAPES) {
    std::vector<SceneRows> bySize;
    std::vector<double> lines;
    for (long size : sizes) {
      std::string scene = directory + "/scene-" + std::to_string(all.size()) + ".lws";
      long nulls = shape.write(scene, size);
      std::string label = std::string(shape.name) + ", " + std::to_string(nulls) + " nulls";
      bySize.push_back(rowsFor(label, std::to_string(size / 1000) + "k lines, " +
                                          std::to_string(static_cast<long>(fileMegabytes(scene))) +
                                          " MB"));
      lines.push_back(static_cast<double>(size));
      for (int round = 0; round < rounds; ++round) {
        std::fprintf(stderr, "scene round %d of %d\n", round + 1, rounds);
        measureRound(shape, scene, directory, &bySize.back());
      }
      std::filesystem::remove(scene);
    }
    if (bySize.size() == 2) {
      for (Row row : growthRows(bySize[0], bySize[1], lines[1] / lines[0])) {
        row.work = bySize[1].label + ": " + row.work;
        growth.push_back(row);
      }
    }
    all.insert(all.end(), bySize.begin(), bySize.end());
  }
  std::printf("\n| Scene work | Measured | Floor | Ratio | Goal | |\n|---|---|---|---|---|---|\n");
  for (const SceneRows& scene : all) {
    for (Row row : scene.rows) {
      row.work = scene.label + ": " + row.work;
      printRow(row);
    }
  }
  for (const Row& row : growth) printRow(row);
}
