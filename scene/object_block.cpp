// Object blocks: the run of lines from an object line through the first
// "ShadowOptions" line after it. New blocks and copies are made complete,
// unlinked, before anything is linked into the document, so that running out
// of memory leaves the document exactly as it was.

#include <cstring>

#include "scene/allocation.h"
#include "scene/scene.h"
#include "scene/unlinked_lines.h"

namespace {

constexpr int BLOCK_LINES = 10;

// The lines of a new block after its object line, without their newlines.
// The object line is the block's keyword followed by a blank and the object's
// path or name; the last line becomes the empty line that separates this
// block from what follows.
constexpr const char* blockLinesAfterObject[BLOCK_LINES - 1] = {
    "ShowObject 8 7",
    "ObjectMotion (unnamed)",
    "  9",
    "  1",
    "  0 0 0 0 0 0 1 1 1",
    "  0 0 0 0 0",
    "EndBehavior 1",
    "ShadowOptions 7",
    "",
};

// Links `chain` after `after`, keeping the document's `last` right when
// `after` was its last line.
void linkIntoDocument(SceneDocument* document, SceneLine* after, LineChain* chain) {
  SceneLine* chainLast = chain->last;
  bool afterWasLast = after->next == nullptr;
  linkChainAfter(after, chain);
  if (afterWasLast) document->last = chainLast;
}

// `objectLine` is the object line's keyword and its blank ("AddNullObject ").
SceneLine* addBlock(SceneDocument* document, SceneLine* after, const char* objectLine,
                    const char* name) {
  if (!after) return nullptr;
  LineChain block = {nullptr, nullptr};
  for (int entry = 0; entry < BLOCK_LINES; ++entry) {
    SceneLine* line = entry == 0 ? makeLine(objectLine, name)
                                 : makeLine(blockLinesAfterObject[entry - 1], nullptr);
    if (!appendToChain(&block, line)) {
      releaseChain(&block);
      return nullptr;
    }
  }
  linkIntoDocument(document, after, &block);
  classifyLines(document);
  return after;
}

// True when `line` is one of the lines from `first` up to, not including,
// `end`.
bool liesWithin(const SceneLine* line, const SceneLine* first, const SceneLine* end) {
  for (const SceneLine* walk = first; walk && walk != end; walk = walk->next) {
    if (walk == line) return true;
  }
  return false;
}

}  // namespace

SceneLine* findShadowOptions(SceneLine* from) { return findLine(from, "ShadowOptions"); }

char* objectName(const SceneLine* line, char* buffer) { return lineArgument(line, buffer); }

SceneLine* makeLine(const char* text, const char* suffix) {
  std::size_t textLength = std::strlen(text);
  std::size_t suffixLength = suffix ? std::strlen(suffix) : 0;
  char* joined = static_cast<char*>(sceneAllocateUnfilled(textLength + suffixLength + 2));
  if (!joined) return nullptr;
  std::memcpy(joined, text, textLength);
  if (suffix) std::memcpy(joined + textLength, suffix, suffixLength);
  std::memcpy(joined + textLength + suffixLength, "\n", 2);
  return lineOwningText(joined);
}

SceneLine* lineFromText(const char* text) {
  char* copy = copyText(text);
  return copy ? lineOwningText(copy) : nullptr;
}

SceneLine* cloneLine(const SceneLine* line) { return lineFromText(line->text); }

SceneLine* addLoadObject(SceneDocument* document, SceneLine* after, const char* name) {
  return addBlock(document, after, "LoadObject ", name);
}

SceneLine* addNullObject(SceneDocument* document, SceneLine* after, const char* name) {
  return addBlock(document, after, "AddNullObject ", name);
}

bool copyObject(SceneDocument* document, const char* name, int ordinal) {
  if (!name) return false;
  SceneLine* first = findObjectLine(document, name, ordinal);
  return first && copyObjectBlock(document, first);
}

SceneLine* copyObjectBlock(SceneDocument* document, SceneLine* first) {
  SceneLine* insertionPoint = objectInsertPoint(document);
  if (!insertionPoint || !first) return nullptr;
  SceneLine* last = findShadowOptions(first);
  if (!last) return nullptr;
  // A copy placed inside its own source would split the block it copies.
  if (liesWithin(insertionPoint, first, last)) return nullptr;

  LineChain copy = {nullptr, nullptr};
  for (SceneLine* source = first;; source = source->next) {
    if (!appendToChain(&copy, cloneLine(source))) {
      releaseChain(&copy);
      return nullptr;
    }
    if (source == last) break;
  }
  SceneLine* copyOfFirst = copy.first;
  linkIntoDocument(document, insertionPoint, &copy);
  classifyLines(document);
  return copyOfFirst;
}
