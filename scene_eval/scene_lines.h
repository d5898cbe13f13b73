// The statements of a scene file as the stand-in host reads them: views of
// the document's text with their file lines' numbers, keywords and
// arguments, the blocks a reader steps over (by the scene library's one
// rule), the scene's version, and errors that name file and line. Not part
// of the library's interface: include scene_eval.h.

#ifndef QUORVEL_SCENE_EVAL_SCENE_LINES_H_
#define QUORVEL_SCENE_EVAL_SCENE_LINES_H_

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

struct SceneDocument;
struct SceneLine;

namespace scene_eval {

// One statement of the scene file: a view of its text in the document, or
// in the FileLines or StatementReader that joined it from pieces.
struct FileLine {
  std::string_view text;  // without its newline, and without a CR before it
  int number = 0;         // its file line's, counted from 1
};

// Reads a document's statements in file order, each with its file line's
// number, from the pieces the document holds: a file line longer than the
// document's read buffer comes as several pieces and is joined again. Two
// quirks of the host's writer are undone: a comment line ("// LABEL=Left
// Hand") is left out, and a joint stiffness whose line break was dropped
// ("HJointStiffness 600PController 3") becomes two statements of the same
// number ("HJointStiffness 600" and "PController 3").
class StatementReader {
 public:
  // Reads from `first`, which begins file line `number`, up to `stop` (not
  // included; null: the end of the document). REQUIRES that `stop` begins a
  // file line at or after `first`, and that the document outlives the reader
  // and is not changed while it reads.
  StatementReader(const SceneLine* first, const SceneLine* stop, int number)
      : at_(first), stop_(stop), number_(number) {}

  // The next statement, valid until the call after next; false at the end.
  // *piece is set to the document line that begins its file line.
  bool next(FileLine* line, const SceneLine** piece);

  // True when the last statement read was joined from pieces: its text is
  // held by the reader, not the document.
  bool joined() const { return joined_; }

 private:
  const SceneLine* at_;
  const SceneLine* stop_;
  int number_;
  const SceneLine* pendingPiece_ = nullptr;
  FileLine pending_;  // the second statement of a fused line, when pendingPiece_
  std::string joinedText_;
  bool joined_ = false;
};

// The statements of a stretch of a document, read by StatementReader; the
// texts that were joined from pieces are held here.
class FileLines {
 public:
  FileLines(const SceneLine* first, const SceneLine* stop, int number);
  FileLines(FileLines&&) = default;
  FileLines& operator=(FileLines&&) = default;

  const std::vector<FileLine>& lines() const { return lines_; }

 private:
  std::vector<FileLine> lines_;
  std::deque<std::string> joined_;  // long texts: views of them survive moves
};

// `text` without the blanks and tabs it begins with.
std::string_view withoutIndent(std::string_view text);

// True when `text`, indent aside, is a statement of `keyword`: the keyword
// followed by a blank, a tab or nothing.
bool hasKeyword(std::string_view text, std::string_view keyword);

// Everything after the first blank that follows the indent; empty when
// there is no such blank.
std::string_view argumentOf(std::string_view text);

// The first word of `text` (up to a blank) and everything after that blank.
struct SplitWord {
  std::string_view word;
  std::string_view rest;
};
SplitWord firstWordOf(std::string_view text);

// The line's text quoted for a message, cut short when long.
std::string quotedLine(std::string_view text);

// Reports where a scene goes wrong: "scene.lws:14: message".
class Complaint {
 public:
  // Keeps references to both; REQUIRES that they outlive the complaint.
  Complaint(const std::string& sourceName, std::string* error)
      : sourceName_(sourceName), error_(error) {}

  // Sets the error to `message` about file line `lineNumber`
  // ("scene.lws:14: message"); the caller then fails.
  void at(int lineNumber, const std::string& message) const;

 private:
  const std::string& sourceName_;
  std::string* error_;
};

// Scenes carry a version on line 2; these are the ones the host reads.
inline constexpr long OLDEST_SCENE_VERSION = 1;
inline constexpr long NEWEST_SCENE_VERSION = 5;

// The version on line 2 (the second statement). Fails, naming line 2, when
// it is not a number or is not one of the versions read, and naming the
// file's last line (line 1 for an empty file) when the file ends before it.
// REQUIRES a non-null document.
bool sceneVersion(const SceneDocument* document, const Complaint& complaint, int* version);

// Blocks that readers step over, by the rule of BlockDepth (scene library):
// the index past the block that begins at line `start`: `start + 1` when
// that line begins none; `end` when the block is not closed before `end`.
std::size_t pastBlock(const std::vector<FileLine>& lines, std::size_t start, std::size_t end);

}  // namespace scene_eval

#endif  // QUORVEL_SCENE_EVAL_SCENE_LINES_H_
