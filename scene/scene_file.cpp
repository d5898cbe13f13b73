// Reading a scene file into a document and writing a document back. Files
// are binary streams, so every byte (carriage returns included) passes
// through unchanged and a document read and written back without edits
// reproduces its file exactly. A file written is replaced whole or not at
// all.

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "file_replace/file_replace.h"
#include "scene/allocation.h"
#include "scene/line_kind.h"
#include "scene/scene.h"
#include "scene/scene_reader.h"
#include "scene/unlinked_lines.h"

namespace {

// The most bytes of one piece, as the fixed work buffer holds them.
constexpr std::size_t MOST_PIECE_BYTES = SCENE_BUFFER_SIZE - 1;
// readScene reads, and writeScene writes, in blocks of this size.
constexpr std::size_t FILE_BLOCK_SIZE = 64 * 1024;

enum class PieceRead { PIECE, END, READ_FAILED };

// Reads the next piece of `stream` (up to and including a newline, at most
// 255 bytes) into a new exact-size heap text at *text, reading no byte past
// the piece. END at a clean end of the stream; READ_FAILED on a read error, a
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
  if (c == '\0' || (c == EOF && std::ferror(stream))) return PieceRead::READ_FAILED;
  if (length == 0) return PieceRead::END;
  *text = textOfBytes(buffer, length);
  return *text ? PieceRead::PIECE : PieceRead::READ_FAILED;
}

// The scene's bytes, cut into pieces a block at a time: from a stream that
// the reader owns (so it may read ahead as far as it likes), or from bytes
// already in memory.
struct BlockReader {
  std::FILE* stream;       // null when every byte is in `unread` from the start
  char* block;             // FILE_BLOCK_SIZE bytes the stream is read into
  const char* unread;      // the bytes not yet cut into pieces
  std::size_t unreadSize;
  std::uint64_t offset;    // the offset in the scene of unread[0]
  bool streamEnded;
  SceneReadFault* fault;
};

bool fail(BlockReader* reader, SceneOpenResult result) {
  reader->fault->result = result;
  return false;
}

// Sets the fault to a NUL byte when `bytes` hold one; `bytes` begin at
// `offset` in the scene.
bool noNulByte(BlockReader* reader, const char* bytes, std::size_t size, std::uint64_t offset) {
  const void* nul = std::memchr(bytes, '\0', size);
  if (!nul) return true;
  reader->fault->nulOffset = offset + static_cast<std::size_t>(static_cast<const char*>(nul) - bytes);
  return fail(reader, SceneOpenResult::NUL_BYTE);
}

// Makes sure a whole piece is unread, reading the next block when fewer
// bytes than the longest piece are left. False, with the fault set, on a
// read error or a NUL byte anywhere in what was read (which fails the whole
// document).
bool fillBlock(BlockReader* reader) {
  if (reader->unreadSize >= MOST_PIECE_BYTES || reader->streamEnded) return true;
  std::memmove(reader->block, reader->unread, reader->unreadSize);
  reader->unread = reader->block;
  char* fresh = reader->block + reader->unreadSize;
  std::size_t wanted = FILE_BLOCK_SIZE - reader->unreadSize;
  errno = 0;
  std::size_t got = std::fread(fresh, 1, wanted, reader->stream);
  if (got < wanted) {
    if (std::ferror(reader->stream)) {
      reader->fault->systemError = errno;
      return fail(reader, SceneOpenResult::UNREADABLE);
    }
    reader->streamEnded = true;
  }
  reader->unreadSize += got;
  return noNulByte(reader, fresh, got, reader->offset + static_cast<std::size_t>(fresh - reader->block));
}

// As readPiece, from the reader's block.
PieceRead cutPiece(BlockReader* reader, char** text) {
  if (!fillBlock(reader)) return PieceRead::READ_FAILED;
  if (reader->unreadSize == 0) return PieceRead::END;
  const char* start = reader->unread;
  std::size_t limit = reader->unreadSize < MOST_PIECE_BYTES ? reader->unreadSize : MOST_PIECE_BYTES;
  const char* newline = static_cast<const char*>(std::memchr(start, '\n', limit));
  std::size_t length = newline ? static_cast<std::size_t>(newline - start) + 1 : limit;
  reader->unread += length;
  reader->unreadSize -= length;
  reader->offset += length;
  *text = textOfBytes(start, length);
  if (!*text) reader->fault->result = SceneOpenResult::NO_MEMORY;
  return *text ? PieceRead::PIECE : PieceRead::READ_FAILED;
}

// Appends every piece of the reader's stream to `document`, classified as
// classifyLines would classify them, while each text is at hand; false on
// any failure, with the lines read so far left in the document.
bool readLines(BlockReader* reader, SceneDocument* document) {
  document->nextObjectNumber = 1;
  for (;;) {
    char* text = nullptr;
    PieceRead result = cutPiece(reader, &text);
    if (result == PieceRead::END) return true;
    if (result == PieceRead::READ_FAILED) return false;
    SceneLine* line = lineOwningText(text);
    if (!line) return fail(reader, SceneOpenResult::NO_MEMORY);
    line->kind = kindOfText(text);
    if (line->kind == LINE_OBJECT) line->objectNumber = document->nextObjectNumber++;
    appendLine(document, line);
  }
}

// A new document of every piece the reader cuts; null, with the fault set,
// when reading fails (nothing is then left allocated).
SceneDocument* readDocument(BlockReader* reader) {
  auto* document = static_cast<SceneDocument*>(sceneAllocate(1, sizeof(SceneDocument)));
  if (!document) {
    reader->fault->result = SceneOpenResult::NO_MEMORY;
    return nullptr;
  }
  if (readLines(reader, document)) return document;
  freeScene(document);
  return nullptr;
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
  return readPiece(stream, &text) == PieceRead::PIECE ? text : nullptr;
}

SceneDocument* readSceneStream(std::FILE* stream, SceneReadFault* fault) {
  char block[FILE_BLOCK_SIZE];
  BlockReader reader{stream, block, block, 0, 0, false, fault};
  return readDocument(&reader);
}

SceneDocument* readSceneBytes(std::string_view bytes, SceneReadFault* fault) {
  BlockReader reader{nullptr, nullptr, bytes.data(), bytes.size(), 0, true, fault};
  if (!noNulByte(&reader, bytes.data(), bytes.size(), 0)) return nullptr;
  return readDocument(&reader);
}

SceneDocument* readScene(const char* path) {
  std::FILE* stream = std::fopen(path, "rb");
  if (!stream) return nullptr;
  SceneReadFault ignored;
  SceneDocument* document = readSceneStream(stream, &ignored);
  std::fclose(stream);
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
