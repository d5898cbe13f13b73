#include "scene_eval/scene_lines.h"

#include "scene/statements.h"
#include "scene_eval/scene_numbers.h"
#include "scene/scene.h"

namespace scene_eval {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The length of the decimal number `text` begins with: a sign, digits, a
// fraction and an exponent, each where present.
std::size_t numberLength(std::string_view text) {
  std::size_t at = 0;
  auto digits = [&] {
    while (at < text.size() && isDigit(text[at])) ++at;
  };
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  digits();
  if (at < text.size() && text[at] == '.') {
    ++at;
    digits();
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t mantissaEnd = at++;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    std::size_t exponentStart = at;
    digits();
    if (at == exponentStart) at = mantissaEnd;
  }
  return at;
}

// Where the statement that the writer fused onto a joint stiffness line
// begins ("HJointStiffness 600PController 3": at "PController"); 0 when the
// line holds one statement.
std::size_t fusedStatementStart(std::string_view text) {
  constexpr std::string_view STIFFNESS_KEYWORDS[] = {"HJointStiffness", "PJointStiffness",
                                                      "BJointStiffness"};
  std::string_view statement = withoutIndent(text);
  bool stiffness = false;
  for (std::string_view keyword : STIFFNESS_KEYWORDS) stiffness |= hasKeyword(statement, keyword);
  std::size_t valueStart = STIFFNESS_KEYWORDS[0].size() + 1;
  if (!stiffness || statement.size() <= valueStart) return 0;
  std::size_t valueEnd = valueStart + numberLength(statement.substr(valueStart));
  if (valueEnd == valueStart || valueEnd >= statement.size() || !isLetter(statement[valueEnd])) {
    return 0;
  }
  return text.size() - statement.size() + valueEnd;
}

bool endsFileLine(std::string_view text) { return !text.empty() && text.back() == '\n'; }

}  // namespace

bool StatementReader::next(FileLine* line, const SceneLine** piece) {
  if (pendingPiece_) {
    *line = pending_;
    *piece = pendingPiece_;
    pendingPiece_ = nullptr;
    return true;
  }
  while (at_ && at_ != stop_) {
    const SceneLine* first = at_;
    std::string_view text = first->text ? first->text : "";
    at_ = first->next;
    // `stop` begins a file line, so the pieces joined never reach it.
    joined_ = !endsFileLine(text) && at_ && at_ != stop_;
    if (joined_) {
      at_ = joinFileLine(first, &joinedText_);
      text = joinedText_;
    }
    if (endsFileLine(text)) text.remove_suffix(1);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    int number = number_++;
    std::string_view statement = withoutIndent(text);
    if (statement.starts_with("//")) continue;  // a comment
    *piece = first;
    // Only a joint stiffness ("HJointStiffness") can hold a fused statement.
    std::size_t fused = statement.size() > 1 && statement[1] == 'J' ? fusedStatementStart(text) : 0;
    if (fused == 0) {
      *line = {text, number};
      return true;
    }
    *line = {text.substr(0, fused), number};
    pending_ = {text.substr(fused), number};
    pendingPiece_ = first;
    return true;
  }
  return false;
}

FileLines::FileLines(const SceneLine* first, const SceneLine* stop, int number) {
  StatementReader reader(first, stop, number);
  FileLine line;
  const SceneLine* piece = nullptr;
  while (reader.next(&line, &piece)) {
    if (reader.joined()) line.text = joined_.emplace_back(line.text);
    lines_.push_back(line);
  }
}

std::string_view withoutIndent(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && isBlank(text[first])) ++first;
  return text.substr(first);
}

bool hasKeyword(std::string_view text, std::string_view keyword) {
  return textIsStatement(text, keyword);
}

std::string_view argumentOf(std::string_view text) {
  std::string_view statement = withoutIndent(text);
  std::size_t blank = statement.find(' ');
  return blank == std::string_view::npos ? std::string_view() : statement.substr(blank + 1);
}

SplitWord firstWordOf(std::string_view text) {
  std::size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return {text, {}};
  return {text.substr(0, blank), text.substr(blank + 1)};
}

std::string quotedLine(std::string_view text) {
  constexpr std::size_t LONGEST = 60;
  if (text.size() <= LONGEST) return "\"" + std::string(text) + "\"";
  return "\"" + std::string(text.substr(0, LONGEST)) + "...\"";
}

void Complaint::at(int lineNumber, const std::string& message) const {
  *error_ = sourceName_ + ":" + std::to_string(lineNumber) + ": " + message;
}

bool sceneVersion(const SceneDocument* document, const Complaint& complaint, int* version) {
  constexpr int VERSION_LINE = 2;
  StatementReader reader(document->first, nullptr, 1);
  FileLine line;
  const SceneLine* piece = nullptr;
  int read = 0;
  int lastLine = 1;
  while (read < VERSION_LINE && reader.next(&line, &piece)) {
    ++read;
    lastLine = line.number;
  }
  if (read < VERSION_LINE) {
    complaint.at(lastLine, "expected the scene version on line 2, found the end of the file");
    return false;
  }
  long number = 0;
  if (!parseInteger(line.text, &number)) {
    complaint.at(line.number, "expected the scene version, found " + quotedLine(line.text));
    return false;
  }
  if (number < OLDEST_SCENE_VERSION || number > NEWEST_SCENE_VERSION) {
    complaint.at(line.number, "scene version " + std::to_string(number) +
                                   " is not supported (1 to 5 are)");
    return false;
  }
  *version = static_cast<int>(number);
  return true;
}

std::size_t pastBlock(const std::vector<FileLine>& lines, std::size_t start, std::size_t end) {
  BlockDepth depth;
  for (std::size_t i = start; i < end; ++i) {
    depth.take(lines[i].text);
    if (depth.outside()) return i + 1;
  }
  return end;
}

}  // namespace scene_eval
