// Edits of a scene document in the layout of the document's own format
// version, 1 to 5 (the number on its second line): adding a null or a loaded
// object, copying an object, giving it a parent, keying its motion and its
// dissolve. In version 1 they write their lines through the same code as
// the edits of scene.h (which write version 1 lines wherever they are used),
// and differ from them only where said below and in the version 1 edit each
// calls: they check more (frames in order, counts read strictly), place new
// objects and parent lines as the host reads the scene, and write the
// scene's own line ends.
//
// What every edit here promises:
// - It is all or nothing: on any result but EDIT_DONE the document is
//   exactly as before.
// - Every line it adds or rewrites ends as the document's first line does:
//   with "\r\n" when that line does, else with "\n". Lines it leaves alone
//   keep their bytes.
// - A new object goes after the last object of the document (before the
//   first "AmbientColor" line when there is none), so that no existing
//   object number, item ID or reference to one changes.
// - Numbers are written as the C locale writes them: values and key times
//   in the shortest fixed-point form that reads back as the same double;
//   version 1 keeps the "%f" values of scene.h's edits.
//
// The layouts written, by version:
//   1  the blocks, motions, parent lines and dissolve envelopes of scene.h.
//   2  "AddNullObject NAME" or "LoadObject PATH"; a motion "ObjectMotion
//      (unnamed)", the channel count 9, per channel its key count and one
//      line "value time span tension continuity bias" per key (angles in
//      degrees, times in seconds, span 2: TCB), then "Pre/PostBehavior" with
//      a pre and a post code per channel; "ParentObject N" (N the parent's
//      object number, from 1).
//   3  "AddNullObject NAME" or "LoadObjectLayer 1 PATH", "ShowObject 6 7";
//      a motion "ObjectMotion", "NumChannels 9", per channel "Channel I" and
//      an envelope "{ Envelope", the key count, one line "Key value time
//      span p1 ... p6" per key (angles in radians, times in seconds, span 0
//      TCB or 3 linear), "Behaviors 1 1", "}"; "ShadowOptions 7" ends the
//      block; "ParentItem ID" (the parent's item ID, eight hex digits).
//   4, 5  as 3, with the new object's item ID after the keyword:
//      "AddNullObject ID NAME", "LoadObjectLayer 1 ID PATH". An object's ID
//      is 1 followed by its zero-based index among the objects, in seven hex
//      digits, so a new object's ID follows the last object's.
//   A dissolve in versions 3 to 5 is "ObjectDissolve (envelope)" followed by
//   an envelope laid out as a channel's. No scene file we have seen holds
//   one: this layout is inferred from the channels'.
//
// Objects are found as the host finds them: lines outside "{ ... }" and
// "Plugin ... EndPlugin" blocks that begin "LoadObject", "LoadObjectLayer"
// or "AddNullObject". An object's own lines run from its object line to the
// first "ShadowOptions", "AddBone", "AmbientColor" or item line after it;
// its block runs on over its bones through its "ShadowOptions" line (without
// one, through its last line that is not empty).
//
// Every function REQUIRES a classified document (as readScene hands it
// out). The adds and copies classify it again; the others change no object
// line and leave the classification alone.

#ifndef QUORVEL_SCENE_VERSION_EDITS_H_
#define QUORVEL_SCENE_VERSION_EDITS_H_

#include <cstdint>

struct SceneDocument;
struct SceneLine;

// Why an edit was not made.
enum EditStatus : std::int8_t {
  EDIT_DONE = 0,
  EDIT_OUT_OF_MEMORY = 1,
  EDIT_UNKNOWN_VERSION = 2,       // line 2 is not a version from 1 to 5
  EDIT_NOT_IN_VERSION = 3,        // the version has no layout known for it
  EDIT_NOT_AN_OBJECT = 4,         // the line given does not begin an object
  EDIT_NO_PLACE_FOR_OBJECT = 5,   // no object and no "AmbientColor" line
  EDIT_UNREADABLE_LINE = 6,       // a line is not laid out as the version's
  EDIT_OBJECT_HAS_BONES = 7,      // a copy would keep naming the source's bones
  EDIT_OWN_PARENT = 8,            // an object cannot be its own parent
  EDIT_NO_MOTION = 9,             // the object has no motion
  EDIT_FRAME_BEFORE_FIRST = 10,   // a frame before frame 0
  EDIT_FRAME_NOT_AFTER_LAST = 11, // version 1: a key must follow the last
  EDIT_FIRST_KEY_NOT_AT_0 = 12,   // version 1: a dissolve starts at frame 0
  EDIT_CONSTANT_DISSOLVE = 13,    // the dissolve is a constant, not an envelope
};

