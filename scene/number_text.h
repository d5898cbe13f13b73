// Numbers in line texts, written and read alike in every locale: the digits
// that "%d" and "%f" give in the C locale, and the standard decimal
// conversion, whatever locale the process has set. This header is internal
// to the scene library.

#ifndef QUORVEL_SCENE_NUMBER_TEXT_H_
#define QUORVEL_SCENE_NUMBER_TEXT_H_

#include <cstddef>
#include <initializer_list>

// Room for the longest decimal of a long long, "-9223372036854775808".
inline constexpr std::size_t DECIMAL_TEXT_CAPACITY = 20;
// Room for the longest "%f" of a double: 309 digits, a sign, a point and six
// decimals ("inf" and "nan" are shorter).
inline constexpr std::size_t FIXED_TEXT_CAPACITY = 320;

// Writes `value` as "%lld" would, without a NUL, and returns the end of what
// it wrote. REQUIRES room for DECIMAL_TEXT_CAPACITY bytes at `at`.
char* writeDecimal(char* at, long long value);

// Writes `value` as "%f" would (fixed point, six decimals), without a NUL,
// and returns the end. REQUIRES room for FIXED_TEXT_CAPACITY bytes at `at`.
char* writeFixed(char* at, double value);

// Writes the bytes of `text` without its NUL and returns the end. REQUIRES
// room for them at `at`.
char* writeBytes(char* at, const char* text);

// A new heap text, owned by the caller, of the line that the keys of a
// motion, an envelope and their counts are written as: two blanks, the
// values separated by one blank, and a newline ("  %f %f\n", "  %d\n").
// Null when memory runs out. REQUIRES at most 9 values.
char* fixedLineText(std::initializer_list<double> values);
char* decimalLineText(std::initializer_list<long long> values);

// The decimal value of `text` as the standard conversion in the C locale
// reads it: leading white space skipped, an optional sign, digits up to the
// first other byte; 0 when there are none. Saturates instead of overflowing.
long long readDecimal(const char* text);

#endif  // QUORVEL_SCENE_NUMBER_TEXT_H_
