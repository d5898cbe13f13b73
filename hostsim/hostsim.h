// The stand-in host: an in-process implementation of every host service the
// module uses, so that the real module can run headless and be tested.
//
// A HostSim holds a scene (items with positions over time), a set of panels
// and controls, the directories it answers, the messages shown and a log of
// every call made into it. Only one HostSim may be current at a time: the
// service tables it hands out are plain C tables whose functions reach the
// current instance. Constructing a HostSim makes it current; destroying it
// clears that. Everything runs on the calling thread.

#ifndef QUORVEL_HOSTSIM_HOSTSIM_H_
#define QUORVEL_HOSTSIM_HOSTSIM_H_

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/host.h"
#include "scene_eval/scene_eval.h"

namespace hostsim {

// The host serves the items of an evaluated scene, so its interface speaks of
// them in the evaluation's own terms.
using scene_eval::ItemKind;
using scene_eval::ItemSpec;
using scene_eval::PositionFunction;
using scene_eval::Vector3;

// A message shown through errorMessage. `line2` holds no value when null was
// passed; `line1` is empty when null was passed.
struct Message {
  std::string line1;
  std::optional<std::string> line2;
  bool operator==(const Message&) const = default;
};

// What the user does while openPanel runs, in order. The panel closes after
// the last action with OK, unless an action closed it before. Actions name
// controls of the panel being opened by label; an action on a label the panel
// lacks is logged ("user: Nope = 3 -> no such control") and skipped.
struct UserAction {
  enum class Kind { SET_VALUE, SET_TEXT, CLOSE_OK, CLOSE_CANCEL };
  Kind kind = Kind::CLOSE_OK;
  std::string label;        // the control acted on, by label
  std::intptr_t value = 0;  // SET_VALUE: the new integer value
  std::string text;         // SET_TEXT: the new text
};

// Sets a control's integer value, then fires its user event (when one is
// registered) as a user's change would.
UserAction userSetsValue(std::string label, std::intptr_t value);
// Types a text into a control (no user event).
UserAction userTypesText(std::string label, std::string text);
UserAction userClosesWithOk();
UserAction userCancels();

// Everything the host keeps about one control. Tests may read and change it.
//
// A new control is H 20 high and label width + a field width wide; the field
// width depends on the type name ("LWListControl" 150, "FileControl" 240,
// "NumControl" 64, "ChoiceControl" 120, any other 100). The hot rectangle is
// the field: (x + labelWidth, y, w - labelWidth, h). Setting X, Y, W, H or the
// label width moves or resizes the hot rectangle by the same amount. A
// control whose descriptor kind is CONTROL_KIND_TEXT holds its value in
// `text`; every other control in `value`.
struct ControlState {
  std::string typeName;
  std::string label;
  ControlDescriptor descriptor{};  // as received by addControl
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
  std::int32_t labelWidth = 0;
  std::int32_t hotX = 0;
  std::int32_t hotY = 0;
  std::int32_t hotW = 0;
  std::int32_t hotH = 0;
  std::intptr_t value = 0;  // integer value (item id, number, choice index)
  std::string text;         // text value of a text control
  UserEventFunction userEvent = nullptr;
  void* userData = nullptr;
  PanelHandle panel = nullptr;               // what ATTR_PANEL reports
  PanelServices* panelServices = nullptr;    // what ATTR_PANEL_SERVICES reports
  std::int32_t drawMode = 0;                 // last drawControl mode, 0 before any
};

// Width of one character of a label, in panel units: a label's width is its
// length times this.
inline constexpr std::int32_t LABEL_CHARACTER_WIDTH = 8;

class HostSim {
 public:
  HostSim();
  ~HostSim();
  HostSim(const HostSim&) = delete;
  HostSim& operator=(const HostSim&) = delete;

  // The host's lookup function, answering for the current HostSim (null for
  // every name when there is none): "Info Messages", "LW Item Info",
  // "LW Object Info", "LW Scene Info" (tables never to be called),
  // "Directory Info" (a DirectoryPathFunction) and "LWPanelServices". Unknown
  // and removed names answer null. Each call is logged.
  static GlobalLookup lookup();

