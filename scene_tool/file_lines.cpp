#include "scene_tool/file_lines.h"

#include <cstring>

#include "scene/statements.h"

namespace {

bool endsFileLine(const SceneLine* line) {
  std::size_t length = std::strlen(line->text);
  return length > 0 && line->text[length - 1] == '\n';
}

}  // namespace

SceneLine* fileLineAt(SceneDocument* document, int number) {
  int current = 1;
  for (SceneLine* line = document->first; line; line = line->next) {
    if (current == number) return line;
    if (endsFileLine(line)) ++current;
  }
  return nullptr;
}

int fileLineNumberOf(const SceneDocument* document, const SceneLine* line) {
  int number = 1;
  for (const SceneLine* walk = document->first; walk && walk != line; walk = walk->next) {
    if (endsFileLine(walk)) ++number;
  }
  return number;
}

std::string fileLineText(const SceneLine* line) {
  std::string text;
  if (line) joinFileLine(line, &text);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}
