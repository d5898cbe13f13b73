// The texts of the lines that the edits write: parts joined and ended with
// a line end (the document's, or "\n" for the edits of scene.h), numbers
// written with NumberWord. This header is internal to the scene library.

#ifndef QUORVEL_SCENE_LINE_TEXTS_H_
#define QUORVEL_SCENE_LINE_TEXTS_H_

#include <cstddef>
#include <initializer_list>
#include <string_view>

#include "scene/scene.h"

// A new heap text, owned by the caller: the `count` parts at `parts` (or
// `parts`) one after another, then `lineEnd`. Null when memory runs out.
char* joinedLineText(const std::string_view* parts, std::size_t count, const char* lineEnd);
char* joinedLineText(std::initializer_list<std::string_view> parts, const char* lineEnd);

// A new unlinked line holding joinedLineText of `parts`; null when memory
// runs out, with nothing left allocated.
SceneLine* joinedLine(std::initializer_list<std::string_view> parts, const char* lineEnd);

// A new heap text, owned by the caller, of the line that version 1 keys and
// key counts are written as: two blanks, the numbers one blank apart, then
// `lineEnd` ("  0.500000 1.000000\n", "  30 0 0 0 0\n"). Values are written
// as "%f" writes them, integers as "%lld". Null when memory runs out.
// REQUIRES at most 9 numbers.
char* sixDecimalsLineText(std::initializer_list<double> values, const char* lineEnd);
char* decimalsLineText(std::initializer_list<long long> values, const char* lineEnd);

#endif  // QUORVEL_SCENE_LINE_TEXTS_H_
