// Lines that are not (yet, or no longer) part of a document: made from a
// heap text, and given back with it. The edits gather such lines in an
// EditPlan (edit_plan.h) before they change a document. This header is
// internal to the scene library.

#ifndef QUORVEL_SCENE_UNLINKED_LINES_H_
#define QUORVEL_SCENE_UNLINKED_LINES_H_

#include <cstddef>

#include "scene/scene.h"

// A new unlinked line owning `text`, a heap text from sceneAllocate. Null when
// `text` is null or the node cannot be made; `text` is then released, so
// nothing stays behind.
SceneLine* lineOwningText(char* text);

// A new heap text, owned by the caller, holding the `length` bytes from
// `begin` and a NUL, at its exact size. Null when memory runs out.
char* textOfBytes(const char* begin, std::size_t length);

// Gives back an unlinked line and its text. Null is allowed.
void releaseLine(SceneLine* line);

// Gives back `first` and every line after it (following `next`) with their
// texts. Null is allowed.
void releaseLines(SceneLine* first);

#endif  // QUORVEL_SCENE_UNLINKED_LINES_H_
