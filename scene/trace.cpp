// The trace file: texts, numbers and whole documents appended verbatim to
// "SpecTEXT.txt" in the current directory. A trace never fails towards its
// caller; one that cannot be written is dropped.

#include <cstdio>
#include <cstring>

#include "scene/number_text.h"
#include "scene/scene.h"

namespace {

constexpr const char* kTraceFileName = "SpecTEXT.txt";

}  // namespace

void traceText(const char* text) {
  std::FILE* stream = std::fopen(kTraceFileName, "ab");
  if (!stream) return;
  writeText(stream, text);
  std::fclose(stream);
}

void traceNumber(std::int32_t number) {
  char text[DECIMAL_TEXT_CAPACITY + 9] = "num is ";
  std::memcpy(writeDecimal(text + 7, number), "\n", 2);
  traceText(text);
}

// Each line is a trace of its own, so every line traced is in the file and
// the file closed even if a later one cannot be written.
void traceScene(const SceneDocument* document) {
  for (const SceneLine* line = document->first; line; line = line->next) traceText(line->text);
}
