// The one writer of version 1 object blocks, behind addNullObject and
// addLoadObject of scene.h and the version 1 adds of version_edits.h. This
// header is internal to the scene library.

#ifndef QUORVEL_SCENE_OBJECT_BLOCK_H_
#define QUORVEL_SCENE_OBJECT_BLOCK_H_

#include <string_view>

#include "scene/edit_plan.h"
#include "scene/scene.h"

// Plans the ten lines of a new version 1 block after `after`, each ended
// with `lineEnd`: `objectLine` (the keyword and its blank, "AddNullObject "
// or "LoadObject ") followed by `name`, a motion holding one key at frame 0,
// "ShadowOptions 7" and an empty line. Returns the object line, owned by
// the plan; null when it could not be made.
SceneLine* planDefaultBlock(EditPlan* plan, SceneLine* after, const char* objectLine,
                            std::string_view name, const char* lineEnd);

#endif  // QUORVEL_SCENE_OBJECT_BLOCK_H_
