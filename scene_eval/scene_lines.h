// The lines of a scene file as the stand-in host reads them: whole file
// lines with their numbers, keywords and arguments, the blocks a reader
// steps over, the scene's version, and errors that name file and line.
// Not part of the library's interface: include scene_eval.h.

#ifndef QUORVEL_SCENE_EVAL_SCENE_LINES_H_
#define QUORVEL_SCENE_EVAL_SCENE_LINES_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct SceneDocument;

namespace scene_eval {

// One line of the scene file. The document holds a file line longer than its
// read buffer as several pieces; they are joined here again.
struct FileLine {
  std::string text;  // without its newline, and without a CR before it
  int number = 0;    // counted from 1
};

// The document's statements in file order, each with its file line's
// number. Two quirks of the host's writer are undone: a comment line
// ("// LABEL=Left Hand") is left out, and a joint stiffness whose line break
// was dropped ("HJointStiffness 600PController 3") becomes two statements
// of the same number ("HJointStiffness 600" and "PController 3").
// REQUIRES a non-null document.
std::vector<FileLine> fileLinesOf(const SceneDocument* document);

// `text` without the blanks and tabs it begins with.
std::string_view withoutIndent(std::string_view text);

// True when `text`, indent aside, is a statement of `keyword`: the keyword
// followed by a blank, a tab or nothing.
bool hasKeyword(std::string_view text, std::string_view keyword);

// Everything after the first blank that follows the indent; empty when
// there is no such blank.
std::string argumentOf(const std::string& text);

// The first word of `text` (up to a blank) and everything after that blank.
struct SplitWord {
  std::string word;
  std::string rest;
};
SplitWord firstWordOf(const std::string& text);

// The line's text quoted for a message, cut short when long.
std::string quotedLine(const std::string& text);

// Reports where a scene goes wrong: "scene.lws:14: message".
class Complaint {
 public:
  // Keeps references to both; REQUIRES that they outlive the complaint.
  Complaint(const std::string& sourceName, std::string* error)
      : sourceName_(sourceName), error_(error) {}

  // Sets the error for file line `lineNumber`; always returns false.
  bool at(int lineNumber, const std::string& message) const;

 private:
  const std::string& sourceName_;
  std::string* error_;
};

// Scenes carry a version on line 2; these are the ones the host reads.
inline constexpr long OLDEST_SCENE_VERSION = 1;
inline constexpr long NEWEST_SCENE_VERSION = 5;

// The version on line 2. Fails, naming line 2, when it is not a number or
// is not one of the versions read, and naming the file's last line (line 1
// for an empty file) when the file ends before it.
bool sceneVersion(const std::vector<FileLine>& lines, const Complaint& complaint, int* version);

// Blocks that readers step over: "{ NAME" through its matching "}", holding
// any blocks of its own, and "Plugin ..." through the "EndPlugin" that
// closes it. A plug-in's body is of the plug-in's own grammar (quoted
// strings, bare numbers, braces that need not match): only the "Plugin" and
// "EndPlugin" lines of plug-ins nested in it are looked at.
// The index past the block that begins at line `start`: `start + 1` when
// that line begins none; `end` when the block is not closed before `end`.
std::size_t pastBlock(const std::vector<FileLine>& lines, std::size_t start, std::size_t end);

}  // namespace scene_eval

#endif  // QUORVEL_SCENE_EVAL_SCENE_LINES_H_
