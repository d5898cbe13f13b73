#include "fuzz/document_checks.h"

#include <cstring>
#include <string_view>

#include "fuzz/invariant.h"

std::string documentText(const SceneDocument* document) {
  std::string text;
  for (const SceneLine* line = document->first; line != nullptr; line = line->next) {
    text += line->text;
  }
  return text;
}

std::vector<SceneLine*> requireWholeList(const SceneDocument* document) {
  require((document->first == nullptr) == (document->last == nullptr),
          "first and last are null together");
  std::vector<SceneLine*> lines;
  SceneLine* previous = nullptr;
  for (SceneLine* line = document->first; line != nullptr; line = line->next) {
    require(line->prev == previous, "each line's prev is the line before it");
    require(line->text != nullptr, "every line holds a text");
    lines.push_back(line);
    previous = line;
  }
  require(previous == document->last, "next from first ends at last");
  return lines;
}

void requirePiecesOf(const SceneDocument* document, const std::string& bytes) {
  std::vector<SceneLine*> lines = requireWholeList(document);
  std::string joined;
  for (const SceneLine* line : lines) {
    std::string_view text = line->text;
    require(!text.empty() && text.size() <= SCENE_BUFFER_SIZE - 1,
            "a piece read holds 1 to 255 bytes");
    std::size_t newline = text.find('\n');
    require(newline == std::string_view::npos || newline == text.size() - 1,
            "a piece read holds a newline at its end only");
    require(newline != std::string_view::npos || text.size() == SCENE_BUFFER_SIZE - 1 ||
                line == document->last,
            "only a 255-byte piece or the last piece goes without a newline");
    joined += text;
  }
  require(joined == bytes, "the pieces read are the file's bytes");
}

LineKind expectedKind(const char* text) {
  struct KeywordKind {
    const char* keyword;
    LineKind kind;
  };
  static constexpr KeywordKind KINDS[] = {
      {"LWSC", LINE_HEADER},          {"AddNullObject", LINE_OBJECT},
      {"LoadObject", LINE_OBJECT},    {"AmbientColor", LINE_AMBIENT},
      {"ShowCamera", LINE_CAMERA},    {"SolidBackdrop", LINE_BACKDROP},
      {"RenderMode", LINE_RENDER},    {"ViewMode", LINE_VIEW},
  };
  for (const KeywordKind& entry : KINDS) {
    if (std::strncmp(text, entry.keyword, std::strlen(entry.keyword)) == 0) return entry.kind;
  }
  return LINE_OTHER;
}

void requireClassified(const SceneDocument* document) {
  std::int32_t objects = 0;
  for (const SceneLine* line : requireWholeList(document)) {
    require(line->kind == expectedKind(line->text), "each line's kind follows its keyword");
    if (line->kind == LINE_OBJECT) {
      require(line->objectNumber == ++objects, "object lines are numbered 1, 2, ... in order");
    }
  }
  require(document->nextObjectNumber == objects + 1,
          "nextObjectNumber is one more than the object lines");
}

DocumentSnapshot snapshotOf(const SceneDocument* document) {
  DocumentSnapshot snapshot{{}, document->nextObjectNumber};
  for (const SceneLine* line : requireWholeList(document)) {
    snapshot.lines.push_back({line, line->text, line->text, line->kind, line->objectNumber});
  }
  return snapshot;
}
