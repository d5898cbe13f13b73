#include "scene/number_text.h"

#include <charconv>
#include <climits>
#include <cstring>

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
  char* end = std::to_chars(word.text_, word.text_ + CAPACITY, value).ptr;
  word.length_ = static_cast<std::size_t>(end - word.text_);
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

namespace {

bool isDecimalSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

long long readDecimal(const char* text) {
  while (isDecimalSpace(*text)) ++text;
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  unsigned long long magnitude = 0;  // stays 0 without digits
  if (std::from_chars(text, text + std::strlen(text), magnitude).ec ==
      std::errc::result_out_of_range) {
    magnitude = ULLONG_MAX;
  }
  constexpr unsigned long long largest = LLONG_MAX;
  if (negative) return magnitude > largest ? LLONG_MIN : -static_cast<long long>(magnitude);
  return magnitude > largest ? LLONG_MAX : static_cast<long long>(magnitude);
}
