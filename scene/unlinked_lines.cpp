#include "scene/unlinked_lines.h"

#include <cstring>

#include "scene/allocation.h"

SceneLine* lineOwningText(char* text) {
  if (!text) return nullptr;
  SceneLine* line = newSceneLine();
  if (!line) {
    sceneRelease(text);
    return nullptr;
  }
  line->text = text;
  return line;
}

char* textOfBytes(const char* begin, std::size_t length) {
  char* text = static_cast<char*>(sceneAllocateUnfilled(length + 1));
  if (!text) return nullptr;
  std::memcpy(text, begin, length);
  text[length] = '\0';
  return text;
}

void releaseLine(SceneLine* line) {
  if (!line) return;
  sceneRelease(line->text);
  sceneRelease(line);
}

void releaseLines(SceneLine* first) {
  while (first) {
    SceneLine* next = first->next;
    releaseLine(first);
    first = next;
  }
}
