// A document's lines read as the statements of a scene file of any version:
// keywords matched whole, indentation aside; the pieces of a file line
// longer than a document line taken as one line; "{ ... }" and "Plugin ...
// EndPlugin" blocks stepped over as the host steps over them, by the one
// rule of BlockDepth. This header is internal to the scene libraries: the
// scene library's edits, the evaluation (scene_eval) and the scene tool's
// messages read through it.

#ifndef QUORVEL_SCENE_STATEMENTS_H_
#define QUORVEL_SCENE_STATEMENTS_H_

#include <string>
#include <string_view>

#include "scene/scene.h"

// Versions from which object lines carry the object's item ID.
inline constexpr int FIRST_VERSION_WITH_OBJECT_IDS = 4;

// What a statement begins.
enum class ItemStatement { NO_ITEM, OBJECT, LIGHT, CAMERA, BONE };

// The item that `statement` (its text without its line end) begins in a
// scene of `version`: an object ("LoadObject", "LoadObjectLayer",
// "AddNullObject"), a light ("AddLight"), a camera ("AddCamera"; "ShowCamera"
// in version 1) or a bone ("AddBone"), keywords matched whole, indent aside.
ItemStatement itemStatementOf(std::string_view statement, int version);

// The rule by which every reader steps over blocks: "{ NAME" through its
// matching "}", holding any blocks of its own, and "Plugin ..." through the
// "EndPlugin" that closes it. A plug-in's body is of the plug-in's own
// grammar (quoted strings, bare numbers, braces that need not match): only
// the "Plugin" and "EndPlugin" lines of plug-ins nested in it are looked at.
// Fed a file's statements in order, it tells which stand outside every block.
class BlockDepth {
 public:
  // Takes the next statement (its text, indent included, without its line
  // end). True when it stands outside every block; it may open one.
  bool take(std::string_view statement);

  // True when every block the statements taken so far opened is closed.
  bool outside() const { return braces_ == 0 && plugins_ == 0; }

 private:
  int braces_ = 0;   // open "{" blocks
  int plugins_ = 0;  // open plug-ins, counted inside the outermost one's body
};

// True when `text`, its blanks and tabs aside, is a statement of `keyword`:
// the keyword followed by a blank, a tab, a line end or nothing.
bool textIsStatement(std::string_view text, std::string_view keyword);

// True when `line` begins a file line: it is the first line, or the line
// before it ends with a newline. The other lines continue a long file line.
bool startsFileLine(const SceneLine* line);

// True when `line` begins a file line that, its blanks and tabs aside, is a
// statement of `keyword`: the keyword followed by a blank, a tab, the line
// end or nothing.
bool isStatement(const SceneLine* line, const char* keyword);

// True when `line` is empty but for its line end.
bool isEmptyLine(const SceneLine* line);

// Replaces `*text` with the file line that begins at `first`, its pieces
// joined, its line end ("\n" or "\r\n") kept when it has one; returns the
// document line after its last piece (null at the end of the document).
// REQUIRES that `first` begins a file line.
const SceneLine* joinFileLine(const SceneLine* first, std::string* text);

// The line that begins the next file line after `line`; null when `line`
// ends the document.
SceneLine* nextFileLine(SceneLine* line);

// The line that closes the block that `line` opens ("}" or "EndPlugin", at
// the same depth); `line` itself when it opens none; null when the block is
// not closed before the end of the document.
SceneLine* blockClosing(SceneLine* line);

// The line that begins the next file line after `line`, stepping over the
// whole block when `line` opens one; null at the end of the document (an
// unclosed block runs to it).
SceneLine* nextStatement(SceneLine* line);

// The first line at or after `from` (stepping as nextStatement does) that
// is a statement of `keyword`, before `stop`; null when none. A null `stop`
// searches to the end.
SceneLine* findStatement(SceneLine* from, SceneLine* stop, const char* keyword);

// True when `line` begins a file line that begins an object (see
// itemStatementOf).
bool isObjectStatement(const SceneLine* line);

// True when `line` begins a file line that begins an item other than a
// bone in a scene of `version` (see itemStatementOf).
bool beginsItem(const SceneLine* line, int version);

// A word of a line: a pointer into its text and its length.
struct Word {
  const char* begin;
  std::size_t length;
};

// Splits the line's text at blanks and tabs, up to its line end, into at
// most `capacity` words at `words`, and returns how many words it holds
// (which may be more than `capacity`). Only the line itself is read, not
// the pieces that continue a long file line.
int lineWords(const SceneLine* line, Word* words, int capacity);

// Reads all of `word` as a decimal integer, or as a decimal number that is
// finite; false for anything else.
bool readInteger(Word word, long* value);
bool readNumber(Word word, double* value);

// True when `word` is `text`.
bool wordIs(Word word, const char* text);

// The line end the document's first line has: "\r\n" or "\n".
const char* lineEndOf(const SceneDocument* document);

#endif  // QUORVEL_SCENE_STATEMENTS_H_
