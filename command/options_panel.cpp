// The command's options panel: six controls that choose the item, the target
// (an object, or the scene's first camera), the last frame, the frame step and
// the envelope file; read back when the user closes the panel with OK.

#include <cstdio>
#include <cstring>

#include "command/allocation.h"
#include "command/command.h"
#include "panel_layout/panel_layout.h"

namespace {

// What the host hands back to onTargetKindChanged while the panel is open.
struct PanelContext {
  PanelServices* panelServices;
  PanelHandle panel;
  PanelControl* choiceControl;
  PanelControl* itemList;
  PanelControl* targetList;
};

// The six controls, in creation order.
struct PanelControls {
  PanelControl* item;
  PanelControl* target;
  PanelControl* envelopePath;
  PanelControl* lastFrame;
  PanelControl* frameStep;
  PanelControl* targetKind;
};

// What the user chose.
struct PanelChoices {
  ItemId item;
  ItemId target;
  std::int32_t lastFrame;
  std::int32_t frameStep;
  std::intptr_t targetKind;
};

constexpr char PANEL_TITLE[] = "Quorvel  ver.1.0  by Nemra";
#if defined(_WIN32)
constexpr char PATH_SEPARATOR = '\\';
#else
constexpr char PATH_SEPARATOR = '/';
#endif
constexpr std::int32_t FIELD_COLUMN = 100;
constexpr std::int32_t SECOND_FIELD_COLUMN = 250;
constexpr std::int32_t PANEL_ROWS = 7;
constexpr std::int32_t OPEN_PANEL_FLAGS = 7;
constexpr std::intptr_t TARGET_KIND_CAMERA = 1;
constexpr std::intptr_t TEXT_FIELD_WIDTH = 30;

// The records every value and description passes through. Shared with
// onTargetKindChanged, which runs only while runOptionsPanel waits in
// openPanel.
ControlValue commandValue = {.integer = {VALUE_INTEGER, 0}};
ControlValue commandText = {.string = {VALUE_STRING, nullptr, 0}};
ControlDescriptor commandDescriptor = {};

void showPanelError() { commandServices.messages->errorMessage("Error", "Unable to create panel"); }

void setInteger(PanelControl* control, std::int32_t attribute, std::intptr_t value) {
  commandValue.integer.value = value;
  control->setAttr(control, attribute, &commandValue);
}

std::intptr_t readValue(PanelControl* control) {
  control->getAttr(control, ATTR_VALUE, &commandValue);
  return commandValue.integer.value;
}

// Adds the six controls; only the descriptor words each one needs are
// written, the rest keep what the control before left. False when the host
// refused one, and then no later control is added.
bool addControls(PanelServices* panels, PanelHandle panel, GlobalLookup lookup,
                 const char** targetKindLabels, PanelControls* controls) {
  std::intptr_t* word = commandDescriptor.word;
  const std::intptr_t itemListWords[6] = {CONTROL_KIND_ITEM_LIST,
                                          reinterpret_cast<std::intptr_t>(lookup), 0, 0, 0, 0};
  std::memcpy(word, itemListWords, sizeof itemListWords);
  if (!(controls->item = panels->addControl(panel, "LWListControl", &commandDescriptor, "Item")))
    return false;
  std::memcpy(word, itemListWords, sizeof itemListWords);
  if (!(controls->target = panels->addControl(panel, "LWListControl", &commandDescriptor, "Target")))
    return false;
  word[0] = CONTROL_KIND_TEXT;
  word[1] = TEXT_FIELD_WIDTH;
  if (!(controls->envelopePath =
            panels->addControl(panel, "FileControl", &commandDescriptor, "env_name")))
    return false;
  word[0] = CONTROL_KIND_INTEGER;
  if (!(controls->lastFrame = panels->addControl(panel, "NumControl", &commandDescriptor, "Max Frame")))
    return false;
  word[0] = CONTROL_KIND_INTEGER;
  if (!(controls->frameStep =
            panels->addControl(panel, "NumControl", &commandDescriptor, "Frame Step")))
    return false;
  word[0] = CONTROL_KIND_CHOICE;
  word[1] = reinterpret_cast<std::intptr_t>(targetKindLabels);
  word[2] = 0;
  controls->targetKind = panels->addControl(panel, "ChoiceControl", &commandDescriptor, "TargetVar");
  return controls->targetKind != nullptr;
}

void layOutControls(PanelServices* panels, PanelHandle panel, const PanelControls& controls) {
  placeControl(controls.item, FIELD_COLUMN, 0);
  placeControl(controls.targetKind, FIELD_COLUMN, 2);
  placeControl(controls.target, FIELD_COLUMN, 3);
  placeControl(controls.envelopePath, FIELD_COLUMN, 5);
  placeControl(controls.lastFrame, FIELD_COLUMN, 6);
  placeControl(controls.frameStep, SECOND_FIELD_COLUMN, 6);
  setPanelRows(panels, panel, PANEL_ROWS);
}

void setInitialValues(const PanelControls& controls) {
  setInteger(controls.item, ATTR_VALUE, 0);
  setInteger(controls.target, ATTR_VALUE, 0);
  setInteger(controls.lastFrame, ATTR_VALUE, PANEL_LAST_FRAME);
  setInteger(controls.frameStep, ATTR_VALUE, PANEL_FRAME_STEP);
  setInteger(controls.targetKind, ATTR_VALUE, 0);
}

// "quorvel.env" in the host's envelopes directory; the bare file name when
// the host names no directory or the joined path would not fit `path`.
void makeDefaultPath(char (&path)[PANEL_PATH_CAPACITY]) {
  const char* directory = commandServices.directoryPath("Envelopes");
  int length = -1;
  if (directory) {
    length = std::snprintf(path, PANEL_PATH_CAPACITY, "%s%c%s", directory, PATH_SEPARATOR,
                           PANEL_ENVELOPE_NAME);
  }
  if (length < 0 || static_cast<std::size_t>(length) >= PANEL_PATH_CAPACITY) {
    std::snprintf(path, PANEL_PATH_CAPACITY, "%s", PANEL_ENVELOPE_NAME);
  }
}

void setPathValue(PanelControl* control, char (&path)[PANEL_PATH_CAPACITY]) {
  commandText.string.text = path;
  commandText.string.length = static_cast<std::int32_t>(std::strlen(path));
  control->setAttr(control, ATTR_VALUE, &commandText);
}

// The host copies the text into `path`; it is terminated here whatever the
// host copied.
void readPathValue(PanelControl* control, char (&path)[PANEL_PATH_CAPACITY]) {
  commandText.string.text = path;
  commandText.string.length = static_cast<std::int32_t>(PANEL_PATH_CAPACITY);
  control->getAttr(control, ATTR_VALUE, &commandText);
  path[PANEL_PATH_CAPACITY - 1] = '\0';
}

PanelChoices readChoices(const PanelControls& controls, char (&path)[PANEL_PATH_CAPACITY]) {
  PanelChoices choices;
  choices.item = static_cast<ItemId>(readValue(controls.item));
  choices.target = static_cast<ItemId>(readValue(controls.target));
  choices.lastFrame = static_cast<std::int32_t>(readValue(controls.lastFrame));
  choices.frameStep = static_cast<std::int32_t>(readValue(controls.frameStep));
  readPathValue(controls.envelopePath, path);
  choices.targetKind = readValue(controls.targetKind);
  return choices;
}

void registerTargetKindEvent(PanelControl* choiceControl, PanelContext* context) {
  setInteger(choiceControl, ATTR_USER_DATA, reinterpret_cast<std::intptr_t>(context));
  setInteger(choiceControl, ATTR_USER_EVENT, reinterpret_cast<std::intptr_t>(&onTargetKindChanged));
}

// Shows the panel and, when the user closes it with OK, writes the envelope.
void runOpenPanel(PanelServices* panels, PanelHandle panel, const PanelControls& controls,
                  char (&path)[PANEL_PATH_CAPACITY]) {
  if (panels->openPanel(panel, OPEN_PANEL_FLAGS) == 0) return;  // cancelled
  PanelChoices choices = readChoices(controls, path);
  if (choices.targetKind == TARGET_KIND_CAMERA) {
    choices.target = commandServices.itemInfo->firstItem(ITEM_CAMERA, 0);
  }
  if (choices.item != 0 && choices.target != 0) {
    writeEnvelope(choices.item, choices.target, path, choices.lastFrame, choices.frameStep);
  }
}

}  // namespace

