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

SceneLine* appendToChain(LineChain* chain, SceneLine* line) {
  if (!line) return nullptr;
  line->prev = chain->last;
  line->next = nullptr;
  if (chain->last) {
    chain->last->next = line;
  } else {
    chain->first = line;
  }
  chain->last = line;
  return line;
}

void releaseChain(LineChain* chain) {
  SceneLine* line = chain->first;
  while (line) {
    SceneLine* next = line->next;
    releaseLine(line);
    line = next;
  }
  chain->first = nullptr;
  chain->last = nullptr;
}

void linkChainAfter(SceneLine* after, LineChain* chain) {
  SceneLine* previous = after;
  SceneLine* line = chain->first;
  while (line) {
    SceneLine* next = line->next;
    insertLineAfter(previous, line);
    previous = line;
    line = next;
  }
  chain->first = nullptr;
  chain->last = nullptr;
}

void releaseLinesBetween(SceneLine* before, SceneLine* after) {
  SceneLine* line = before->next;
  before->next = after;
  after->prev = before;
  while (line != after) {
    SceneLine* next = line->next;
    releaseLine(line);
    line = next;
  }
}
