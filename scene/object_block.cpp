// Object blocks: the run of lines from an object line through the first
// "ShadowOptions" line after it. New blocks and copies are planned complete
// before anything is linked into the document, so that running out of
// memory leaves the document exactly as it was.

#include "scene/object_block.h"

#include "scene/line_texts.h"
#include "scene/unlinked_lines.h"

namespace {

// The lines of a new block after its object line, without their line ends.
// The last line becomes the empty line that separates this block from what
// follows.
constexpr const char* BLOCK_LINES_AFTER_OBJECT[] = {
    "ShowObject 8 7", "ObjectMotion (unnamed)", "  9", "  1", "  0 0 0 0 0 0 1 1 1",
    "  0 0 0 0 0",    "EndBehavior 1",          "ShadowOptions 7", "",
};

// `objectLine` is the object line's keyword and its blank ("AddNullObject ").
// The caller chooses the place and every line ends in "\n";
// addNullObjectInVersion and addLoadObjectInVersion put the same block
// after the last object, with the scene's line end.
SceneLine* addBlock(SceneDocument* document, SceneLine* after, const char* objectLine,
                    const char* name) {
  if (!after) return nullptr;
  EditPlan plan;
  planDefaultBlock(&plan, after, objectLine, name ? name : "", "\n");
  if (!plan.apply(document)) return nullptr;
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

SceneLine* planDefaultBlock(EditPlan* plan, SceneLine* after, const char* objectLine,
                            std::string_view name, const char* lineEnd) {
  SceneLine* object = joinedLine({objectLine, name}, lineEnd);
  plan->insertAfter(after, object);
  for (const char* text : BLOCK_LINES_AFTER_OBJECT) {
    plan->insertAfter(after, joinedLine({text}, lineEnd));
  }
  return object;
}

SceneLine* findShadowOptions(SceneLine* from) { return findLine(from, "ShadowOptions"); }

char* objectName(const SceneLine* line, char* buffer) { return lineArgument(line, buffer); }

SceneLine* makeLine(const char* text, const char* suffix) {
  return joinedLine({text, suffix ? suffix : ""}, "\n");
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

// The copy goes before "AmbientColor" and ends at the first "ShadowOptions";
// copyObjectInVersion places it after the last object and ends it as the
// version's blocks end.
SceneLine* copyObjectBlock(SceneDocument* document, SceneLine* first) {
  SceneLine* insertionPoint = objectInsertPoint(document);
  if (!insertionPoint || !first) return nullptr;
  SceneLine* last = findShadowOptions(first);
  if (!last) return nullptr;
  // A copy placed inside its own source would split the block it copies.
  if (liesWithin(insertionPoint, first, last)) return nullptr;
  EditPlan plan;
  plan.insertCopiesAfter(insertionPoint, first, last);
  if (!plan.apply(document)) return nullptr;
  classifyLines(document);
  return insertionPoint->next;
}
