// Small operations on line texts. None of them copies a text into a fixed
// buffer unless its length has been checked first, so texts of any length are
// safe here.

#include <algorithm>
#include <climits>
#include <cstring>

#include "scene/allocation.h"
#include "scene/number_text.h"
#include "scene/scene.h"
#include "scene/unlinked_lines.h"

char* copyText(const char* text) {
  return textOfBytes(text, std::strlen(text));
}

const char* argumentOf(const char* text) {
  const char* blank = std::strchr(text, ' ');
  return blank ? blank + 1 : nullptr;
}

char* lineArgument(const SceneLine* line, char* buffer) {
  const char* argument = argumentOf(line->text);
  if (!argument) return nullptr;
  std::size_t size = std::strlen(argument) + 1;
  if (size > SCENE_BUFFER_SIZE) return nullptr;
  std::memcpy(buffer, argument, size);
  return buffer;
}

int parenOrdinal(const char* text) {
  std::size_t length = std::strlen(text);
  if (length == 0 || text[length - 1] != ')') return 1;
  const char* open = std::strchr(text, '(');
  if (!open) return 1;
  // The digits end at the next ")" at the latest, since it is no digit. The
  // value is held to the range of int instead of overflowing.
  return static_cast<int>(std::clamp<long long>(readDecimal(open + 1), INT_MIN, INT_MAX));
}

int textEndsWith(const char* text, const char* tail) {
  std::size_t textLength = std::strlen(text);
  std::size_t tailLength = std::strlen(tail);
  if (tailLength > textLength) return 0;
  return std::memcmp(text + textLength - tailLength, tail, tailLength) == 0 ? 1 : 0;
}
