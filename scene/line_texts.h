// The texts of the lines that the version-aware edits write: parts joined
// and ended with the document's line end, and the numbers in them as the C
// locale writes them. This header is internal to the scene library.

#ifndef QUORVEL_SCENE_LINE_TEXTS_H_
#define QUORVEL_SCENE_LINE_TEXTS_H_

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "scene/scene.h"

// A number's text, held in a buffer of its own.
class NumberWord {
 public:
  // The shortest fixed-point text that reads back as `value` ("0.5", "2",
  // "0.6666666666666666"). REQUIRES a finite value.
  static NumberWord shortest(double value);
  // As "%f" writes it: fixed point, six decimals.
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

// A new heap text, owned by the caller: the `count` parts at `parts` (or
// `parts`) one after another, then `lineEnd`. Null when memory runs out.
char* joinedLineText(const std::string_view* parts, std::size_t count, const char* lineEnd);
char* joinedLineText(std::initializer_list<std::string_view> parts, const char* lineEnd);

// A new unlinked line holding joinedLineText of `parts`; null when memory
// runs out, with nothing left allocated.
SceneLine* joinedLine(std::initializer_list<std::string_view> parts, const char* lineEnd);

#endif  // QUORVEL_SCENE_LINE_TEXTS_H_
