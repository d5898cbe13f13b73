// The one writer of parent lines, behind setParentObject of scene.h and
// setParentInVersion. This header is internal to the scene library.

#ifndef QUORVEL_SCENE_PARENT_EDIT_H_
#define QUORVEL_SCENE_PARENT_EDIT_H_

#include <string_view>

#include "scene/edit_plan.h"
#include "scene/scene.h"

// Plans the parent line "KEYWORD REFERENCE" and `lineEnd` ("ParentObject
// 3", "ParentItem 10000001"): as the new text of `held`, the parent line the
// object has, or, when `held` is null, as a new line after `place`.
void planParentLine(EditPlan* plan, SceneLine* held, SceneLine* place, std::string_view keyword,
                    std::string_view reference, const char* lineEnd);

#endif  // QUORVEL_SCENE_PARENT_EDIT_H_