// What an edit did. `line` is the new object line of an add or a copy that
// was done; for a refusal, the line it is about (null when it is about no
// one line). `detail`, for EDIT_UNREADABLE_LINE and EDIT_NOT_IN_VERSION, is
// a static text saying what was expected or what is missing; else null.
struct EditResult {
  EditStatus status;
  SceneLine* line;
  const char* detail;
};

// The document's format version: the number its second line holds; 0 when
// it has no second line or the line holds no version from 1 to 5.
int sceneFormatVersion(const SceneDocument* document);

// Adds a null object named `name`, or an object loaded from `path`, with a
// motion holding one key at time 0 (position 0 0 0, rotation 0 0 0, scale
// 1 1 1), in the document's layout. On EDIT_DONE `line` is its object line.
// REQUIRES a name or path that is not empty and holds no line break.
EditResult addNullObjectInVersion(SceneDocument* document, const char* name);
EditResult addLoadObjectInVersion(SceneDocument* document, const char* path);

// Adds a copy of the block of the object line `source`, every line as it
// stands (its motion, its parent line and the rest), except that in
// versions 4 and 5 the copy's object line carries the new object's ID.
// Refuses an object with bones (EDIT_OBJECT_HAS_BONES, naming its first
// "AddBone"). On EDIT_DONE `line` is the copy's object line.
EditResult copyObjectInVersion(SceneDocument* document, SceneLine* source);

// Makes the object of `parent` the parent of the object of `child`: its
// parent line ("ParentObject" in versions 1 and 2, "ParentItem" later) is
// rewritten, or one is added: before its block's "ShadowOptions" line when
// its own lines end there, before its first bone when it has bones, else
// after its last own line that is not empty. Refuses a child or parent that
// is not an object line and an object as its own parent; a longer loop of
// parents is the caller's to refuse.
EditResult setParentInVersion(SceneDocument* document, SceneLine* child, SceneLine* parent);

// The nine channel values of a key: position, then heading, pitch and bank
// in degrees (written as radians where the version keeps radians), then
// scale.
struct KeyValues {
  double values[9];
};

// Keys the motion of the object `object` at `frame` (from 0; turned into a
// time with the scene's "FramesPerSecond", 30 when it has none). Version 1:
// as addMotionKey of scene.h, with a linear span or a TCB one; frame 0
// restarts the motion, any other frame must come after the last key's
// (EDIT_FRAME_NOT_AFTER_LAST, naming that key's frame line). Versions 2 to
// 5: one key into each of the nine channels, TCB or (versions 3 to 5)
// linear, replacing a key at the same time (within a millionth of it, the
// precision of the host's seven-digit times) and else standing among the
// keys in the order of time. Refuses a motion it cannot read
// (EDIT_UNREADABLE_LINE, naming the line), a linear key in version 2
// (EDIT_NOT_IN_VERSION: the span code of a linear version 2 key is not
// known) and a negative frame.
EditResult setMotionKeyInVersion(SceneDocument* document, SceneLine* object,
                                 const KeyValues& key, std::int32_t frame, bool linear);

// Keys the dissolve of the object `object` (0 shows it, 1 hides it) at
// `frame`. Version 1: as addDissolveKey of scene.h; the first key must be at
// frame 0 (EDIT_FIRST_KEY_NOT_AT_0) and every later one after the last
// (EDIT_FRAME_NOT_AFTER_LAST). Versions 3 to 5: a TCB key in the object's
// "ObjectDissolve (envelope)", made after its motion when it has none,
// replacing or ordered as setMotionKeyInVersion's keys. Version 2 is refused
// (EDIT_NOT_IN_VERSION: no layout of its dissolve is known), and so is a
// constant dissolve (EDIT_CONSTANT_DISSOLVE) and a negative frame.
EditResult setDissolveKeyInVersion(SceneDocument* document, SceneLine* object, double value,
                                   std::int32_t frame);

#endif  // QUORVEL_SCENE_VERSION_EDITS_H_
