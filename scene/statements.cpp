#include "scene/statements.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isLineEnd(char c) { return c == '\r' || c == '\n' || c == '\0'; }

// The line's text after its blanks and tabs.
const char* statementOf(const SceneLine* line) {
  const char* text = line->text;
  while (isBlank(*text)) ++text;
  return text;
}

bool opensBlock(const SceneLine* line) {
  return statementOf(line)[0] == '{' || isStatement(line, "Plugin");
}

std::string_view withoutIndent(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && isBlank(text[first])) ++first;
  return text.substr(first);
}

// The first piece of the file line that `line` begins, without its line end.
std::string_view pieceStatement(const SceneLine* line) {
  std::string_view text = line->text;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

}  // namespace

bool textIsStatement(std::string_view text, std::string_view keyword) {
  std::string_view statement = withoutIndent(text);
  if (!statement.starts_with(keyword)) return false;
  return statement.size() == keyword.size() || isBlank(statement[keyword.size()]) ||
         isLineEnd(statement[keyword.size()]);
}

bool BlockDepth::take(std::string_view statement) {
  bool outsideBlocks = outside();
  std::string_view text = withoutIndent(statement);
  char first = text.empty() ? '\0' : text.front();
  // Only statements that begin with these bytes open or close a block.
  if (first != 'P' && first != 'E' && first != '{' && first != '}') return outsideBlocks;
  bool opensPlugin = textIsStatement(text, "Plugin");
  if (plugins_ > 0) {
    if (opensPlugin) {
      ++plugins_;
    } else if (textIsStatement(text, "EndPlugin")) {
      --plugins_;
    }
    return outsideBlocks;
  }
  if (opensPlugin) {
    plugins_ = 1;
  } else if (text.starts_with("{")) {
    ++braces_;
  } else if (text.starts_with("}") && braces_ > 0) {
    --braces_;
  }
  return outsideBlocks;
}

bool startsFileLine(const SceneLine* line) {
  if (!line->prev) return true;
  std::size_t length = std::strlen(line->prev->text);
  return length > 0 && line->prev->text[length - 1] == '\n';
}

bool isStatement(const SceneLine* line, const char* keyword) {
  if (!startsFileLine(line)) return false;
  const char* statement = statementOf(line);
  std::size_t length = std::strlen(keyword);
  return std::strncmp(statement, keyword, length) == 0 &&
         (isBlank(statement[length]) || isLineEnd(statement[length]));
}

bool isEmptyLine(const SceneLine* line) {
  return std::strcmp(line->text, "\n") == 0 || std::strcmp(line->text, "\r\n") == 0;
}

const SceneLine* joinFileLine(const SceneLine* first, std::string* text) {
  text->clear();
  const SceneLine* piece = first;
  do {
    text->append(piece->text ? piece->text : "");
    piece = piece->next;
  } while (piece && (text->empty() || text->back() != '\n'));
  return piece;
}

SceneLine* nextFileLine(SceneLine* line) {
  SceneLine* next = line->next;
  while (next && !startsFileLine(next)) next = next->next;
  return next;
}

SceneLine* blockClosing(SceneLine* line) {
  if (!opensBlock(line)) return line;
  BlockDepth depth;
  for (SceneLine* walk = line; walk; walk = nextFileLine(walk)) {
    depth.take(pieceStatement(walk));
    if (depth.outside()) return walk;
  }
  return nullptr;
}

SceneLine* nextStatement(SceneLine* line) {
  SceneLine* closing = blockClosing(line);
  return closing ? nextFileLine(closing) : nullptr;
}

SceneLine* findStatement(SceneLine* from, SceneLine* stop, const char* keyword) {
  for (SceneLine* line = from; line && line != stop; line = nextStatement(line)) {
    if (isStatement(line, keyword)) return line;
  }
  return nullptr;
}

ItemStatement itemStatementOf(std::string_view statement, int version) {
  std::string_view text = withoutIndent(statement);
  // Every item keyword begins with one of these bytes.
  if (text.empty() || (text[0] != 'L' && text[0] != 'A' && text[0] != 'S')) {
    return ItemStatement::NO_ITEM;
  }
  if (textIsStatement(text, "LoadObject") || textIsStatement(text, "LoadObjectLayer") ||
      textIsStatement(text, "AddNullObject")) {
    return ItemStatement::OBJECT;
  }
  if (textIsStatement(text, "AddLight")) return ItemStatement::LIGHT;
  if (textIsStatement(text, version == 1 ? "ShowCamera" : "AddCamera")) {
    return ItemStatement::CAMERA;
  }
  if (textIsStatement(text, "AddBone")) return ItemStatement::BONE;
  return ItemStatement::NO_ITEM;
}

bool isObjectStatement(const SceneLine* line) {
  return startsFileLine(line) && itemStatementOf(pieceStatement(line), 0) == ItemStatement::OBJECT;
}

bool beginsItem(const SceneLine* line, int version) {
  if (!startsFileLine(line)) return false;
  ItemStatement item = itemStatementOf(pieceStatement(line), version);
  return item != ItemStatement::NO_ITEM && item != ItemStatement::BONE;
}

int lineWords(const SceneLine* line, Word* words, int capacity) {
  int count = 0;
  const char* at = line->text;
  while (true) {
    while (isBlank(*at)) ++at;
    if (isLineEnd(*at)) return count;
    const char* begin = at;
    while (!isBlank(*at) && !isLineEnd(*at)) ++at;
    if (count < capacity) words[count] = {begin, static_cast<std::size_t>(at - begin)};
    ++count;
  }
}

bool readInteger(Word word, long* value) {
  if (!word.begin) return false;
  const char* end = word.begin + word.length;
  auto [stop, failure] = std::from_chars(word.begin, end, *value);
  return failure == std::errc() && stop == end;
}

bool readNumber(Word word, double* value) {
  if (!word.begin) return false;
  const char* end = word.begin + word.length;
  auto [stop, failure] = std::from_chars(word.begin, end, *value);
  return failure == std::errc() && stop == end && std::isfinite(*value);
}

bool wordIs(Word word, const char* text) {
  return word.begin && word.length == std::strlen(text) &&
         std::strncmp(word.begin, text, word.length) == 0;
}

const char* lineEndOf(const SceneDocument* document) {
  const char* text = document->first ? document->first->text : "";
  std::size_t length = std::strlen(text);
  return length >= 2 && std::strcmp(text + length - 2, "\r\n") == 0 ? "\r\n" : "\n";
}
