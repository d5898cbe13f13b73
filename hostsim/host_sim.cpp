// The HostSim object: its life as the current host, the service lookup, and
// the calls through which tests set up and inspect the host.

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "hostsim/host_state.h"

namespace hostsim {

namespace {

// Hosts alive, oldest first; the last one is current.
std::vector<HostSim::State*>& liveHosts() {
  static std::vector<HostSim::State*> hosts;
  return hosts;
}

// Aborts with a message: a test broke one of the host's REQUIRES clauses.
[[noreturn]] void requirementBroken(const char* what) {
  std::fprintf(stderr, "hostsim: %s\n", what);
  std::abort();
}

void* serviceNamed(HostSim::State& host, const std::string& name) {
  if (host.removedServices.count(name)) return nullptr;
  if (name == "Info Messages") return &host.messageServices;
  if (name == "LW Item Info") return &host.itemInfoServices;
  if (name == "LW Object Info") return host.objectInfoServices;
  if (name == "LW Scene Info") return host.sceneInfoServices;
  if (name == "Directory Info") return reinterpret_cast<void*>(&directoryPath);
  if (name == "LWPanelServices") return &host.panelServices;
  return nullptr;
}

void* lookupService(const char* serviceName, std::int32_t useCode) {
  HostSim::State* host = currentHost();
  if (!host) return nullptr;
  void* service = serviceName ? serviceNamed(*host, serviceName) : nullptr;
  host->log("lookup(" + quoted(serviceName) + ", " + std::to_string(useCode) + ") -> " +
            (service ? "found" : "null"));
  return service;
}

}  // namespace

HostSim::State* currentHost() {
  std::vector<HostSim::State*>& hosts = liveHosts();
  return hosts.empty() ? nullptr : hosts.back();
}

HostSim::State::State() {
  fillMessageServices(&messageServices);
  fillItemInfoServices(&itemInfoServices);
  fillPanelServices(&panelServices, &drawTable);
}

Panel* HostSim::State::livePanel(PanelHandle handle) const {
  for (const std::unique_ptr<Panel>& panel : panels) {
    if (panel.get() == handle) return panel.get();
  }
  return nullptr;
}

ControlRecord* HostSim::State::liveControl(const PanelControl* control) const {
  if (!control) return nullptr;
  for (const std::unique_ptr<Panel>& panel : panels) {
    for (const std::unique_ptr<ControlRecord>& record : panel->controls) {
      if (&record->control.table == control) return record.get();
    }
  }
  return nullptr;
}

UserAction userSetsValue(std::string label, std::intptr_t value) {
  UserAction action;
  action.kind = UserAction::Kind::SET_VALUE;
  action.label = std::move(label);
  action.value = value;
  return action;
}

UserAction userTypesText(std::string label, std::string text) {
  UserAction action;
  action.kind = UserAction::Kind::SET_TEXT;
  action.label = std::move(label);
  action.text = std::move(text);
  return action;
}

UserAction userClosesWithOk() {
  UserAction action;
  action.kind = UserAction::Kind::CLOSE_OK;
  return action;
}

UserAction userCancels() {
  UserAction action;
  action.kind = UserAction::Kind::CLOSE_CANCEL;
  return action;
}

HostSim::HostSim() : state_(std::make_unique<State>()) { liveHosts().push_back(state_.get()); }

HostSim::~HostSim() {
  std::vector<State*>& hosts = liveHosts();
  hosts.erase(std::remove(hosts.begin(), hosts.end(), state_.get()), hosts.end());
}

GlobalLookup HostSim::lookup() { return &lookupService; }

ItemId HostSim::addItem(ItemSpec item) {
  ItemId id = static_cast<ItemId>(state_->items.size() + 1);
  state_->items.push_back(SceneItem{id, std::move(item)});
  return id;
}

ItemId HostSim::itemNamed(const std::string& name) const {
  for (const SceneItem& item : state_->items) {
    if (item.spec.name == name) return item.id;
  }
  return 0;
}

void HostSim::setDirectory(const std::string& kind, const std::string& path) {
  state_->directories[kind] = path;
}

void HostSim::removeService(const std::string& serviceName) {
  state_->removedServices.insert(serviceName);
}

void HostSim::failCreatePanel() { state_->createPanelFails = true; }

void HostSim::failAddControlAt(int n) { state_->addControlFailsAt = n; }

void HostSim::copyTextsUnterminated(bool unterminated) {
  state_->textsUnterminated = unterminated;
}

void HostSim::scriptUser(std::vector<UserAction> actions) { state_->script = std::move(actions); }

PanelServices* HostSim::panelServices() { return &state_->panelServices; }

ControlState& HostSim::control(PanelControl* control) {
  ControlRecord* record = state_->liveControl(control);
  if (!record) requirementBroken("control(): not a live control");
  return record->state;
}

PanelControl* HostSim::controlLabelled(const std::string& label) {
  for (const std::unique_ptr<Panel>& panel : state_->panels) {
    for (const std::unique_ptr<ControlRecord>& record : panel->controls) {
      if (record->state.label == label) return &record->control.table;
    }
  }
  return nullptr;
}

int HostSim::livePanelCount() const { return static_cast<int>(state_->panels.size()); }

std::vector<PanelHandle> HostSim::livePanels() const {
  std::vector<PanelHandle> handles;
  for (const std::unique_ptr<Panel>& panel : state_->panels) handles.push_back(panel.get());
  return handles;
}

std::int32_t HostSim::panelHeight(PanelHandle panel) const {
  Panel* live = state_->livePanel(panel);
  if (!live) requirementBroken("panelHeight(): not a live panel");
  return live->height;
}

int HostSim::lastOpenResult() const { return state_->lastOpenResult; }

void HostSim::logCalls(bool on) { state_->logging = on; }

void HostSim::observeItemParam(std::function<void(std::uint64_t calls)> observer) {
  state_->itemParamObserver = std::move(observer);
}

void HostSim::answerNonFinitePositions() { state_->positionsNonFinite = true; }

const std::vector<std::string>& HostSim::calls() const { return state_->calls; }

std::vector<std::string> HostSim::callsTo(const std::string& operation) const {
  std::vector<std::string> matching;
  for (const std::string& call : state_->calls) {
    if (call.compare(0, operation.size(), operation) == 0 && call.size() > operation.size() &&
        call[operation.size()] == '(') {
      matching.push_back(call);
    }
  }
  return matching;
}

void HostSim::clearCalls() { state_->calls.clear(); }

const std::vector<Message>& HostSim::messages() const { return state_->messages; }

}  // namespace hostsim
