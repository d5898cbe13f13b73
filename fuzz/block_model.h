// The fuzz targets' own reading of an object block's key lists (its motion
// and its dissolve envelope), made without the library's code, so that an
// edit's result can be checked against it.
//
// A list is whole when its head is followed by an indented channel count, a
// key count line "  N\n" (N decimal digits), 2 N indented key lines and an
// "EndBehavior" line, all inside the block (the object line through its
// first "ShadowOptions", or to the end of the document without one).

#ifndef QUORVEL_FUZZ_BLOCK_MODEL_H_
#define QUORVEL_FUZZ_BLOCK_MODEL_H_

#include <vector>

#include "scene/scene.h"

enum class KeyListShape { MISSING, WHOLE, OTHER };

struct KeyListReading {
  KeyListShape shape = KeyListShape::MISSING;
  const SceneLine* head = nullptr;         // null when missing
  long count = 0;                          // whole lists only
  std::vector<const SceneLine*> keyLines;  // whole lists only, in order
  bool operator==(const KeyListReading&) const = default;
};

// The block's "ObjectMotion ..." list.
KeyListReading motionOf(const SceneLine* objectLine);

// The block's "ObjDissolve" list; OTHER when its head is not
// "ObjDissolve (envelope)" (a constant dissolve, say).
KeyListReading dissolveOf(const SceneLine* objectLine);

// The block's "ParentObject" lines, in order.
std::vector<const SceneLine*> parentLinesOf(const SceneLine* objectLine);

// The lines of the block that begins at `first` (an object line, say):
// `first` through the first "ShadowOptions" at or after it; empty when there
// is none.
std::vector<const SceneLine*> blockLinesOf(const SceneLine* first);

#endif  // QUORVEL_FUZZ_BLOCK_MODEL_H_
