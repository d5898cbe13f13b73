// Numbers in line texts, written and read alike in every locale: the digits
// that "%lld" and "%f" give in the C locale, and the standard decimal
// conversion, whatever locale the process has set. This header is internal
// to the scene library.

#ifndef QUORVEL_SCENE_NUMBER_TEXT_H_
#define QUORVEL_SCENE_NUMBER_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

// A number's text, held in a buffer of its own: the one way the scene
// library writes a number.
class NumberWord {
 public:
  // The shortest fixed-point text that reads back as `value` ("0.5", "2",
  // "0.6666666666666666"). REQUIRES a finite value.
  static NumberWord shortest(double value);
  // As "%f" writes it: fixed point, six decimals ("inf" and "-nan" as "%f"
  // spells them), however long.
  static NumberWord sixDecimals(double value);
  // As "%lld" writes it.
  static NumberWord decimal(long long value);
  // An item ID: eight lower-case hex digits.
  static NumberWord itemId(std::uint32_t id);

  std::string_view view() const { return {text_, length_}; }

 private:
  // The longest shortest fixed-point text of a double: 309 digits before
  // the point, or 324 after it, and a sign.
  static constexpr std::size_t CAPACITY = 400;

  char text_[CAPACITY];
  std::size_t length_ = 0;
};

// The decimal value of `text` as the standard conversion in the C locale
// reads it: leading white space skipped, an optional sign, digits up to the
// first other byte; 0 when there are none. Saturates instead of overflowing.
long long readDecimal(const char* text);

#endif  // QUORVEL_SCENE_NUMBER_TEXT_H_
