#include "scene/number_text.h"

#include <charconv>
#include <climits>
#include <cstring>

#include "scene/unlinked_lines.h"

char* writeDecimal(char* at, long long value) {
  return std::to_chars(at, at + DECIMAL_TEXT_CAPACITY, value).ptr;
}

char* writeFixed(char* at, double value) {
  // Infinities and NaNs come out as "%f" spells them: "inf", "-nan".
  return std::to_chars(at, at + FIXED_TEXT_CAPACITY, value, std::chars_format::fixed, 6).ptr;
}

char* writeBytes(char* at, const char* text) {
  std::size_t length = std::strlen(text);
  std::memcpy(at, text, length);
  return at + length;
}

namespace {

constexpr std::size_t MOST_KEY_VALUES = 9;

}  // namespace

char* fixedLineText(std::initializer_list<double> values) {
  char text[MOST_KEY_VALUES * (FIXED_TEXT_CAPACITY + 1) + 2];
  char* end = text;
  *end++ = ' ';
  for (double value : values) {
    *end++ = ' ';
    end = writeFixed(end, value);
  }
  *end++ = '\n';
  return textOfBytes(text, static_cast<std::size_t>(end - text));
}

char* decimalLineText(std::initializer_list<long long> values) {
  char text[MOST_KEY_VALUES * (DECIMAL_TEXT_CAPACITY + 1) + 2];
  char* end = text;
  *end++ = ' ';
  for (long long value : values) {
    *end++ = ' ';
    end = writeDecimal(end, value);
  }
  *end++ = '\n';
  return textOfBytes(text, static_cast<std::size_t>(end - text));
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
