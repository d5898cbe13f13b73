// Small operations on line texts. None of them copies a text into a fixed
// buffer unless its length has been checked first, so texts of any length are
// safe here.

#include <climits>
#include <cstring>

#include "scene/allocation.h"
#include "scene/scene.h"

char* copyText(const char* text) {
  std::size_t size = std::strlen(text) + 1;
  char* copy = static_cast<char*>(sceneAllocate(size, 1));
  if (copy) std::memcpy(copy, text, size);
  return copy;
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

namespace {

bool isDecimalSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The standard decimal conversion of the digits at `text` (white space
// skipped, optional sign, digits up to the first other byte; 0 without
// digits), held to the range of int instead of overflowing.
int decimalValue(const char* text) {
  while (isDecimalSpace(*text)) ++text;
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  long long value = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > limit) value = limit;
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace

int parenOrdinal(const char* text) {
  std::size_t length = std::strlen(text);
  if (length == 0 || text[length - 1] != ')') return 1;
  const char* open = std::strchr(text, '(');
  if (!open) return 1;
  // The digits end at the next ")" at the latest, since it is no digit.
  return decimalValue(open + 1);
}

int textEndsWith(const char* text, const char* tail) {
  std::size_t textLength = std::strlen(text);
  std::size_t tailLength = std::strlen(tail);
  if (tailLength > textLength) return 0;
  return std::memcmp(text + textLength - tailLength, tail, tailLength) == 0 ? 1 : 0;
}
