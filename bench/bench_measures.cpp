#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench.h"
#include "envelope/envelope.h"
#include "scene/scene.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Starts the clock on a heap that holds nothing from earlier measures: the
// memory they gave back is returned to the system, so that no measure's
// lines land in the holes another left and each is laid out as in a fresh
// process.
Clock::time_point startOnTrimmedHeap() {
  malloc_trim(0);
  return Clock::now();
}

// Runs `arguments` as a child process with its output to /dev/null (or to
// `output` when given), waits for it and gives its wall time and peak
// memory. Throws when it cannot be run or does not exit 0.
Sample runChild(const std::vector<std::string>& arguments, const std::string& output = "") {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  // A child's peak memory starts from the memory it has when it starts:
  // posix_spawn's child shares this process's memory until it runs the
  // program, and would count this process's peak as its own. A forked child
  // has a copy of what this process holds now, so the heap that earlier
  // measures freed is given back to the system first.
  const char* outputPath = output.empty() ? "/dev/null" : output.c_str();
  Clock::time_point start = startOnTrimmedHeap();
  pid_t child = fork();
  if (child == 0) {
    int descriptor = open(outputPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (descriptor < 0 || dup2(descriptor, 1) < 0) _exit(127);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  if (child < 0) throw std::runtime_error("cannot run " + arguments[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  double seconds = secondsSince(start);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error(arguments[0] + " failed");
  }
  return {seconds, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

std::string readAll(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  std::string text;
  if (!file) return text;
  char block[256];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) text.append(block, got);
  std::fclose(file);
  return text;
}

}  // namespace

Sample runProgram(const std::vector<std::string>& arguments) { return runChild(arguments); }

Sample readAndFree(const std::string& path) {
  Clock::time_point start = startOnTrimmedHeap();
  SceneDocument* document = readScene(path.c_str());
  if (!document) throw std::runtime_error("readScene failed on " + path);
  freeScene(document);
  return {secondsSince(start), 0};
}

Sample readWriteAndFree(const std::string& path, const std::string& output) {
  Clock::time_point start = startOnTrimmedHeap();
  SceneDocument* document = readScene(path.c_str());
  if (!document) throw std::runtime_error("readScene failed on " + path);
  bool written = writeScene(document, output.c_str());
  freeScene(document);
  if (!written) throw std::runtime_error("writeScene failed on " + output);
  return {secondsSince(start), 0};
}

Sample readAndFreeInChild(const std::string& path) {
  Clock::time_point start = startOnTrimmedHeap();
  pid_t child = fork();
  if (child == 0) {
    SceneDocument* document = readScene(path.c_str());
    freeScene(document);
    _exit(document ? 0 : 1);
  }
  if (child < 0) throw std::runtime_error("cannot fork to read " + path);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  double seconds = secondsSince(start);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("reading " + path + " failed");
  }
  return {seconds, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

Sample bakeWithRunner(const BenchFiles& files, long keys, const std::string& envelope) {
  return runChild({QUORVEL_RUN, "--scene", files.bakeScene, "--last-frame", std::to_string(keys),
                   "--output", envelope});
}

Sample bakeWithBareLoop(const BenchFiles& files, long keys) {
  Clock::time_point start = Clock::now();
  std::FILE* file = std::fopen((files.directory + "/loop.env").c_str(), "wb");
  if (!file) throw std::runtime_error("cannot write the floor's envelope");
  std::fprintf(file, "LWEN\r\n1\r\n1\r\n%ld\r\n", keys);
  // The positions are read through volatile so the loop cannot be folded away.
  volatile double item[3] = {0, 0, 0};
  volatile double target[3] = {3, 4, 0};
  for (long frame = 0; frame < keys; ++frame) {
    double dx = target[0] - item[0], dy = target[1] - item[1], dz = target[2] - item[2];
    std::fprintf(file, "%f\r\n%ld 1 0 0 0\r\n", std::sqrt(dx * dx + dy * dy + dz * dz), frame);
  }
  std::fclose(file);
  return {secondsSince(start), 0};
}

Sample roundTripWithLibrary(const BenchFiles& files) {
  Clock::time_point start = startOnTrimmedHeap();
  SceneDocument* document = readScene(files.bigScene.c_str());
  if (!document) throw std::runtime_error("readScene failed");
  bool written = writeScene(document, (files.directory + "/library.lws").c_str());
  freeScene(document);
  if (!written) throw std::runtime_error("writeScene failed");
  return {secondsSince(start), 0};
}

Sample roundTripWithStdio(const BenchFiles& files) {
  Clock::time_point start = Clock::now();
  std::FILE* in = std::fopen(files.bigScene.c_str(), "rb");
  if (!in) throw std::runtime_error("cannot read the big scene");
  std::fseek(in, 0, SEEK_END);
  long size = std::ftell(in);
  std::fseek(in, 0, SEEK_SET);
  std::vector<char> bytes(static_cast<std::size_t>(size));
  std::size_t got = std::fread(bytes.data(), 1, bytes.size(), in);
  std::fclose(in);
  std::FILE* out = std::fopen((files.directory + "/stdio.lws").c_str(), "wb");
  if (!out) throw std::runtime_error("cannot write the floor's scene");
  std::fwrite(bytes.data(), 1, got, out);
  std::fclose(out);
  return {secondsSince(start), 0};
}

Sample roundTripWithPython(const BenchFiles& files) {
  const char* script =
      "import sys, time\n"
      "start = time.perf_counter()\n"
      "with open(sys.argv[1], 'rb') as f: lines = f.readlines()\n"
      "with open(sys.argv[2], 'wb') as f: f.writelines(lines)\n"
      "print(time.perf_counter() - start)\n";
  std::string timing = files.directory + "/python.time";
  try {
    runChild({"python3", "-c", script, files.bigScene, files.directory + "/python.lws"}, timing);
  } catch (const std::runtime_error&) {
    return {-1, 0};
  }
  std::string text = readAll(timing);
  double seconds = -1;
  std::from_chars(text.data(), text.data() + text.size(), seconds);
  return {seconds, 0};
}

Sample addNullObjects(long count) {
  Clock::time_point start = startOnTrimmedHeap();
  SceneDocument* document = newScene();
  for (long n = 0; document && n < count; ++n) {
    if (!addNullObject(document, objectInsertPoint(document), "Null")) {
      throw std::runtime_error("addNullObject failed");
    }
  }
  freeScene(document);
  return {secondsSince(start), 0};
}

Sample lineAllocationsAlone(const BenchFiles& files) {
  std::string bytes = readAll(files.bigScene);
  const char* end = bytes.data() + bytes.size();
  Clock::time_point start = startOnTrimmedHeap();
  SceneLine* last = nullptr;
  for (const char* begin = bytes.data(); begin < end;) {
    const char* newline = static_cast<const char*>(std::memchr(begin, '\n', end - begin));
    std::size_t length = newline ? newline - begin + 1 : end - begin;
    auto* text = static_cast<char*>(std::malloc(length + 1));
    auto* line = static_cast<SceneLine*>(std::malloc(sizeof(SceneLine)));
    if (!text || !line) throw std::runtime_error("out of memory");
    std::memcpy(text, begin, length);
    text[length] = '\0';
    *line = SceneLine{text, last, nullptr, LINE_OTHER, 0};
    if (last) last->next = line;
    last = line;
    begin += length;
  }
  while (last) {
    SceneLine* previous = last->prev;
    std::free(last->text);
    std::free(last);
    last = previous;
  }
  return {secondsSince(start), 0};
}

Sample additionWalksAlone(long count) {
  Clock::time_point start = startOnTrimmedHeap();
  SceneDocument* document = newScene();
  SceneLine* block = document ? addNullObject(document, objectInsertPoint(document), "Null") : nullptr;
  if (!block) throw std::runtime_error("addNullObject failed");
  block = block->next;  // the block's object line
  long firstBytes = 0;
  for (long n = 1; n < count; ++n) {
    SceneLine* after = objectInsertPoint(document);
    SceneLine* source = block;
    for (int entry = 0; entry < 10; ++entry, source = source->next) {
      SceneLine* copy = cloneLine(source);
      if (!copy) throw std::runtime_error("out of memory");
      insertLineAfter(after, copy);
      after = copy;
    }
    for (const SceneLine* line = document->first; line; line = line->next) firstBytes += line->text[0];
  }
  freeScene(document);
  if (firstBytes == 0) throw std::runtime_error("no line was read");
  return {secondsSince(start), 0};
}

Sample reduceInChild(const std::string& envelope, double tolerance) {
  Clock::time_point start = startOnTrimmedHeap();
  pid_t child = fork();
  if (child == 0) {
    EnvelopeReduction counts;
    std::string error;
    _exit(reduceEnvelopeFile(envelope, tolerance, &counts, &error) ? 0 : 1);
  }
  if (child < 0) throw std::runtime_error("cannot fork to reduce " + envelope);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  double seconds = secondsSince(start);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("reducing " + envelope + " failed");
  }
  return {seconds, static_cast<double>(usage.ru_maxrss) / 1024.0};
}
