// Lines that are not (yet, or no longer) part of a document, and the steps
// that let an edit make everything it needs before it changes a document.
//
// An edit collects its new lines in a LineChain, unlinked from any document;
// when every line exists it links the chain in with one call that cannot fail.
// When one cannot be made it releases the chain, and the document never saw
// any of it. This header is internal to the scene library.

#ifndef QUORVEL_SCENE_UNLINKED_LINES_H_
#define QUORVEL_SCENE_UNLINKED_LINES_H_

#include <cstddef>

#include "scene/scene.h"

// New lines in order, linked to one another by prev/next but to no document.
// A chain owns its lines until linkChainAfter hands them to a document.
struct LineChain {
  SceneLine* first;  // null while the chain is empty
  SceneLine* last;
};

// A new unlinked line owning `text`, a heap text from sceneAllocate. Null when
// `text` is null or the node cannot be made; `text` is then released, so
// nothing stays behind.
SceneLine* lineOwningText(char* text);

// A new heap text, owned by the caller, holding the `length` bytes from
// `begin` and a NUL, at its exact size. Null when memory runs out.
char* textOfBytes(const char* begin, std::size_t length);

// Gives back an unlinked line and its text. Null is allowed.
void releaseLine(SceneLine* line);

// Adds `line` (unlinked, owned by the caller) at the end of `chain`, which
// owns it from then on. Returns `line`, so that a call can wrap the maker:
// a null `line` adds nothing and returns null.
SceneLine* appendToChain(LineChain* chain, SceneLine* line);

// Gives back every line of `chain` with its text and leaves it empty.
void releaseChain(LineChain* chain);

// Links every line of `chain`, in order, directly after `after` and before
// the line that followed it (if any), and leaves the chain empty. The
// document's `first` and `last` are not touched: when `after` was the last
// line, the caller makes the chain's last line the document's `last`.
void linkChainAfter(SceneLine* after, LineChain* chain);

// Unlinks the lines strictly between `before` and `after` (both stay linked,
// now to one another) and gives them back with their texts. REQUIRES `after`
// to follow `before` in the same list.
void releaseLinesBetween(SceneLine* before, SceneLine* after);

#endif  // QUORVEL_SCENE_UNLINKED_LINES_H_
