#include "scene_eval/scene_numbers.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace scene_eval {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

const char* skipBlanks(const char* cursor, const char* end) {
  while (cursor != end && isBlank(*cursor)) ++cursor;
  return cursor;
}

}  // namespace

bool parseNumbers(std::string_view text, std::vector<double>* numbers) {
  numbers->clear();
  const char* end = text.data() + text.size();
  const char* cursor = skipBlanks(text.data(), end);
  while (cursor != end) {
    double value = 0;
    std::from_chars_result read = std::from_chars(cursor, end, value);
    if (read.ec != std::errc() || !std::isfinite(value)) return false;
    if (read.ptr != end && !isBlank(*read.ptr)) return false;
    numbers->push_back(value);
    cursor = skipBlanks(read.ptr, end);
  }
  return true;
}

bool parseInteger(std::string_view text, long* value) {
  const char* end = text.data() + text.size();
  const char* cursor = skipBlanks(text.data(), end);
  std::from_chars_result read = std::from_chars(cursor, end, *value);
  if (read.ec != std::errc() || read.ptr == cursor) return false;
  return skipBlanks(read.ptr, end) == end;
}

bool parseIntegers(std::string_view text, std::vector<long>* integers) {
  integers->clear();
  const char* end = text.data() + text.size();
  const char* cursor = skipBlanks(text.data(), end);
  while (cursor != end) {
    long value = 0;
    std::from_chars_result read = std::from_chars(cursor, end, value);
    if (read.ec != std::errc() || (read.ptr != end && !isBlank(*read.ptr))) return false;
    integers->push_back(value);
    cursor = skipBlanks(read.ptr, end);
  }
  return true;
}

std::string numberText(double value) {
  char digits[32];
  std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, value);
  return std::string(digits, written.ptr);
}

}  // namespace scene_eval
