// The edits of quorvel-scene on a scene document read from its file: each
// finds the items it names by the runner's names, makes its change with
// the scene library's version-aware edits, and reads the result back as the
// runner reads it before it lets the scene be written.

#ifndef QUORVEL_SCENE_TOOL_SCENE_EDITS_H_
#define QUORVEL_SCENE_TOOL_SCENE_EDITS_H_

#include <string>

#include "scene/scene.h"
#include "scene_tool/scene_options.h"

struct EditOutcome {
  // The exit status of a refusal: EXIT_SCENE_TOOL_FAILED when the command
  // could not run (an unknown name, a name that cannot be written),
  // EXIT_EDIT_REFUSED when the scene's content refused the edit.
  int status = EXIT_EDIT_REFUSED;
  std::string report;   // what to print once the scene is written: the object added
  std::string notes;    // what to tell on standard error then: items whose names changed
};

// Makes the edit `options` asks for (add-null, add-object, copy, parent, key
// or dissolve) on `document`, read from `options.file`, and fills `outcome`.
// False when the edit cannot be made, with `error` saying why and
// `outcome->status` the exit status; the document may then hold part of the
// edit and must not be written. REQUIRES non-null arguments; the caller
// owns all of them.
bool editScene(SceneDocument* document, const SceneOptions& options, EditOutcome* outcome,
               std::string* error);

#endif  // QUORVEL_SCENE_TOOL_SCENE_EDITS_H_
