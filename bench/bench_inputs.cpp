#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "bench/bench.h"

namespace {

constexpr const char* BAKE_SCENE =
    "LWSC\n1\n\n"
    "AddNullObject A\nObjectMotion (unnamed)\n  9\n  1\n  0 0 0 0 0 0 1 1 1\n  0 0 0 0 0\n"
    "EndBehavior 1\n\n"
    "AddNullObject B\nObjectMotion (unnamed)\n  9\n  1\n  3 4 0 0 0 0 1 1 1\n  0 0 0 0 0\n"
    "EndBehavior 1\n\n"
    "AmbientColor 255 255 255\n";

// Ten lines of an object block as the scene library writes them, about 20
// bytes a line on average, as in real scenes.
void writeObjectBlock(std::ofstream& out, long number) {
  out << "AddNullObject Null (" << number << ")\nShowObject 8 7\nObjectMotion (unnamed)\n"
      << "  9\n  1\n"
      << "  0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 1.000000 1.000000 1.000000\n"
      << "  0 0 0 0 0\nEndBehavior 1\nShadowOptions 7\n\n";
}

}  // namespace

BenchFiles makeBenchFiles(long sceneLines) {
  std::string pattern = (std::filesystem::temp_directory_path() / "quorvel-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch directory");
  BenchFiles files{pattern, pattern + "/still.lws", pattern + "/big.lws"};
  std::ofstream(files.bakeScene, std::ios::binary) << BAKE_SCENE;
  std::ofstream big(files.bigScene, std::ios::binary);
  big << "LWSC\n1\n\n";
  for (long block = 1; block * 10 + 4 <= sceneLines; ++block) writeObjectBlock(big, block);
  for (long line = (sceneLines - 4) / 10 * 10 + 3; line < sceneLines - 1; ++line) big << "\n";
  big << "AmbientColor 255 255 255\n";
  return files;
}

void removeBenchFiles(const BenchFiles& files) { std::filesystem::remove_all(files.directory); }
