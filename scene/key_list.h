// A keyed list inside a version 1 object block, as the motion and the
// dissolve envelope are held: a head line ("ObjectMotion ..." or
// "ObjDissolve (envelope)"), the channel count, the key count, two lines per
// key, and an "EndBehavior" line that closes it. The edits of scene.h and
// the version 1 edits of version_edits.h find and key such lists through
// this header alone. It is internal to the scene library.

#ifndef QUORVEL_SCENE_KEY_LIST_H_
#define QUORVEL_SCENE_KEY_LIST_H_

#include "scene/edit_plan.h"
#include "scene/scene.h"

struct KeyList {
  SceneLine* head;
  SceneLine* count;  // the second line after the head
  SceneLine* end;    // the first "EndBehavior" line after the head
};

// Fills `list` for the first list whose head begins with `headKeyword`
// inside the block that `line` begins (up to its "ShadowOptions" line, or to
// the end of the document when it has none), in one walk over the block.
// `list->head` is that head, null when the block has none. False when there
// is no head, no end inside the block, the end comes before the key count
// line, or an object line (as classified) stands between the head and the
// end; the other fields are then unspecified.
bool findKeyList(SceneLine* line, const char* headKeyword, KeyList* list);

// Whether the list holds at least one whole key: two lines between the key
// count line and the end.
bool holdsAKey(const KeyList* list);

// The count as the edits of scene.h move it: the decimal value the count
// line's argument reads as (0 when `restart`) plus `added` (which may be
// negative), into `*count`. False when the count line has no argument
// (lineArgument) or the count cannot move that far.
bool movedCount(const KeyList* list, long long added, bool restart, long long* count);

// Plans the count line of `list` to read `count` ("  N" and `lineEnd`).
void planCount(EditPlan* plan, const KeyList& list, long long count, const char* lineEnd);

// Plans a new key of `list`: the count set to `count`, then the key's value
// line and frame line (heap texts the plan takes over; null when they could
// not be made) after the list's last key or, when `restart`, in place of
// every key the list holds.
void planListKey(EditPlan* plan, const KeyList& list, long long count, bool restart,
                 char* values, char* frameLine, const char* lineEnd);

#endif  // QUORVEL_SCENE_KEY_LIST_H_
