// The "LWPanelServices" table: panels, their controls in creation order, the
// drawing table, and the scripted user who works the panel while it is open.
//
// Every handle that comes in is checked against the live panels, so a stale
// or foreign handle is logged as "unknown" and refused instead of followed.

#include <algorithm>
#include <initializer_list>

#include "hostsim/host_state.h"

namespace hostsim {

namespace {

PanelHandle createPanel(const char* title, PanelServices* /*services*/) {
  HostSim::State* host = currentHost();
  if (!host) return nullptr;
  std::string call = "createPanel(" + quoted(title) + ") -> ";
  if (host->createPanelFails) {
    host->log(call + "null");
    return nullptr;
  }
  auto panel = std::make_unique<Panel>();
  panel->name = "panel" + std::to_string(++host->panelsCreated);
  panel->title = title ? title : "";
  host->log(call + panel->name);
  host->panels.push_back(std::move(panel));
  return host->panels.back().get();
}

void destroyPanel(PanelHandle panel) {
  HostSim::State* host = currentHost();
  if (!host) return;
  host->log("destroyPanel(" + panelText(*host, panel) + ")");
  auto live = std::find_if(host->panels.begin(), host->panels.end(),
                           [panel](const std::unique_ptr<Panel>& p) { return p.get() == panel; });
  if (live != host->panels.end()) host->panels.erase(live);
}

ControlRecord* controlOn(const Panel& panel, const std::string& label) {
  for (const std::unique_ptr<ControlRecord>& record : panel.controls) {
    if (record->state.label == label) return record.get();
  }
  return nullptr;
}

// Logs the user's action `line` and returns the control it acts on; null,
// logged as such, when the panel has no control labelled `label`.
ControlRecord* controlActedOn(HostSim::State* host, Panel* panel, const std::string& label,
                              const std::string& line) {
  ControlRecord* record = controlOn(*panel, label);
  host->log(record ? line : line + " -> no such control");
  return record;
}

// Sets the control's value as a user's change would: the value, then the
// control's user event with its user data.
void userSetsValue(HostSim::State* host, Panel* panel, const UserAction& action) {
  std::string line = "user: " + action.label + " = " + std::to_string(action.value);
  ControlRecord* record = controlActedOn(host, panel, action.label, line);
  if (!record) return;
  record->state.value = action.value;
  if (record->state.userEvent) {
    record->state.userEvent(&record->control.table, record->state.userData);
  }
}

void userTypesText(HostSim::State* host, Panel* panel, const UserAction& action) {
  std::string line = "user: " + action.label + " = " + quoted(action.text);
  ControlRecord* record = controlActedOn(host, panel, action.label, line);
  if (record) record->state.text = action.text;
}

// Plays the script on an open panel; returns 1 when it ends with OK, 0 when
// with cancel. A user event may destroy the panel: then the user can do
// nothing more and the panel counts as cancelled.
int playScript(HostSim::State* host, PanelHandle handle, std::vector<UserAction> script) {
  for (const UserAction& action : script) {
    Panel* panel = host->livePanel(handle);
    if (!panel) return 0;
    switch (action.kind) {
      case UserAction::Kind::SET_VALUE: userSetsValue(host, panel, action); break;
      case UserAction::Kind::SET_TEXT: userTypesText(host, panel, action); break;
      case UserAction::Kind::CLOSE_OK: host->log("user: OK"); return 1;
      case UserAction::Kind::CLOSE_CANCEL: host->log("user: cancel"); return 0;
    }
  }
  if (!host->livePanel(handle)) return 0;
  host->log("user: OK");
  return 1;
}

int openPanel(PanelHandle panel, std::int32_t flags) {
  HostSim::State* host = currentHost();
  if (!host) return 0;
  std::string call =
      "openPanel(" + panelText(*host, panel) + ", " + std::to_string(flags) + ") -> ";
  if (!host->livePanel(panel)) {
    host->log(call + "0");
    return 0;
  }
  std::size_t line = host->calls.size();
  host->log(call);
  std::vector<UserAction> script = std::move(host->script);
  host->script.clear();
  int result = playScript(host, panel, std::move(script));
  if (line < host->calls.size() && host->calls[line] == call) {
    host->calls[line] += std::to_string(result);
  }
  host->lastOpenResult = result;
  return result;
}

int setPanelAttr(PanelHandle panel, std::int32_t attribute, std::intptr_t* value) {
  HostSim::State* host = currentHost();
  if (!host) return 0;
  std::string name = attribute == PANEL_ATTR_H ? "PANEL_ATTR_H" : std::to_string(attribute);
  std::string call = "setPanelAttr(" + panelText(*host, panel) + ", " + name + ", " +
                     (value ? std::to_string(*value) : "null") + ")";
  Panel* live = host->livePanel(panel);
  if (!live || !value || attribute != PANEL_ATTR_H) {
    host->log(call + " -> refused");
    return 0;
  }
  host->log(call);
  live->height = static_cast<std::int32_t>(*value);
  return 1;
}

std::string controlName(const char* label, int serial) {
  if (label && *label) return label;
  return "control" + std::to_string(serial);
}

PanelControl* addControl(PanelHandle panel, const char* typeName, ControlDescriptor* descriptor,
                         const char* label) {
  HostSim::State* host = currentHost();
  if (!host) return nullptr;
  int serial = ++host->addControlCalls;
  std::string call = "addControl(" + panelText(*host, panel) + ", " + quoted(typeName) + ", " +
                     descriptorText(descriptor) + ", " + quoted(label) + ") -> ";
  Panel* live = host->livePanel(panel);
  if (!live || !typeName || !descriptor || serial == host->addControlFailsAt) {
    host->log(call + "null");
    return nullptr;
  }
  auto record = std::make_unique<ControlRecord>();
  fillControlTable(&record->control.table);
  record->control.record = record.get();
  record->host = host;
  record->name = controlName(label, serial);
  record->state.typeName = typeName;
  record->state.label = label ? label : "";
  record->state.descriptor = *descriptor;
  record->state.panel = panel;
  record->state.panelServices = &host->panelServices;
  setDefaultGeometry(&record->state);
  host->log(call + record->name);
  live->controls.push_back(std::move(record));
  return &live->controls.back()->control.table;
}

PanelControl* nextControl(PanelHandle panel, PanelControl* control) {
  HostSim::State* host = currentHost();
  if (!host) return nullptr;
  std::string call =
      "nextControl(" + panelText(*host, panel) + ", " + controlText(*host, control) + ") -> ";
  PanelControl* next = nullptr;
  if (Panel* live = host->livePanel(panel)) {
    bool returnNext = control == nullptr;
    for (const std::unique_ptr<ControlRecord>& record : live->controls) {
      if (returnNext) {
        next = &record->control.table;
        break;
      }
      returnNext = &record->control.table == control;
    }
  }
  host->log(call + controlText(*host, next));
  return next;
}

std::string numbers(std::initializer_list<std::int32_t> values) {
  std::string text;
  for (std::int32_t value : values) text += ", " + std::to_string(value);
  return text;
}

int drawLine(PanelHandle panel, std::int32_t colour, std::int32_t x1, std::int32_t y1,
             std::int32_t x2, std::int32_t y2) {
  HostSim::State* host = currentHost();
  if (!host) return 0;
  host->log("drawLine(" + panelText(*host, panel) + numbers({colour, x1, y1, x2, y2}) + ")");
  return host->livePanel(panel) ? 1 : 0;
}

int drawBox(PanelHandle panel, std::int32_t colour, std::int32_t x, std::int32_t y,
            std::int32_t width, std::int32_t height) {
  HostSim::State* host = currentHost();
  if (!host) return 0;
  host->log("drawBox(" + panelText(*host, panel) + numbers({colour, x, y, width, height}) + ")");
  return host->livePanel(panel) ? 1 : 0;
}

}  // namespace

void fillPanelServices(PanelServices* table, PanelDrawTable* drawTable) {
  drawTable->drawLine = &drawLine;
  drawTable->drawBox = &drawBox;
  table->createPanel = &createPanel;
  table->destroyPanel = &destroyPanel;
  table->openPanel = &openPanel;
  table->setPanelAttr = &setPanelAttr;
  table->addControl = &addControl;
  table->nextControl = &nextControl;
  table->drawTable = drawTable;
}

}  // namespace hostsim
