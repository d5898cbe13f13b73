// The searches inside object blocks: a block's motion, its end, its dissolve
// envelope and its parent line, and the objects whose parent has a number.

#include "scene/number_text.h"
#include "scene/scene.h"

SceneLine* findObjectMotion(SceneLine* from) { return findLine(from, "ObjectMotion"); }

SceneLine* findEndBehavior(SceneLine* from) { return findLine(from, "EndBehavior"); }

SceneLine* findObjDissolve(SceneLine* line) {
  return findLineBefore(line, findShadowOptions(line), "ObjDissolve");
}

SceneLine* findParentObject(SceneLine* from, SceneLine* stop) {
  return findLineBefore(from, stop, "ParentObject");
}

SceneLine* findShadowOptionsUpTo(SceneLine* from, SceneLine* last) {
  return findLineBefore(from, last->next, "ShadowOptions");
}

SceneLine* findChildObject(SceneLine* from, std::int32_t n, SceneLine* stop) {
  for (SceneLine* line = from; line;) {
    if (line->kind == LINE_OBJECT) {
      SceneLine* parent = findParentObject(line, findShadowOptions(line));
      if (parent) {
        char argument[SCENE_BUFFER_SIZE];
        if (!lineArgument(parent, argument)) return nullptr;
        if (readDecimal(argument) == n) return line;
      }
    }
    line = line->next;
    if (line == stop) return nullptr;
  }
  return nullptr;
}