void runOptionsPanel(PanelServices* panels, GlobalLookup lookup) {
  const char* targetKindLabels[] = {"Object", "Camera", nullptr};
  char path[PANEL_PATH_CAPACITY];
  PanelHandle panel = panels->createPanel(PANEL_TITLE, panels);
  if (!panel) {
    showPanelError();
    return;
  }
  PanelControls controls = {};
  if (!addControls(panels, panel, lookup, targetKindLabels, &controls)) {
    panels->destroyPanel(panel);
    showPanelError();
    return;
  }
  layOutControls(panels, panel, controls);
  setInitialValues(controls);
  makeDefaultPath(path);
  setPathValue(controls.envelopePath, path);

  auto* context = static_cast<PanelContext*>(commandAllocate(sizeof(PanelContext)));
  if (!context) {
    commandServices.messages->errorMessage("Couldn't allocate memory !!", nullptr);
    panels->destroyPanel(panel);
    return;
  }
  *context = {panels, panel, controls.targetKind, controls.item, controls.target};
  registerTargetKindEvent(controls.targetKind, context);
  runOpenPanel(panels, panel, controls, path);
  panels->destroyPanel(panel);
  commandRelease(context);
}

void onTargetKindChanged(PanelControl* control, void* userData) {
  auto* context = static_cast<PanelContext*>(userData);
  std::intptr_t kind = readValue(control);
  PanelControl* targetList = context->targetList;
  targetList->drawControl(targetList, kind == 0 ? DRAW_NORMAL : DRAW_GHOSTED);
}
