// The trace file: texts, numbers and whole documents appended verbatim to
// "SpecTEXT.txt" in the current directory. A trace never fails towards its
// caller; one that cannot be written is dropped.

#include <cstdio>
#include <cstring>
#include <string_view>

#include "scene/number_text.h"
#include "scene/scene.h"

namespace {

constexpr const char* TRACE_FILE_NAME = "SpecTEXT.txt";

}  // namespace

void traceText(const char* text) {
  std::FILE* stream = std::fopen(TRACE_FILE_NAME, "ab");
  if (!stream) return;
  writeText(stream, text);
  std::fclose(stream);
}

void traceNumber(std::int32_t number) {
  constexpr std::size_t PREFIX = 7;  // "num is "
  NumberWord word = NumberWord::decimal(number);
  std::string_view digits = word.view();
  char text[PREFIX + 11 + 2] = "num is ";  // a sign, ten digits, "\n" and the NUL
  std::memcpy(text + PREFIX, digits.data(), digits.size());
  std::memcpy(text + PREFIX + digits.size(), "\n", 2);
  traceText(text);
}

// Each line is a trace of its own, so every line traced is in the file and
// the file closed even if a later one cannot be written.
void traceScene(const SceneDocument* document) {
  for (const SceneLine* line = document->first; line; line = line->next) traceText(line->text);
}
