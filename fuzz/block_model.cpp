#include "fuzz/block_model.h"

#include <cctype>
#include <cstring>
#include <string>
#include <string_view>

namespace {

bool beginsWith(const SceneLine* line, std::string_view keyword) {
  return std::string_view(line->text).starts_with(keyword);
}

bool isIndented(const SceneLine* line) { return line->text[0] == ' '; }

// The lines from `first` up to and including the first "ShadowOptions" at
// or after it (or to the end of the document).
std::vector<const SceneLine*> linesThroughShadowOptions(const SceneLine* first) {
  std::vector<const SceneLine*> lines;
  for (const SceneLine* line = first; line != nullptr; line = line->next) {
    lines.push_back(line);
    if (beginsWith(line, "ShadowOptions")) break;
  }
  return lines;
}

// The block's lines after its object line.
std::vector<const SceneLine*> linesAfterObjectLine(const SceneLine* objectLine) {
  std::vector<const SceneLine*> lines = linesThroughShadowOptions(objectLine);
  lines.erase(lines.begin());
  return lines;
}

// The N of a count line "  N\n"; -1 when the line is not of that form.
long countOf(const SceneLine* line) {
  std::string_view text = line->text;
  if (!text.starts_with("  ") || !text.ends_with("\n")) return -1;
  std::string_view digits = text.substr(2, text.size() - 3);
  if (digits.empty() || digits.size() > 9) return -1;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
  }
  return std::stol(std::string(digits));
}

KeyListReading keyListOf(const SceneLine* objectLine, std::string_view headKeyword,
                         std::string_view wholeHead) {
  std::vector<const SceneLine*> lines = linesAfterObjectLine(objectLine);
  std::size_t head = 0;
  while (head < lines.size() && !beginsWith(lines[head], headKeyword)) ++head;
  KeyListReading reading;
  if (head == lines.size()) return reading;
  reading.shape = KeyListShape::OTHER;
  reading.head = lines[head];
  std::size_t countLine = head + 2;
  if (!beginsWith(lines[head], wholeHead) || countLine >= lines.size() ||
      !isIndented(lines[head + 1])) {
    return reading;
  }
  long count = countOf(lines[countLine]);
  std::vector<const SceneLine*> keyLines;
  std::size_t i = countLine + 1;
  for (; i < lines.size() && isIndented(lines[i]); ++i) keyLines.push_back(lines[i]);
  if (count < 0 || i == lines.size() || !beginsWith(lines[i], "EndBehavior") ||
      keyLines.size() != 2 * static_cast<std::size_t>(count)) {
    return reading;
  }
  reading.shape = KeyListShape::WHOLE;
  reading.count = count;
  reading.keyLines = std::move(keyLines);
  return reading;
}

}  // namespace

KeyListReading motionOf(const SceneLine* objectLine) {
  return keyListOf(objectLine, "ObjectMotion", "ObjectMotion");
}

KeyListReading dissolveOf(const SceneLine* objectLine) {
  return keyListOf(objectLine, "ObjDissolve", "ObjDissolve (envelope)");
}

std::vector<const SceneLine*> parentLinesOf(const SceneLine* objectLine) {
  std::vector<const SceneLine*> parents;
  for (const SceneLine* line : linesAfterObjectLine(objectLine)) {
    if (beginsWith(line, "ParentObject")) parents.push_back(line);
  }
  return parents;
}

std::vector<const SceneLine*> blockLinesOf(const SceneLine* first) {
  std::vector<const SceneLine*> lines = linesThroughShadowOptions(first);
  if (!beginsWith(lines.back(), "ShadowOptions")) return {};
  return lines;
}
