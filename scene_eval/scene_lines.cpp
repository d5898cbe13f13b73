#include "scene_eval/scene_lines.h"

#include "scene_eval/scene_numbers.h"
#include "scene/scene.h"

namespace scene_eval {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool opensBlock(std::string_view text) {
  std::string_view statement = withoutIndent(text);
  return statement.starts_with("{") || hasKeyword(statement, "Plugin");
}

bool closesBlock(std::string_view text) {
  std::string_view statement = withoutIndent(text);
  return statement.starts_with("}") || hasKeyword(statement, "EndPlugin");
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
  return lines;
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
    return complaint.at(VERSION_LINE, "expected the scene version, found the end of the file");
  }
  const FileLine& line = lines[VERSION_LINE - 1];
  long number = 0;
  if (!parseInteger(line.text, &number)) {
    return complaint.at(VERSION_LINE, "expected the scene version, found " + quotedLine(line.text));
  }
  if (number < OLDEST_SCENE_VERSION || number > NEWEST_SCENE_VERSION) {
    return complaint.at(VERSION_LINE, "scene version " + std::to_string(number) +
                                          " is not supported (1 to 5 are)");
  }
  *version = static_cast<int>(number);
  return true;
}

std::size_t pastBlock(const std::vector<FileLine>& lines, std::size_t start, std::size_t end) {
  if (!opensBlock(lines[start].text)) return start + 1;
  std::size_t depth = 0;
  for (std::size_t i = start; i < end; ++i) {
    if (opensBlock(lines[i].text)) {
      ++depth;
    } else if (closesBlock(lines[i].text) && --depth == 0) {
      return i + 1;
    }
  }
  return end;
}

}  // namespace scene_eval
