// Reading a scene file into a document and writing a document back. Files
// are binary streams, so every byte (carriage returns included) passes
// through unchanged and a document read and written back without edits
// reproduces its file exactly. A file written is replaced whole or not at
// all.

#include <cstdio>
#include <cstring>

#include "file_replace/file_replace.h"
#include "scene/allocation.h"
#include "scene/line_kind.h"
#include "scene/scene.h"
#include "scene/unlinked_lines.h"

namespace {

// The most bytes of one piece, as the fixed work buffer holds them.
constexpr std::size_t MOST_PIECE_BYTES = SCENE_BUFFER_SIZE - 1;
// readScene reads, and writeScene writes, in blocks of this size.
constexpr std::size_t FILE_BLOCK_SIZE = 64 * 1024;

enum class PieceRead { kText, kEnd, kFailed };

// Reads the next piece of `stream` (up to and including a newline, at most
// 255 bytes) into a new exact-size heap text at *text, reading no byte past
// the piece. kEnd at a clean end of the stream; kFailed on a read error, a
// NUL byte or exhausted memory, so that a caller never mistakes a failure for
// the end of the file.
PieceRead readPiece(std::FILE* stream, char** text) {
  char buffer[SCENE_BUFFER_SIZE];
  std::size_t length = 0;
  int c = 0;
  // std::getc, which the C++ standard has on every platform (POSIX's
  // getc_unlocked is not on Windows); readScene reads in blocks instead.
  while (length < MOST_PIECE_BYTES && (c = std::getc(stream)) != EOF) {
    if (c == '\0') break;
    buffer[length++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  if (c == '\0' || (c == EOF && std::ferror(stream))) return PieceRead::kFailed;
  if (length == 0) return PieceRead::kEnd;
  *text = textOfBytes(buffer, length);
  return *text ? PieceRead::kText : PieceRead::kFailed;
}

// A stream that readScene owns, read a block at a time: the pieces are cut
// from the block, so it may read ahead as far as it likes.
struct BlockReader {
  std::FILE* stream;
  char* block;  // FILE_BLOCK_SIZE bytes
  std::size_t begin;  // the unread bytes are block[begin, end)
  std::size_t end;
  bool streamEnded;
};

// Makes sure a whole piece is unread, reading the next block when fewer
// bytes than the longest piece are left. False on a read error or a NUL
// byte anywhere in what was read (which fails the whole document).
bool fillBlock(BlockReader* reader) {
  if (reader->end - reader->begin >= MOST_PIECE_BYTES || reader->streamEnded) return true;
  std::size_t unread = reader->end - reader->begin;
  std::memmove(reader->block, reader->block + reader->begin, unread);
  std::size_t wanted = FILE_BLOCK_SIZE - unread;
  std::size_t got = std::fread(reader->block + unread, 1, wanted, reader->stream);
  reader->begin = 0;
  reader->end = unread + got;
  if (got < wanted) {
    if (std::ferror(reader->stream)) return false;
    reader->streamEnded = true;
  }
  return std::memchr(reader->block + unread, '\0', got) == nullptr;
}

// As readPiece, from the reader's block.
PieceRead cutPiece(BlockReader* reader, char** text) {
  if (!fillBlock(reader)) return PieceRead::kFailed;
  std::size_t unread = reader->end - reader->begin;
  if (unread == 0) return PieceRead::kEnd;
  const char* start = reader->block + reader->begin;
  std::size_t limit = unread < MOST_PIECE_BYTES ? unread : MOST_PIECE_BYTES;
  const char* newline = static_cast<const char*>(std::memchr(start, '\n', limit));
  std::size_t length = newline ? static_cast<std::size_t>(newline - start) + 1 : limit;
  reader->begin += length;
  *text = textOfBytes(start, length);
  return *text ? PieceRead::kText : PieceRead::kFailed;
}

// Appends every piece of the reader's stream to `document`, classified as
// classifyLines would classify them, while each text is at hand; false on
// any failure, with the lines read so far left in the document.
bool readLines(BlockReader* reader, SceneDocument* document) {
  document->nextObjectNumber = 1;
  for (;;) {
    char* text = nullptr;
    PieceRead result = cutPiece(reader, &text);
    if (result == PieceRead::kEnd) return true;
    if (result == PieceRead::kFailed) return false;
    SceneLine* line = lineOwningText(text);
    if (!line) return false;
    line->kind = kindOfText(text);
    if (line->kind == LINE_OBJECT) line->objectNumber = document->nextObjectNumber++;
    appendLine(document, line);
  }
}

// Text gathered into blocks before it is written, so that a document of
// short lines costs a write per block, not per line.
struct BlockWriter {
  std::FILE* stream;
  char* block;  // FILE_BLOCK_SIZE bytes
  std::size_t used;
  bool failed;
};

void flushBlock(BlockWriter* writer) {
  if (writer->used > 0 && std::fwrite(writer->block, 1, writer->used, writer->stream) != writer->used) {
    writer->failed = true;
  }
  writer->used = 0;
}

void writeThrough(BlockWriter* writer, const char* text) {
  std::size_t length = std::strlen(text);
  if (writer->used + length > FILE_BLOCK_SIZE) flushBlock(writer);
  if (length > FILE_BLOCK_SIZE) {
    writer->failed |= std::fwrite(text, 1, length, writer->stream) != length;
    return;
  }
  std::memcpy(writer->block + writer->used, text, length);
  writer->used += length;
}

}  // namespace

char* readTextLine(std::FILE* stream) {
  char* text = nullptr;
  return readPiece(stream, &text) == PieceRead::kText ? text : nullptr;
}

SceneDocument* readScene(const char* path) {
  std::FILE* stream = std::fopen(path, "rb");
  if (!stream) return nullptr;
  char block[FILE_BLOCK_SIZE];
  BlockReader reader{stream, block, 0, 0, false};
  auto* document = static_cast<SceneDocument*>(sceneAllocate(1, sizeof(SceneDocument)));
  bool complete = document && readLines(&reader, document);
  std::fclose(stream);
  if (!complete) {
    freeScene(document);
    return nullptr;
  }
  return document;
}

const char* writeText(std::FILE* stream, const char* text) {
  std::fputs(text, stream);
  return text;
}

bool writeScene(const SceneDocument* document, const char* path) {
  FileReplacement replacement;
  if (!beginFileReplacement(path, &replacement)) return false;
  char block[FILE_BLOCK_SIZE];
  BlockWriter writer{replacement.stream, block, 0, false};
  for (const SceneLine* line = document->first; line && !writer.failed; line = line->next) {
    writeThrough(&writer, line->text);
  }
  flushBlock(&writer);
  return finishFileReplacement(&replacement, !writer.failed);
}
