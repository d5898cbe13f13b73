// What a scene document says of itself that the version-aware edits need:
// its format version and its frame rate. This header is internal to the
// scene library.

#ifndef QUORVEL_SCENE_SCENE_FORMAT_H_
#define QUORVEL_SCENE_SCENE_FORMAT_H_

#include <cstdint>

#include "scene/scene.h"
#include "scene/version_edits.h"

// EDIT_DONE with `*version` set to the document's version; else
// EDIT_UNKNOWN_VERSION naming its second line.
EditResult versionOf(const SceneDocument* document, int* version);

// The time in seconds of `frame` at the scene's "FramesPerSecond" (30 when
// it has none). Refuses a frame rate that is not a positive number,
// naming its line.
EditResult secondsOfFrame(const SceneDocument* document, std::int32_t frame, double* seconds);

#endif  // QUORVEL_SCENE_SCENE_FORMAT_H_
