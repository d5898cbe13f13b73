// Reading a document's lines from a stream or from bytes in memory, telling
// why reading failed: the one reader behind readScene, openSceneFile and
// openSceneText. This header is internal to the scene library.

#ifndef QUORVEL_SCENE_SCENE_READER_H_
#define QUORVEL_SCENE_SCENE_READER_H_

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "scene/scene.h"

// Why a read failed.
struct SceneReadFault {
  // UNREADABLE (a read error), NUL_BYTE or NO_MEMORY; OPENED while
  // nothing failed.
  SceneOpenResult result = SceneOpenResult::OPENED;
  int systemError = 0;         // UNREADABLE: errno after the failed read
  std::uint64_t nulOffset = 0;  // NUL_BYTE: the first NUL byte's offset
};

// A new classified document of every line of `stream`, read to its end,
// owned by the caller. Null, with *fault set and nothing left allocated, on
// a read error, a NUL byte or exhausted memory. The stream stays open.
SceneDocument* readSceneStream(std::FILE* stream, SceneReadFault* fault);

// As readSceneStream, of `bytes` in memory; they are copied, not kept.
SceneDocument* readSceneBytes(std::string_view bytes, SceneReadFault* fault);

#endif  // QUORVEL_SCENE_SCENE_READER_H_
