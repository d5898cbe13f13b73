#include "scene_eval/scene_lines.h"

#include "scene_eval/scene_numbers.h"
#include "scene/scene.h"

namespace scene_eval {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool opensBraces(std::string_view text) { return withoutIndent(text).starts_with("{"); }
bool closesBraces(std::string_view text) { return withoutIndent(text).starts_with("}"); }
bool opensPlugin(std::string_view text) { return hasKeyword(text, "Plugin"); }
bool closesPlugin(std::string_view text) { return hasKeyword(text, "EndPlugin"); }

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
std::size_t fusedStatementStart(const std::string& text) {
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

bool isComment(const std::string& text) { return withoutIndent(text).starts_with("//"); }

// The statements of the file's lines: comments left out, fused lines split.
std::vector<FileLine> statementsOf(std::vector<FileLine> lines) {
  std::vector<FileLine> statements;
  statements.reserve(lines.size());
  for (FileLine& line : lines) {
    if (isComment(line.text)) continue;
    std::size_t fused = fusedStatementStart(line.text);
    if (fused == 0) {
      statements.push_back(std::move(line));
      continue;
    }
    statements.push_back({line.text.substr(0, fused), line.number});
    statements.push_back({line.text.substr(fused), line.number});
  }
  return statements;
}

// The index past the plug-in block that begins at `start`.
std::size_t pastPlugin(const std::vector<FileLine>& lines, std::size_t start, std::size_t end) {
  std::size_t depth = 0;
  for (std::size_t i = start; i < end; ++i) {
    if (opensPlugin(lines[i].text)) {
      ++depth;
    } else if (closesPlugin(lines[i].text) && --depth == 0) {
      return i + 1;
    }
  }
  return end;
}

// The index past the braced block that begins at `start`; plug-ins within
// it are stepped over whole.
std::size_t pastBraces(const std::vector<FileLine>& lines, std::size_t start, std::size_t end) {
  std::size_t depth = 0;
  for (std::size_t i = start; i < end;) {
    if (opensPlugin(lines[i].text)) {
      i = pastPlugin(lines, i, end);
      continue;
    }
    if (opensBraces(lines[i].text)) {
      ++depth;
    } else if (closesBraces(lines[i].text) && --depth == 0) {
      return i + 1;
    }
    ++i;
  }
  return end;
}

}  // namespace

std::vector<FileLine> fileLinesOf(const SceneDocument* document) {
  std::vector<FileLine> lines;
  bool startsLine = true;
  for (const SceneLine* piece = document->first; piece != nullptr; piece = piece->next) {
    std::string_view text = piece->text != nullptr ? piece->text : "";
    if (startsLine) lines.push_back({"", static_cast<int>(lines.size()) + 1});
    lines.back().text.append(text);
    startsLine = !text.empty() && text.back() == '\n';
    if (startsLine) lines.back().text.pop_back();
  }
  for (FileLine& line : lines) {
    if (!line.text.empty() && line.text.back() == '\r') line.text.pop_back();
  }
  return statementsOf(std::move(lines));
}

std::string_view withoutIndent(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && isBlank(text[first])) ++first;
  return text.substr(first);
}

bool hasKeyword(std::string_view text, std::string_view keyword) {
  std::string_view statement = withoutIndent(text);
  if (!statement.starts_with(keyword)) return false;
  return statement.size() == keyword.size() || isBlank(statement[keyword.size()]);
}

std::string argumentOf(const std::string& text) {
  std::string_view statement = withoutIndent(text);
  std::size_t blank = statement.find(' ');
  return blank == std::string_view::npos ? std::string() : std::string(statement.substr(blank + 1));
}

SplitWord firstWordOf(const std::string& text) {
  std::size_t blank = text.find(' ');
  if (blank == std::string::npos) return {text, ""};
  return {text.substr(0, blank), text.substr(blank + 1)};
}

std::string quotedLine(const std::string& text) {
  constexpr std::size_t LONGEST = 60;
  if (text.size() <= LONGEST) return "\"" + text + "\"";
  return "\"" + text.substr(0, LONGEST) + "...\"";
}

bool Complaint::at(int lineNumber, const std::string& message) const {
  *error_ = sourceName_ + ":" + std::to_string(lineNumber) + ": " + message;
  return false;
}

bool sceneVersion(const std::vector<FileLine>& lines, const Complaint& complaint, int* version) {
  constexpr int VERSION_LINE = 2;
  if (lines.size() < VERSION_LINE) {
    int lastLine = lines.empty() ? 1 : lines.back().number;
    return complaint.at(lastLine, "expected the scene version on line 2, found the end of the file");
  }
  const FileLine& line = lines[VERSION_LINE - 1];
  long number = 0;
  if (!parseInteger(line.text, &number)) {
    return complaint.at(line.number, "expected the scene version, found " + quotedLine(line.text));
  }
  if (number < OLDEST_SCENE_VERSION || number > NEWEST_SCENE_VERSION) {
    return complaint.at(line.number, "scene version " + std::to_string(number) +
                                          " is not supported (1 to 5 are)");
  }
  *version = static_cast<int>(number);
  return true;
}

std::size_t pastBlock(const std::vector<FileLine>& lines, std::size_t start, std::size_t end) {
  if (opensPlugin(lines[start].text)) return pastPlugin(lines, start, end);
  if (opensBraces(lines[start].text)) return pastBraces(lines, start, end);
  return start + 1;
}

}  // namespace scene_eval
