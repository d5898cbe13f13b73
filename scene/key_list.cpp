#include "scene/key_list.h"

#include <climits>

#include "scene/line_texts.h"
#include "scene/number_text.h"
#include "scene/unlinked_lines.h"

bool findKeyList(SceneLine* line, const char* headKeyword, KeyList* list) {
  list->head = nullptr;
  for (SceneLine* walk = line; walk; walk = walk->next) {
    if (compareKeyword(walk->text, "ShadowOptions") == 0) return false;
    if (!list->head) {
      if (compareKeyword(walk->text, headKeyword) == 0) list->head = walk;
    } else if (compareKeyword(walk->text, "EndBehavior") == 0) {
      list->end = walk;
      SceneLine* channels = list->head->next;
      if (channels == walk) return false;
      list->count = channels->next;
      return list->count != walk;
    } else if (walk->kind == LINE_OBJECT) {
      // A list that runs into an object line is cut short: its count and key
      // lines would be another object's, and rewriting them would change the
      // objects behind the classification's back.
      return false;
    }
  }
  return false;
}

bool holdsAKey(const KeyList* list) {
  return list->end->prev != list->count && list->end->prev->prev != list->count;
}

bool movedCount(const KeyList* list, long long added, bool restart, long long* count) {
  char argument[SCENE_BUFFER_SIZE];
  if (!lineArgument(list->count, argument)) return false;
  long long held = restart ? 0 : readDecimal(argument);
  // A count that cannot move by `added` is refused rather than wrapped.
  if (added > 0 ? held > LLONG_MAX - added : held < LLONG_MIN - added) return false;
  *count = held + added;
  return true;
}

void planCount(EditPlan* plan, const KeyList& list, long long count, const char* lineEnd) {
  plan->replaceText(list.count, decimalsLineText({count}, lineEnd));
}

void planListKey(EditPlan* plan, const KeyList& list, long long count, bool restart,
                 char* values, char* frameLine, const char* lineEnd) {
  if (restart) plan->removeBetween(list.count, list.end);
  SceneLine* anchor = restart ? list.count : list.end->prev;
  planCount(plan, list, count, lineEnd);
  plan->insertAfter(anchor, lineOwningText(values));
  plan->insertAfter(anchor, lineOwningText(frameLine));
}
