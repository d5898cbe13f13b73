// Keys of an object's dissolve envelope: the "ObjDissolve (envelope)" list
// that follows the object's motion, made with its first key when the object
// has none.

#include "scene/allocation.h"
#include "scene/key_list.h"
#include "scene/number_text.h"
#include "scene/scene.h"
#include "scene/unlinked_lines.h"

namespace {

// Appends a key's value line and frame line to `chain`; false when one
// cannot be made.
bool appendDissolveKey(LineChain* chain, double value, std::int32_t frame) {
  return appendToChain(chain, lineOwningText(fixedLineText({value}))) &&
         appendToChain(chain, lineOwningText(decimalLineText({frame, 0, 0, 0, 0})));
}

// A new envelope holding one key at frame 0, linked in after the block's
// first "EndBehavior" line (the end of its motion).
bool addEnvelope(SceneLine* line, double value) {
  SceneLine* anchor = findLineBefore(line, findShadowOptions(line), "EndBehavior");
  // Without a following line the envelope would end the document, whose
  // `last` cannot be reached from here.
  if (!anchor || !anchor->next) return false;
  LineChain envelope = {nullptr, nullptr};
  bool made = appendToChain(&envelope, lineFromText("ObjDissolve (envelope)\n")) &&
              appendToChain(&envelope, lineFromText("  1\n")) &&
              appendToChain(&envelope, lineFromText("  1\n")) &&
              appendDissolveKey(&envelope, value, 0) &&
              appendToChain(&envelope, lineFromText("EndBehavior 1\n"));
  if (!made) {
    releaseChain(&envelope);
    return false;
  }
  linkChainAfter(anchor, &envelope);
  return true;
}

bool addKeyToEnvelope(KeyList envelope, double value, std::int32_t frame) {
  char* count = countText(&envelope, 1, false);
  if (!count) return false;
  LineChain key = {nullptr, nullptr};
  if (!appendDissolveKey(&key, value, frame)) {
    releaseChain(&key);
    sceneRelease(count);
    return false;
  }
  replaceCountText(&envelope, count);
  linkChainAfter(envelope.end->prev, &key);
  return true;
}

}  // namespace

bool addDissolveKey(SceneLine* line, double value, std::int32_t frame) {
  KeyList envelope;
  bool whole = findKeyList(line, "ObjDissolve", &envelope);
  if (!envelope.head) return addEnvelope(line, value);
  // A constant dissolve ("ObjDissolve 0.5") holds no keys to add to.
  if (compareKeyword(envelope.head->text, "ObjDissolve (envelope)") != 0) return false;
  return whole && addKeyToEnvelope(envelope, value, frame);
}
