#include "scene/unlinked_lines.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

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

char* formatText(const char* format, ...) {
  std::va_list values;
  va_start(values, format);
  std::va_list measured;
  va_copy(measured, values);
  int length = std::vsnprintf(nullptr, 0, format, measured);
  va_end(measured);
  char* text = nullptr;
  if (length >= 0) {
    text = static_cast<char*>(sceneAllocate(static_cast<std::size_t>(length) + 1, 1));
  }
  if (text) std::vsnprintf(text, static_cast<std::size_t>(length) + 1, format, values);
  va_end(values);
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

long long readDecimal(const char* text) { return std::strtoll(text, nullptr, 10); }
