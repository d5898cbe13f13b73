// The class of one line by its leading keyword, as classifyLines sets it,
// for readers that classify lines as they make them. This header is
// internal to the scene library.

#ifndef QUORVEL_SCENE_LINE_KIND_H_
#define QUORVEL_SCENE_LINE_KIND_H_

#include "scene/scene.h"

// The kind of a line whose text is `text` (see LineKind).
LineKind kindOfText(const char* text);

#endif  // QUORVEL_SCENE_LINE_KIND_H_
