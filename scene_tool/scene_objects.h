// What quorvel-scene needs to know about a scene document's objects beyond
// the scene library's own searches: objects found by their exact name, their
// numbers, parents and last keys, the line numbers of lines for messages,
// and the listing of objects, lights and cameras.
//
// Every function REQUIRES a classified document (as readScene and newScene
// hand it out) and returns lines that the document owns.

#ifndef QUORVEL_SCENE_TOOL_SCENE_OBJECTS_H_
#define QUORVEL_SCENE_TOOL_SCENE_OBJECTS_H_

#include <cstdint>
#include <optional>
#include <string>

#include "scene/scene.h"

// The object's name as the file holds it: its object line's argument
// without the line end; empty when the line has no blank.
std::string objectNameOf(const SceneLine* objectLine);

// The Kth object line (1-based) named exactly `name`; null when there is
// none or `ordinal` is below 1.
SceneLine* findNthNamed(SceneDocument* document, const std::string& name, int ordinal);

// The object line that `selector` names: the first object named exactly
// `selector`, else for "NAME (K)" the Kth object named exactly NAME. Null
// when there is none.
SceneLine* findObject(SceneDocument* document, const std::string& selector);

// The selector that findObject takes for the object: its name, with " (K)"
// when it is the Kth object of that name and K is 2 or more.
std::string selectorOf(SceneDocument* document, const SceneLine* objectLine);

// The object line numbered `number` (as ParentObject lines count); null
// when there is none.
SceneLine* findObjectNumbered(SceneDocument* document, std::int32_t number);

// The number in the object's "ParentObject" line; nothing when its block
// has none or the line holds no whole number.
std::optional<std::int32_t> parentNumberOf(SceneLine* objectLine);

// True when `ancestor` is `object` itself or, following parent numbers up
// from `object`, one of its parents.
bool isSelfOrAncestor(SceneDocument* document, SceneLine* ancestor, SceneLine* object);

// The frame of the last key of the object's motion (dissolve: of its
// dissolve envelope); nothing when there is none, the motion holds no key,
// or its frame line does not begin with a whole number.
std::optional<std::int32_t> lastMotionKeyFrame(SceneLine* objectLine);
std::optional<std::int32_t> lastDissolveKeyFrame(SceneLine* objectLine);

// True when the object's block holds a dissolve envelope.
bool hasDissolveEnvelope(SceneLine* objectLine);

// The scene format's version, the number on the document's second line;
// nothing when there is no such line or it does not begin with a number.
std::optional<std::int32_t> sceneVersionOf(const SceneDocument* document);

// The 1-based line number of `line` in the document.
int lineNumberOf(const SceneDocument* document, const SceneLine* line);

// One line per item: "object N", a tab and the object's selector (see
// findObject) for every object in file order; then "light" and "camera",
// a tab and the name, for every light and camera.
std::string sceneListing(SceneDocument* document);

#endif  // QUORVEL_SCENE_TOOL_SCENE_OBJECTS_H_