  // --- Scene
  // Adds an item; returns its id (never 0). Ids are handed out in order from
  // 1. firstItem(type, 0) answers the first item added whose kind's code is
  // `type`; itemParam(id, PARAM_WORLD_POSITION, seconds, xyz) answers the
  // item's worldPosition(seconds), zeros for an unknown item or parameter or
  // an item without a position function. A bone's position is never served:
  // it is not a number, so that a module's bake of it ends unwritten.
  ItemId addItem(ItemSpec item);
  // The id of the item named `name`, or 0.
  ItemId itemNamed(const std::string& name) const;

  // --- Directory Info: the path answered for a kind; unset kinds answer null.
  // A path answered stays valid until the kind is set again.
  void setDirectory(const std::string& kind, const std::string& path);

  // --- Failures for tests
  // Lookup answers null for `serviceName` from now on.
  void removeService(const std::string& serviceName);
  // Every later createPanel returns null.
  void failCreatePanel();
  // The Nth addControl call (counted from 1 over this host's life) returns null.
  void failAddControlAt(int n);
  // When true, getAttr of a text copies min(text length, capacity) bytes and
  // no NUL, so a caller can prove that it terminates what it reads back.
  // When false (the default), the copy is truncated to capacity - 1 bytes and
  // always NUL-terminated.
  void copyTextsUnterminated(bool unterminated);

  // --- The user
  // The next openPanel plays `actions` and uses them up; an openPanel with no
  // script closes with OK at once. openPanel returns 1 for OK, 0 for cancel.
  void scriptUser(std::vector<UserAction> actions);

  // --- Panels and controls
  // The "LWPanelServices" table, as lookup answers it but without a log line.
  PanelServices* panelServices();
  // State of a control handed out by addControl; REQUIRES a live control
  // (aborts otherwise). The reference lasts as long as the control.
  ControlState& control(PanelControl* control);
  // The live control labelled `label`, or null.
  PanelControl* controlLabelled(const std::string& label);
  // Number of panels created and not yet destroyed.
  int livePanelCount() const;
  // The live panels, in creation order.
  std::vector<PanelHandle> livePanels() const;
  // The height last set with setPanelAttr(PANEL_ATTR_H), 0 before any;
  // REQUIRES a live panel (aborts otherwise).
  std::int32_t panelHeight(PanelHandle panel) const;
  // Result of the last openPanel: 1 OK, 0 cancel; -1 before any.
  int lastOpenResult() const;

  // --- Long runs
  // Whether calls are logged into calls() from now on; they are at first. A
  // host playing a long run turns the log off, so that its memory does not
  // grow with every itemParam call.
  void logCalls(bool on);
  // `observer` is called at the start of every later itemParam call with the
  // number of itemParam calls made into this host so far, that one included,
  // before the call is answered. An empty function removes the observer.
  void observeItemParam(std::function<void(std::uint64_t calls)> observer);
  // From now on itemParam answers not-a-number for every coordinate, so that a
  // module that checks its distances stops at its next sample.
  void answerNonFinitePositions();

  // --- What happened
  // Every call made into the host, in order, one readable line each, e.g.
  //   lookup("Info Messages", 0) -> found
  //   addControl(panel1, "NumControl", [2, 30, 0, 0, 0, 0], "Max Frame") -> Max Frame
  //   setAttr(Item, ATTR_X, 40)
  //   getAttr(Item, ATTR_LABEL_WIDTH) -> 32
  //   drawLine(panel1, 4100, 10, 20, 110, 20)
  // Panels are named panel1, panel2... in creation order, controls by their
  // label, null handles "null", handles the host does not know "unknown".
  // Pointers are shown as <pointer> or <function>, the host's own lookup as
  // lookup and its panel services as services. Texts are quoted as they are,
  // except that bytes below 32 and 127 are escaped. A call the host refuses
  // (a bad value record, an attribute it cannot set) ends in "-> refused".
  // What the scripted user does appears after the openPanel line it happens
  // within, as: user: Item = 3 / user: env_name = "x.env" / user: OK /
  // user: cancel.
  const std::vector<std::string>& calls() const;
  // The calls whose operation name is `operation` (the text before "(").
  std::vector<std::string> callsTo(const std::string& operation) const;
  void clearCalls();
  const std::vector<Message>& messages() const;

  struct State;  // the host's state, shared with its service functions

 private:
  std::unique_ptr<State> state_;
};

}  // namespace hostsim

#endif  // QUORVEL_HOSTSIM_HOSTSIM_H_
