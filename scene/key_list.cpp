#include "scene/key_list.h"

#include <climits>

#include "scene/allocation.h"
#include "scene/number_text.h"
#include "scene/unlinked_lines.h"

bool keyListAt(SceneLine* head, SceneLine* stop, KeyList* list) {
  if (!head) return false;
  list->head = head;
  list->end = findLineBefore(head->next, stop, "EndBehavior");
  if (!list->end) return false;
  SceneLine* channels = head->next;
  if (channels == list->end) return false;
  list->count = channels->next;
  if (list->count == list->end) return false;
  // A list that runs into an object line is cut short: its count and key
  // lines would be another object's, and rewriting them would change the
  // objects behind the classification's back.
  for (const SceneLine* line = channels; line != list->end; line = line->next) {
    if (line->kind == LINE_OBJECT) return false;
  }
  return true;
}

int keyLines(const KeyList* list) {
  int lines = 0;
  for (const SceneLine* line = list->count->next; line != list->end; line = line->next) ++lines;
  return lines;
}

char* countText(const KeyList* list, long long added, bool restart) {
  char argument[SCENE_BUFFER_SIZE];
  if (!lineArgument(list->count, argument)) return nullptr;
  long long held = restart ? 0 : readDecimal(argument);
  // A count that cannot move by `added` is refused rather than wrapped.
  if (added > 0 ? held > LLONG_MAX - added : held < LLONG_MIN - added) return nullptr;
  return decimalLineText({held + added});
}

void replaceCountText(KeyList* list, char* text) {
  sceneRelease(list->count->text);
  list->count->text = text;
}
