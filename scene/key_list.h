// A keyed list inside an object block, as the motion and the dissolve
// envelope are held: a head line ("ObjectMotion ..." or "ObjDissolve
// (envelope)"), the channel count, the key count, two lines per key, and an
// "EndBehavior" line that closes it. This header is internal to the scene
// library.

#ifndef QUORVEL_SCENE_KEY_LIST_H_
#define QUORVEL_SCENE_KEY_LIST_H_

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

// A new heap text "  N\n", owned by the caller, for the count line: N is the
// value the count line holds now plus `added` (which may be negative), or
// just `added` when `restart`. Null when the count line has no argument, the
// count cannot move that far, or memory runs out.
char* countText(const KeyList* list, long long added, bool restart);

// Replaces the count line's text with `text` (which it takes over) and gives
// the old text back.
void replaceCountText(KeyList* list, char* text);

#endif  // QUORVEL_SCENE_KEY_LIST_H_
