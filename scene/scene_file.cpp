// Reading a scene file into a document and writing a document back. Files
// are binary streams, so every byte (carriage returns included) passes
// through unchanged and a document read and written back without edits
// reproduces its file exactly. A file written is replaced whole or not at
// all.

#include <cstring>

#include "file_replace/file_replace.h"
#include "scene/allocation.h"
#include "scene/scene.h"

namespace {

enum class PieceRead { kText, kEnd, kFailed };

// Reads the next piece of `stream` (up to and including a newline, at most
// 255 bytes) into a new exact-size heap text at *text. kEnd at a clean end of
// the stream; kFailed on a read error, a NUL byte or exhausted memory, so
// that a caller never mistakes a failure for the end of the file.
PieceRead readPiece(std::FILE* stream, char** text) {
  char buffer[SCENE_BUFFER_SIZE];
  std::size_t length = 0;
  int c = 0;
  while (length < SCENE_BUFFER_SIZE - 1 && (c = std::getc(stream)) != EOF) {
    if (c == '\0') return PieceRead::kFailed;
    buffer[length++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  if (c == EOF && std::ferror(stream)) return PieceRead::kFailed;
  if (length == 0) return PieceRead::kEnd;
  char* copy = static_cast<char*>(sceneAllocate(length + 1, 1));
  if (!copy) return PieceRead::kFailed;
  std::memcpy(copy, buffer, length);  // the NUL is there: the memory is zeroed
  *text = copy;
  return PieceRead::kText;
}

// Appends every piece of `stream` to `document`; false on any failure, with
// the lines read so far left in the document.
bool readLines(std::FILE* stream, SceneDocument* document) {
  for (;;) {
    char* text = nullptr;
    PieceRead result = readPiece(stream, &text);
    if (result == PieceRead::kEnd) return true;
    if (result == PieceRead::kFailed) return false;
    SceneLine* line = newSceneLine();
    if (!line) {
      sceneRelease(text);
      return false;
    }
    line->text = text;
    appendLine(document, line);
  }
}

}  // namespace

char* readTextLine(std::FILE* stream) {
  char* text = nullptr;
  return readPiece(stream, &text) == PieceRead::kText ? text : nullptr;
}

SceneDocument* readScene(const char* path) {
  std::FILE* stream = std::fopen(path, "rb");
  if (!stream) return nullptr;
  auto* document = static_cast<SceneDocument*>(sceneAllocate(1, sizeof(SceneDocument)));
  bool complete = document && readLines(stream, document);
  std::fclose(stream);
  if (!complete) {
    freeScene(document);
    return nullptr;
  }
  classifyLines(document);
  return document;
}

const char* writeText(std::FILE* stream, const char* text) {
  std::fputs(text, stream);
  return text;
}

bool writeScene(const SceneDocument* document, const char* path) {
  FileReplacement replacement;
  if (!beginFileReplacement(path, &replacement)) return false;
  bool written = true;
  for (const SceneLine* line = document->first; line && written; line = line->next) {
    written = std::fputs(line->text, replacement.stream) != EOF;
  }
  return finishFileReplacement(&replacement, written);
}
