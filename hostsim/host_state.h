// The stand-in host's inner state, shared by the files that implement its
// service tables. Not part of the library's interface: include hostsim.h.
//
// A HostSim owns one State. The State owns the service tables it hands out,
// the live panels and, through them, their controls. Panel services reach
// the current State (see currentHost); a control reaches its own State
// through its record, since the host hands it out with a back pointer.

#ifndef QUORVEL_HOSTSIM_HOST_STATE_H_
#define QUORVEL_HOSTSIM_HOST_STATE_H_

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "hostsim/hostsim.h"

namespace hostsim {

struct ControlRecord;
struct Panel;

// What the module holds as a PanelControl*. The table comes first, so a
// PanelControl* handed out by the host converts back to its Control.
struct Control {
  PanelControl table;
  ControlRecord* record;
};

// One control: its table, the state tests read and change, and its place.
struct ControlRecord {
  Control control;
  ControlState state;
  HostSim::State* host;
  std::string name;  // the label, or "control<N>" for an unlabelled control
};

// One panel; the PanelHandle the host hands out is its address.
struct Panel {
  std::string name;  // "panel<N>", numbered over the host's life
  std::string title;
  std::int32_t height = 0;
  std::vector<std::unique_ptr<ControlRecord>> controls;  // creation order
};

struct SceneItem {
  ItemId id;
  ItemSpec spec;
};

struct HostSim::State {
  State();

  // Service tables, answered by lookup.
  MessageServices messageServices{};
  ItemInfoServices itemInfoServices{};
  PanelServices panelServices{};
  PanelDrawTable drawTable{};
  void* objectInfoServices[4] = {};  // required by the module, never called
  void* sceneInfoServices[4] = {};   // required by the module, never called

  std::vector<SceneItem> items;
  std::map<std::string, std::string> directories;
  std::set<std::string> removedServices;

  bool createPanelFails = false;
  int addControlFailsAt = 0;  // 0: none fails
  int addControlCalls = 0;
  int panelsCreated = 0;
  bool textsUnterminated = false;

  std::vector<UserAction> script;
  std::vector<std::unique_ptr<Panel>> panels;  // live, in creation order
  int lastOpenResult = -1;

  bool logging = true;
  std::vector<std::string> calls;
  std::vector<Message> messages;

  std::uint64_t itemParamCalls = 0;
  std::function<void(std::uint64_t)> itemParamObserver;
  bool positionsNonFinite = false;

  void log(std::string line) {
    if (logging) calls.push_back(std::move(line));
  }
  // The live panel whose handle is `handle`, or null.
  Panel* livePanel(PanelHandle handle) const;
  // The record of a live control, or null when `control` is not one.
  ControlRecord* liveControl(const PanelControl* control) const;
};

// The current host's state, or null when no HostSim exists.
HostSim::State* currentHost();

// The record of a control handed out by the host. REQUIRES such a control.
inline ControlRecord& recordOf(PanelControl* control) {
  return *reinterpret_cast<Control*>(control)->record;
}

// --- Filling the tables (one function per file that implements them)
void fillMessageServices(MessageServices* table);
void fillItemInfoServices(ItemInfoServices* table);
void fillPanelServices(PanelServices* table, PanelDrawTable* drawTable);
void fillControlTable(PanelControl* table);
const char* directoryPath(const char* kind);

// Gives a new control its default geometry for its type name and label.
void setDefaultGeometry(ControlState* state);

// --- Rendering for the call log
// A text in double quotes, or null. Bytes below 32 and 127 are written as
// C escapes so that every call stays on one line.
std::string quoted(const char* text);
std::string quoted(const std::string& text);
// An attribute by its name in host.h, or its number when it has none.
std::string attributeText(std::int32_t attribute);
// "null", or a stand-in for a pointer that changes from run to run.
std::string pointerText(std::intptr_t pointer);
std::string functionText(std::intptr_t function);
// A panel by its name; "null", or "unknown" for a handle that is no live panel.
std::string panelText(const HostSim::State& host, PanelHandle panel);
// A control by its name; "null", or "unknown" for no live control.
std::string controlText(const HostSim::State& host, const PanelControl* control);
// The six words of a descriptor, e.g. [16, lookup, 0, 0, 0, 0].
std::string descriptorText(const ControlDescriptor* descriptor);
// An integer attribute's value as the log shows it.
std::string integerAttributeText(const HostSim::State& host, std::int32_t attribute,
                                 std::intptr_t value);

}  // namespace hostsim

#endif  // QUORVEL_HOSTSIM_HOST_STATE_H_
