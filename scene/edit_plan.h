// The changes of one edit, gathered before any is made: new lines to link
// in, new texts for existing lines, runs of lines to take out. Everything
// an edit needs is made while the plan is gathered; when something cannot
// be made the plan is dropped and the document never saw any of it, and
// when all is made, apply() changes the document and cannot fail. Every
// edit of the scene library, of scene.h and of version_edits.h, changes a
// document through one. This header is internal to the scene library.

#ifndef QUORVEL_SCENE_EDIT_PLAN_H_
#define QUORVEL_SCENE_EDIT_PLAN_H_

#include "scene/scene.h"

class EditPlan {
 public:
  EditPlan() = default;
  // Gives back every line and text the plan still holds.
  ~EditPlan();
  EditPlan(const EditPlan&) = delete;
  EditPlan& operator=(const EditPlan&) = delete;

  // Plans `line` (unlinked, made by the caller; the plan owns it from now)
  // to go after `anchor`, after the lines planned before it at the same
  // anchor. A null `line` (one that could not be made) spoils the plan.
  void insertAfter(SceneLine* anchor, SceneLine* line);

  // Plans copies of the lines from `first` through `last` (their texts
  // only, as cloneLine makes them) to go after `anchor`, as insertAfter
  // plans each. REQUIRES `last` at or after `first`.
  void insertCopiesAfter(SceneLine* anchor, const SceneLine* first, const SceneLine* last);

  // Plans `text` (a heap text, the plan owns it from now) to replace the
  // text of `line`. A null `text` spoils the plan.
  void replaceText(SceneLine* line, char* text);

  // Plans the lines strictly between `before` and `after` to be taken out
  // and given back. REQUIRES `after` to follow `before`, and that no other
  // change of the plan touches those lines.
  void removeBetween(SceneLine* before, SceneLine* after);

  // When everything planned could be made and the plan had room, makes
  // every planned change to `document`, keeping its `last` right, empties
  // the plan and returns true; else returns false and changes nothing.
  // `document` may be null when no line is planned after its last line.
  bool apply(SceneDocument* document);

 private:
  static constexpr int MOST_CHANGES = 32;

  enum class ChangeKind { INSERT, REPLACE, REMOVE };

  struct Change {
    ChangeKind kind;
    SceneLine* line;      // Insert: the anchor; Replace: the line; Remove: the line before
    SceneLine* after;     // Remove: the line after
    SceneDocument lines;  // Insert: the new lines, in a list of their own
    char* text;           // Replace: the new text
  };

  // A new change of `kind` about `line`; null (the plan spoilt) when there
  // is no room left.
  Change* addChange(ChangeKind kind, SceneLine* line);

  Change changes_[MOST_CHANGES] = {};
  int count_ = 0;
  bool whole_ = true;
};

#endif  // QUORVEL_SCENE_EDIT_PLAN_H_
