// Numbers in scene files, read the same in every locale: decimal digits with
// "." as the decimal point, as std::from_chars reads them. Not part of the
// library's interface: include scene_eval.h.

#ifndef QUORVEL_SCENE_EVAL_SCENE_NUMBERS_H_
#define QUORVEL_SCENE_EVAL_SCENE_NUMBERS_H_

#include <string>
#include <string_view>
#include <vector>

namespace scene_eval {

// The numbers of `text`, separated by blanks or tabs; false when anything
// else stands there or a number is not finite (too large ones included).
bool parseNumbers(std::string_view text, std::vector<double>* numbers);

// The one decimal integer of `text`, blanks around it allowed; false for
// anything else and for integers beyond the range of long.
bool parseInteger(std::string_view text, long* value);

// The integers of `text`, separated by blanks or tabs; false when anything
// else stands there.
bool parseIntegers(std::string_view text, std::vector<long>* integers);

// The shortest text that reads back as `value`, for messages.
std::string numberText(double value);

}  // namespace scene_eval

#endif  // QUORVEL_SCENE_EVAL_SCENE_NUMBERS_H_
