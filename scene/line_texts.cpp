#include "scene/line_texts.h"

#include <charconv>
#include <cstring>

#include "scene/allocation.h"
#include "scene/unlinked_lines.h"

NumberWord NumberWord::shortest(double value) {
  NumberWord word;
  word.length_ = static_cast<std::size_t>(
      std::to_chars(word.text_, word.text_ + CAPACITY, value, std::chars_format::fixed).ptr -
      word.text_);
  return word;
}

NumberWord NumberWord::sixDecimals(double value) {
  constexpr int DECIMALS = 6;
  NumberWord word;
  word.length_ = static_cast<std::size_t>(
      std::to_chars(word.text_, word.text_ + CAPACITY, value, std::chars_format::fixed, DECIMALS)
          .ptr -
      word.text_);
  return word;
}

NumberWord NumberWord::decimal(long long value) {
  NumberWord word;
  word.length_ =
      static_cast<std::size_t>(std::to_chars(word.text_, word.text_ + CAPACITY, value).ptr - word.text_);
  return word;
}

NumberWord NumberWord::itemId(std::uint32_t id) {
  constexpr std::size_t ID_DIGITS = 8;
  NumberWord word;
  char* end = std::to_chars(word.text_, word.text_ + CAPACITY, id, 16).ptr;
  std::size_t digits = static_cast<std::size_t>(end - word.text_);
  std::size_t zeros = ID_DIGITS > digits ? ID_DIGITS - digits : 0;
  std::memmove(word.text_ + zeros, word.text_, digits);
  std::memset(word.text_, '0', zeros);
  word.length_ = zeros + digits;
  return word;
}

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
