#include "scene/edit_plan.h"

#include "scene/allocation.h"
#include "scene/unlinked_lines.h"

namespace {

// Links the lines of `lines` (at least one) directly after `after`, before
// the line that followed it, if any.
void linkLinesAfter(SceneLine* after, const SceneDocument& lines) {
  SceneLine* successor = after->next;
  after->next = lines.first;
  lines.first->prev = after;
  lines.last->next = successor;
  if (successor) successor->prev = lines.last;
}

// Unlinks the lines strictly between `before` and `after` (both stay
// linked, now to one another) and gives them back with their texts.
void releaseLinesBetween(SceneLine* before, SceneLine* after) {
  SceneLine* first = before->next;
  if (first == after) return;
  after->prev->next = nullptr;
  before->next = after;
  after->prev = before;
  releaseLines(first);
}

}  // namespace

EditPlan::~EditPlan() {
  for (int i = 0; i < count_; ++i) {
    releaseLines(changes_[i].lines.first);
    sceneRelease(changes_[i].text);
  }
}

EditPlan::Change* EditPlan::addChange(ChangeKind kind, SceneLine* line) {
  if (count_ == MOST_CHANGES) {
    whole_ = false;
    return nullptr;
  }
  Change* change = &changes_[count_++];
  *change = Change{kind, line, nullptr, {nullptr, nullptr, 0}, nullptr};
  return change;
}

void EditPlan::insertAfter(SceneLine* anchor, SceneLine* line) {
  if (!line) {
    whole_ = false;
    return;
  }
  Change* change = nullptr;
  for (int i = 0; i < count_ && !change; ++i) {
    if (changes_[i].kind == ChangeKind::INSERT && changes_[i].line == anchor) change = &changes_[i];
  }
  if (!change) change = addChange(ChangeKind::INSERT, anchor);
  if (!change) {
    releaseLine(line);
    return;
  }
  appendLine(&change->lines, line);
}

void EditPlan::insertCopiesAfter(SceneLine* anchor, const SceneLine* first,
                                 const SceneLine* last) {
  for (const SceneLine* source = first;; source = source->next) {
    insertAfter(anchor, cloneLine(source));
    if (source == last) return;
  }
}

void EditPlan::replaceText(SceneLine* line, char* text) {
  if (!text) {
    whole_ = false;
    return;
  }
  Change* change = addChange(ChangeKind::REPLACE, line);
  if (!change) {
    sceneRelease(text);
    return;
  }
  change->text = text;
}

void EditPlan::removeBetween(SceneLine* before, SceneLine* after) {
  Change* change = addChange(ChangeKind::REMOVE, before);
  if (change) change->after = after;
}

bool EditPlan::apply(SceneDocument* document) {
  if (!whole_) return false;
  for (int i = 0; i < count_; ++i) {
    Change& change = changes_[i];
    switch (change.kind) {
      case ChangeKind::INSERT: {
        bool anchorWasLast = change.line->next == nullptr;
        linkLinesAfter(change.line, change.lines);
        if (anchorWasLast) document->last = change.lines.last;
        change.lines.first = nullptr;
        break;
      }
      case ChangeKind::REPLACE:
        sceneRelease(change.line->text);
        change.line->text = change.text;
        change.text = nullptr;
        break;
      case ChangeKind::REMOVE:
        releaseLinesBetween(change.line, change.after);
        break;
    }
  }
  count_ = 0;
  return true;
}
