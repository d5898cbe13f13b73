// How values appear in the host's call log: readable, one line per call, and
// the same from run to run (no addresses).

#include <cstdio>

#include "hostsim/host_state.h"

namespace hostsim {

namespace {

void appendEscaped(std::string* out, char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  if (c == '\n') {
    *out += "\\n";
  } else if (c == '\r') {
    *out += "\\r";
  } else if (c == '\t') {
    *out += "\\t";
  } else if (byte < 32 || byte == 127) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned>(byte));
    *out += escape;
  } else {
    *out += c;
  }
}

const char* attributeName(std::int32_t attribute) {
  switch (attribute) {
    case ATTR_X: return "ATTR_X";
    case ATTR_Y: return "ATTR_Y";
    case ATTR_W: return "ATTR_W";
    case ATTR_H: return "ATTR_H";
    case ATTR_VALUE: return "ATTR_VALUE";
    case ATTR_HOT_X: return "ATTR_HOT_X";
    case ATTR_HOT_Y: return "ATTR_HOT_Y";
    case ATTR_HOT_W: return "ATTR_HOT_W";
    case ATTR_HOT_H: return "ATTR_HOT_H";
    case ATTR_LABEL_WIDTH: return "ATTR_LABEL_WIDTH";
    case ATTR_USER_EVENT: return "ATTR_USER_EVENT";
    case ATTR_USER_DATA: return "ATTR_USER_DATA";
    case ATTR_PANEL: return "ATTR_PANEL";
    case ATTR_PANEL_SERVICES: return "ATTR_PANEL_SERVICES";
    default: return nullptr;
  }
}

// The null-terminated list of texts a choice descriptor points at.
std::string labelListText(std::intptr_t word) {
  if (word == 0) return "null";
  const char* const* labels = reinterpret_cast<const char* const*>(word);
  std::string text = "[";
  for (int i = 0; labels[i]; ++i) {
    if (i > 0) text += ", ";
    text += quoted(labels[i]);
  }
  return text + "]";
}

std::string descriptorWordText(const ControlDescriptor& descriptor, int index) {
  std::intptr_t word = descriptor.word[index];
  if (word != 0 && word == reinterpret_cast<std::intptr_t>(HostSim::lookup())) return "lookup";
  if (index == 1 && descriptor.word[0] == CONTROL_KIND_CHOICE) return labelListText(word);
  return std::to_string(word);
}

}  // namespace

std::string quoted(const char* text) {
  if (!text) return "null";
  return quoted(std::string(text));
}

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) appendEscaped(&out, c);
  return out + "\"";
}

std::string attributeText(std::int32_t attribute) {
  const char* name = attributeName(attribute);
  return name ? name : std::to_string(attribute);
}

std::string pointerText(std::intptr_t pointer) { return pointer ? "<pointer>" : "null"; }

std::string functionText(std::intptr_t function) { return function ? "<function>" : "null"; }

std::string panelText(const HostSim::State& host, PanelHandle panel) {
  if (!panel) return "null";
  Panel* live = host.livePanel(panel);
  return live ? live->name : "unknown";
}

std::string controlText(const HostSim::State& host, const PanelControl* control) {
  if (!control) return "null";
  ControlRecord* live = host.liveControl(control);
  return live ? live->name : "unknown";
}

std::string descriptorText(const ControlDescriptor* descriptor) {
  if (!descriptor) return "null";
  std::string text = "[";
  for (int i = 0; i < 6; ++i) {
    if (i > 0) text += ", ";
    text += descriptorWordText(*descriptor, i);
  }
  return text + "]";
}

std::string integerAttributeText(const HostSim::State& host, std::int32_t attribute,
                                 std::intptr_t value) {
  switch (attribute) {
    case ATTR_USER_EVENT: return functionText(value);
    case ATTR_USER_DATA: return pointerText(value);
    case ATTR_PANEL: return panelText(host, reinterpret_cast<PanelHandle>(value));
    case ATTR_PANEL_SERVICES:
      if (value == reinterpret_cast<std::intptr_t>(&host.panelServices)) return "services";
      return pointerText(value);
    default: return std::to_string(value);
  }
}

}  // namespace hostsim
