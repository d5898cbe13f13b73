// New objects and copies of objects in the layout of the scene's version,
// placed after the last object so that no object number or ID changes.

#include <cstring>
#include <string_view>

#include "scene/edit_plan.h"
#include "scene/line_texts.h"
#include "scene/number_text.h"
#include "scene/object_block.h"
#include "scene/object_extent.h"
#include "scene/scene_format.h"
#include "scene/statements.h"
#include "scene/unlinked_lines.h"
#include "scene/version_edits.h"

namespace {

constexpr int CHANNELS = 9;
constexpr int FIRST_SCALE_CHANNEL = 6;

// The value of a channel at rest: 1 for the scale channels, else 0.
const char* restValue(int channel) { return channel >= FIRST_SCALE_CHANNEL ? "1" : "0"; }

// Plans the lines of a new object's block after `place`, one after another.
class BlockWriter {
 public:
  BlockWriter(EditPlan* plan, SceneLine* place, const char* lineEnd)
      : plan_(plan), place_(place), lineEnd_(lineEnd) {}

  // Plans the line of `parts`; returns it (owned by the plan), null when it
  // could not be made.
  SceneLine* line(std::initializer_list<std::string_view> parts) {
    SceneLine* made = joinedLine(parts, lineEnd_);
    plan_->insertAfter(place_, made);
    return made;
  }

 private:
  EditPlan* plan_;
  SceneLine* place_;
  const char* lineEnd_;
};

// Version 2: one TCB key at time 0 per channel, constant before and after.
void writeVersion2Motion(BlockWriter* block) {
  block->line({"ObjectMotion (unnamed)"});
  block->line({"  9"});
  for (int channel = 0; channel < CHANNELS; ++channel) {
    block->line({"  1"});
    block->line({"  ", restValue(channel), " 0 2 0 0 0"});
  }
  block->line({"Pre/PostBehavior 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1"});
}

// Versions 3 to 5: one TCB key at time 0 per channel's envelope.
void writeVersion3Motion(BlockWriter* block) {
  block->line({"ShowObject 6 7"});
  block->line({"ObjectMotion"});
  block->line({"NumChannels 9"});
  for (int channel = 0; channel < CHANNELS; ++channel) {
    block->line({"Channel ", NumberWord::decimal(channel).view()});
    block->line({"{ Envelope"});
    block->line({"  1"});
    block->line({"  Key ", restValue(channel), " 0 0 0 0 0 0 0 0"});
    block->line({"  Behaviors 1 1"});
    block->line({"}"});
  }
  for (const char* text : {"", "ShadowOptions 7", ""}) block->line({text});
}

// The object line of a new object in `version` (from 2); `null` for a null
// object named `name`, else an object loaded from the path `name`.
SceneLine* writeObjectLine(BlockWriter* block, int version, bool null, std::string_view name,
                           std::uint32_t id) {
  NumberWord idWord = NumberWord::itemId(id);
  std::string_view idPart = version >= FIRST_VERSION_WITH_OBJECT_IDS ? idWord.view() : "";
  std::string_view idBlank = idPart.empty() ? "" : " ";
  if (null) return block->line({"AddNullObject ", idPart, idBlank, name});
  if (version == 2) return block->line({"LoadObject ", name});
  return block->line({"LoadObjectLayer 1 ", idPart, idBlank, name});
}

EditResult addObject(SceneDocument* document, bool null, const char* name) {
  int version = 0;
  EditResult known = versionOf(document, &version);
  if (known.status != EDIT_DONE) return known;
  SceneLine* place = newObjectPlace(document, version);
  if (!place) return {EDIT_NO_PLACE_FOR_OBJECT, nullptr, nullptr};
  std::size_t index = objectIndexOf(document, nullptr);

  EditPlan plan;
  const char* lineEnd = lineEndOf(document);
  SceneLine* objectLine = nullptr;
  if (version == 1) {
    // The block of scene.h's addNullObject and addLoadObject.
    objectLine =
        planDefaultBlock(&plan, place, null ? "AddNullObject " : "LoadObject ", name, lineEnd);
  } else {
    BlockWriter block(&plan, place, lineEnd);
    objectLine = writeObjectLine(&block, version, null, name, objectIdOf(index));
    if (version == 2) {
      writeVersion2Motion(&block);
    } else {
      writeVersion3Motion(&block);
    }
  }
  if (!plan.apply(document)) return {EDIT_OUT_OF_MEMORY, nullptr, nullptr};
  classifyLines(document);
  return {EDIT_DONE, objectLine, nullptr};
}

// The text of `source`'s object line with the ID word replaced by `id`.
char* objectLineWithId(const SceneLine* source, std::uint32_t id) {
  constexpr int MOST_WORDS = 3;
  Word words[MOST_WORDS];
  lineWords(source, words, MOST_WORDS);
  Word old = words[objectIdWord(source)];
  std::string_view text = source->text;
  std::size_t before = static_cast<std::size_t>(old.begin - source->text);
  return joinedLineText(
      {text.substr(0, before), NumberWord::itemId(id).view(), text.substr(before + old.length)},
      "");
}

}  // namespace

EditResult addNullObjectInVersion(SceneDocument* document, const char* name) {
  return addObject(document, true, name);
}

EditResult addLoadObjectInVersion(SceneDocument* document, const char* path) {
  return addObject(document, false, path);
}

EditResult copyObjectInVersion(SceneDocument* document, SceneLine* source) {
  int version = 0;
  EditResult known = versionOf(document, &version);
  if (known.status != EDIT_DONE) return known;
  if (!isObjectStatement(source)) return {EDIT_NOT_AN_OBJECT, source, nullptr};
  ObjectExtent extent = objectExtentOf(source, version);
  if (extent.firstBone) return {EDIT_OBJECT_HAS_BONES, extent.firstBone, nullptr};
  std::uint32_t sourceId = 0;
  bool withId = version >= FIRST_VERSION_WITH_OBJECT_IDS && objectIdWord(source) >= 0;
  if (withId && !objectLineId(source, &sourceId)) {
    return {EDIT_UNREADABLE_LINE, source, "the object's item ID (eight hex digits)"};
  }
  SceneLine* place = newObjectPlace(document, version);
  if (!place) return {EDIT_NO_PLACE_FOR_OBJECT, nullptr, nullptr};

  EditPlan plan;
  SceneLine* copy = lineOwningText(
      withId ? objectLineWithId(source, objectIdOf(objectIndexOf(document, nullptr)))
             : copyText(source->text));
  plan.insertAfter(place, copy);
  if (extent.last != source) plan.insertCopiesAfter(place, source->next, extent.last);
  if (!plan.apply(document)) return {EDIT_OUT_OF_MEMORY, nullptr, nullptr};
  classifyLines(document);
  return {EDIT_DONE, copy, nullptr};
}
