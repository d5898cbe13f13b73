#include "scene/edit_plan.h"

#include "scene/allocation.h"

EditPlan::~EditPlan() {
  for (int i = 0; i < count_; ++i) {
    releaseChain(&changes_[i].lines);
    sceneRelease(changes_[i].text);
  }
}

EditPlan::Change* EditPlan::addChange(ChangeKind kind, SceneLine* line) {
  if (count_ == MOST_CHANGES) {
    whole_ = false;
    return nullptr;
  }
  Change* change = &changes_[count_++];
  *change = Change{kind, line, nullptr, {nullptr, nullptr}, nullptr};
  return change;
}

void EditPlan::insertAfter(SceneLine* anchor, SceneLine* line) {
  if (!line) {
    whole_ = false;
    return;
  }
  for (int i = 0; i < count_; ++i) {
    if (changes_[i].kind == ChangeKind::Insert && changes_[i].line == anchor) {
      appendToChain(&changes_[i].lines, line);
      return;
    }
  }
  Change* change = addChange(ChangeKind::Insert, anchor);
  if (!change) {
    releaseLine(line);
    return;
  }
  appendToChain(&change->lines, line);
}

void EditPlan::replaceText(SceneLine* line, char* text) {
  if (!text) {
    whole_ = false;
    return;
  }
  Change* change = addChange(ChangeKind::Replace, line);
  if (!change) {
    sceneRelease(text);
    return;
  }
  change->text = text;
}

void EditPlan::removeBetween(SceneLine* before, SceneLine* after) {
  Change* change = addChange(ChangeKind::Remove, before);
  if (change) change->after = after;
}

void EditPlan::apply(SceneDocument* document) {
  for (int i = 0; i < count_; ++i) {
    Change& change = changes_[i];
    switch (change.kind) {
      case ChangeKind::Insert: {
        SceneLine* chainLast = change.lines.last;
        bool anchorWasLast = change.line->next == nullptr;
        linkChainAfter(change.line, &change.lines);
        if (anchorWasLast) document->last = chainLast;
        break;
      }
      case ChangeKind::Replace:
        sceneRelease(change.line->text);
        change.line->text = change.text;
        change.text = nullptr;
        break;
      case ChangeKind::Remove:
        releaseLinesBetween(change.line, change.after);
        break;
    }
  }
  count_ = 0;
}
