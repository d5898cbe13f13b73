#include "scene/line_texts.h"

#include <cstring>

#include "scene/allocation.h"
#include "scene/number_text.h"
#include "scene/unlinked_lines.h"

char* joinedLineText(const std::string_view* parts, std::size_t count, const char* lineEnd) {
  std::size_t endLength = std::strlen(lineEnd);
  std::size_t length = endLength;
  for (std::size_t i = 0; i < count; ++i) length += parts[i].size();
  char* text = static_cast<char*>(sceneAllocateUnfilled(length + 1));
  if (!text) return nullptr;
  char* at = text;
  for (std::size_t i = 0; i < count; ++i) {
    if (parts[i].empty()) continue;
    std::memcpy(at, parts[i].data(), parts[i].size());
    at += parts[i].size();
  }
  std::memcpy(at, lineEnd, endLength + 1);
  return text;
}

char* joinedLineText(std::initializer_list<std::string_view> parts, const char* lineEnd) {
  return joinedLineText(parts.begin(), parts.size(), lineEnd);
}

SceneLine* joinedLine(std::initializer_list<std::string_view> parts, const char* lineEnd) {
  return lineOwningText(joinedLineText(parts, lineEnd));
}

namespace {

constexpr std::size_t MOST_NUMBERS = 9;

// The line of `numbers`, each written by `write`.
template <typename Number, typename Write>
char* indentedNumbersText(std::initializer_list<Number> numbers, Write write,
                          const char* lineEnd) {
  NumberWord words[MOST_NUMBERS];
  std::string_view parts[2 * MOST_NUMBERS];
  std::size_t count = 0;
  for (Number number : numbers) {
    words[count] = write(number);
    parts[2 * count] = count == 0 ? "  " : " ";
    parts[2 * count + 1] = words[count].view();
    ++count;
  }
  return joinedLineText(parts, 2 * count, lineEnd);
}

}  // namespace

char* sixDecimalsLineText(std::initializer_list<double> values, const char* lineEnd) {
  return indentedNumbersText(values, NumberWord::sixDecimals, lineEnd);
}

char* decimalsLineText(std::initializer_list<long long> values, const char* lineEnd) {
  return indentedNumbersText(values, NumberWord::decimal, lineEnd);
}
