// A control's own table: drawing, and reading and writing its attributes
// through a ControlValue record.
//
// The host writes only the payload of the record it is given, and only when
// the record's type word matches the attribute: an integer attribute needs a
// VALUE_INTEGER record, a text control's value a VALUE_STRING record. Any
// other request is logged as refused and changes nothing.

#include <algorithm>
#include <cstring>

#include "hostsim/host_state.h"

namespace hostsim {

namespace {

constexpr std::int32_t CONTROL_HEIGHT = 20;

std::int32_t fieldWidth(const std::string& typeName) {
  if (typeName == "LWListControl") return 150;
  if (typeName == "FileControl") return 240;
  if (typeName == "NumControl") return 64;
  if (typeName == "ChoiceControl") return 120;
  return 100;
}

bool holdsText(const ControlState& state) { return state.descriptor.word[0] == CONTROL_KIND_TEXT; }

// The integer attribute `attribute` of a control, or false when there is none.
bool readInteger(const ControlState& state, std::int32_t attribute, std::intptr_t* value) {
  switch (attribute) {
    case ATTR_X: *value = state.x; return true;
    case ATTR_Y: *value = state.y; return true;
    case ATTR_W: *value = state.w; return true;
    case ATTR_H: *value = state.h; return true;
    case ATTR_VALUE: *value = state.value; return true;
    case ATTR_HOT_X: *value = state.hotX; return true;
    case ATTR_HOT_Y: *value = state.hotY; return true;
    case ATTR_HOT_W: *value = state.hotW; return true;
    case ATTR_HOT_H: *value = state.hotH; return true;
    case ATTR_LABEL_WIDTH: *value = state.labelWidth; return true;
    case ATTR_USER_EVENT: *value = reinterpret_cast<std::intptr_t>(state.userEvent); return true;
    case ATTR_USER_DATA: *value = reinterpret_cast<std::intptr_t>(state.userData); return true;
    case ATTR_PANEL: *value = reinterpret_cast<std::intptr_t>(state.panel); return true;
    case ATTR_PANEL_SERVICES:
      *value = reinterpret_cast<std::intptr_t>(state.panelServices);
      return true;
    default: return false;
  }
}

// `edge` moved by the change from `from` to `to`, worked out in 64 bits and
// wrapped to 32 like the host's own coordinates, so no move can overflow.
std::int32_t moved(std::int32_t edge, std::int32_t from, std::int32_t to) {
  return static_cast<std::int32_t>(std::int64_t{edge} + to - from);
}

// Sets a geometry attribute; the hot rectangle moves and stretches with the
// control and its label.
void setGeometry(ControlState* state, std::int32_t attribute, std::int32_t value) {
  switch (attribute) {
    case ATTR_X: state->hotX = moved(state->hotX, state->x, value); state->x = value; break;
    case ATTR_Y: state->hotY = moved(state->hotY, state->y, value); state->y = value; break;
    case ATTR_W: state->hotW = moved(state->hotW, state->w, value); state->w = value; break;
    case ATTR_H: state->hotH = moved(state->hotH, state->h, value); state->h = value; break;
    case ATTR_LABEL_WIDTH:
      state->hotX = moved(state->hotX, state->labelWidth, value);
      state->hotW = moved(state->hotW, value, state->labelWidth);
      state->labelWidth = value;
      break;
    case ATTR_HOT_X: state->hotX = value; break;
    case ATTR_HOT_Y: state->hotY = value; break;
    case ATTR_HOT_W: state->hotW = value; break;
    case ATTR_HOT_H: state->hotH = value; break;
    default: break;
  }
}

// Writes the integer attribute `attribute`; false when it cannot be written.
bool writeInteger(ControlState* state, std::int32_t attribute, std::intptr_t value) {
  switch (attribute) {
    case ATTR_VALUE: state->value = value; return true;
    case ATTR_USER_EVENT:
      state->userEvent = reinterpret_cast<UserEventFunction>(value);
      return true;
    case ATTR_USER_DATA: state->userData = reinterpret_cast<void*>(value); return true;
    case ATTR_X: case ATTR_Y: case ATTR_W: case ATTR_H: case ATTR_LABEL_WIDTH:
    case ATTR_HOT_X: case ATTR_HOT_Y: case ATTR_HOT_W: case ATTR_HOT_H:
      setGeometry(state, attribute, static_cast<std::int32_t>(value));
      return true;
    default: return false;  // ATTR_PANEL, ATTR_PANEL_SERVICES and unknown codes
  }
}

std::string recordText(const ControlValue& value) {
  return "<record of type " + std::to_string(value.type) + ">";
}

void drawControl(PanelControl* control, std::int32_t drawMode) {
  ControlRecord& record = recordOf(control);
  record.host->log("drawControl(" + record.name + ", " + std::to_string(drawMode) + ")");
  record.state.drawMode = drawMode;
}

// Copies the text into the caller's buffer of capacity `length`: terminated
// within the capacity (truncating), or, in the unterminated test mode, as
// many bytes as fit and no NUL.
int getText(ControlRecord& record, const std::string& call, StringValue* value) {
  if (!value->text || value->length <= 0) {
    record.host->log(call + " -> refused");
    return 0;
  }
  std::size_t capacity = static_cast<std::size_t>(value->length);
  const std::string& text = record.state.text;
  std::size_t room = record.host->textsUnterminated ? capacity : capacity - 1;
  std::size_t count = std::min(text.size(), room);
  std::memcpy(value->text, text.data(), count);
  if (!record.host->textsUnterminated) value->text[count] = '\0';
  record.host->log(call + " -> " + quoted(text.substr(0, count)));
  return 1;
}

// Takes `length` bytes from the caller's text, up to a NUL among them.
int setText(ControlRecord& record, const std::string& call, const StringValue& value) {
  if (value.length < 0 || (!value.text && value.length > 0)) {
    record.host->log(call + "<bad text>) -> refused");
    return 0;
  }
  std::size_t length = static_cast<std::size_t>(value.length);
  const void* end = length ? std::memchr(value.text, '\0', length) : nullptr;
  if (end) length = static_cast<std::size_t>(static_cast<const char*>(end) - value.text);
  record.state.text.assign(value.text ? value.text : "", length);
  record.host->log(call + quoted(record.state.text) + ")");
  return 1;
}

int getAttr(PanelControl* control, std::int32_t attribute, ControlValue* value) {
  ControlRecord& record = recordOf(control);
  std::string call = "getAttr(" + record.name + ", " + attributeText(attribute) + ")";
  if (value && attribute == ATTR_VALUE && holdsText(record.state) &&
      value->type == VALUE_STRING) {
    return getText(record, call, &value->string);
  }
  std::intptr_t integer = 0;
  bool textValue = attribute == ATTR_VALUE && holdsText(record.state);
  if (!value || textValue || value->type != VALUE_INTEGER ||
      !readInteger(record.state, attribute, &integer)) {
    record.host->log(call + " -> refused");
    return 0;
  }
  value->integer.value = integer;
  record.host->log(call + " -> " + integerAttributeText(*record.host, attribute, integer));
  return 1;
}

int setAttr(PanelControl* control, std::int32_t attribute, ControlValue* value) {
  ControlRecord& record = recordOf(control);
  std::string call = "setAttr(" + record.name + ", " + attributeText(attribute) + ", ";
  if (!value) {
    record.host->log(call + "null) -> refused");
    return 0;
  }
  bool textValue = attribute == ATTR_VALUE && holdsText(record.state);
  if (textValue && value->type == VALUE_STRING) return setText(record, call, value->string);
  if (textValue || value->type != VALUE_INTEGER) {
    record.host->log(call + recordText(*value) + ") -> refused");
    return 0;
  }
  std::intptr_t integer = value->integer.value;
  call += integerAttributeText(*record.host, attribute, integer) + ")";
  if (!writeInteger(&record.state, attribute, integer)) {
    record.host->log(call + " -> refused");
    return 0;
  }
  record.host->log(call);
  return 1;
}

}  // namespace

void fillControlTable(PanelControl* table) {
  table->drawControl = &drawControl;
  table->getAttr = &getAttr;
  table->setAttr = &setAttr;
}

void setDefaultGeometry(ControlState* state) {
  state->labelWidth = LABEL_CHARACTER_WIDTH * static_cast<std::int32_t>(state->label.size());
  state->w = state->labelWidth + fieldWidth(state->typeName);
  state->h = CONTROL_HEIGHT;
  state->hotX = state->x + state->labelWidth;
  state->hotY = state->y;
  state->hotW = state->w - state->labelWidth;
  state->hotH = state->h;
}

}  // namespace hostsim
