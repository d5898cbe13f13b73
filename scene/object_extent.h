// Where an object's lines lie in a document of any version, where a new
// object goes, and how other lines name an object. This header is internal
// to the scene library; version_edits.h describes the rules for its users.

#ifndef QUORVEL_SCENE_OBJECT_EXTENT_H_
#define QUORVEL_SCENE_OBJECT_EXTENT_H_

#include <cstddef>
#include <cstdint>

#include "scene/scene.h"
#include "scene/statements.h"

struct ObjectExtent {
  SceneLine* object;   // the object line
  SceneLine* ownEnd;   // the line after its own lines; null: the end of the document
  SceneLine* firstBone;  // its first "AddBone" line; null when it has none
  SceneLine* last;     // the last line of its block
};

// The extent of the object whose object line is `object` in a scene of
// `version`. REQUIRES an object line.
ObjectExtent objectExtentOf(SceneLine* object, int version);

// The last object line of the document; null when it has none.
SceneLine* lastObjectLine(SceneDocument* document);

// The zero-based index of `object` among the document's object lines; for a
// null `object`, the number of object lines.
std::size_t objectIndexOf(const SceneDocument* document, const SceneLine* object);

// The line after which a new object's block goes: after the last object's
// block and the empty line that follows it, if one does; with no object,
// the line before the first "AmbientColor" line. Null when there is no
// such place.
SceneLine* newObjectPlace(SceneDocument* document, int version);

// The ID that item lines of versions 3 to 5 give the object of zero-based
// `index`: 1 followed by the index in seven hex digits.
std::uint32_t objectIdOf(std::size_t index);

// The ID an object line of version 4 or 5 gives after its keyword (and
// after the layer, for "LoadObjectLayer"); false when it gives none.
bool objectLineId(const SceneLine* object, std::uint32_t* id);

// The ID by which "ParentItem" lines name the object: the one its line
// gives in versions 4 and 5, else the one its index makes.
std::uint32_t objectReferenceId(const SceneDocument* document, const SceneLine* object,
                                int version);

// The word of a version 4 or 5 object line that holds its ID: 1 for
// "AddNullObject", 2 for "LoadObjectLayer"; -1 for "LoadObject".
int objectIdWord(const SceneLine* object);

#endif  // QUORVEL_SCENE_OBJECT_EXTENT_H_
