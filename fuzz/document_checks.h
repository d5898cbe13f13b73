// Checks of a scene document that every fuzz target shares: its links, the
// pieces a file is read into, its classification, and a snapshot that proves
// a failed edit left the document exactly as it was.

#ifndef QUORVEL_FUZZ_DOCUMENT_CHECKS_H_
#define QUORVEL_FUZZ_DOCUMENT_CHECKS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/scene.h"

// Every line's text, in order, as one string: what writeScene writes.
std::string documentText(const SceneDocument* document);

// The document's lines from `first` to `last`, after requiring that `next`
// and `prev` walk the same lines both ways, end where the document says and
// that every line holds a text.
std::vector<SceneLine*> requireWholeList(const SceneDocument* document);

// Requires the lines to be the pieces readScene makes of a file holding
// `bytes`: together exactly those bytes, each piece at most 255 bytes with a
// newline at its end only, and a piece without one 255 bytes long unless it
// is the document's last.
void requirePiecesOf(const SceneDocument* document, const std::string& bytes);

// The kind a line of `text` is given, by the keyword it begins with.
LineKind expectedKind(const char* text);

// Requires every line's kind to match its text, the object lines to be
// numbered 1, 2, ... in order and nextObjectNumber to follow the last.
void requireClassified(const SceneDocument* document);

// Everything about a document an edit may change, identities included.
struct LineSnapshot {
  const SceneLine* line;
  const char* textStorage;
  std::string text;
  LineKind kind;
  std::int32_t objectNumber;
  bool operator==(const LineSnapshot&) const = default;
};
struct DocumentSnapshot {
  std::vector<LineSnapshot> lines;
  std::int32_t nextObjectNumber;
  bool operator==(const DocumentSnapshot&) const = default;
};
DocumentSnapshot snapshotOf(const SceneDocument* document);

#endif  // QUORVEL_FUZZ_DOCUMENT_CHECKS_H_
