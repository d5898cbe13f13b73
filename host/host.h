// The host's side of the plug-in contract, as this module uses it: the service
// tables that the host hands out by name, the records that carry values and
// control descriptions across, and the codes that select attributes, item
// types, parameters and draw modes.
//
// Every table is a struct of function pointers in slot order. Slots this module
// never calls are kept as reserved words so that each named operation sits at
// the slot the host puts it in; the static_asserts at the end pin that down.
//
// The host owns every table, panel, control and item handle it hands out; a
// module holds them only for the length of one activation.

#ifndef QUORVEL_HOST_HOST_H_
#define QUORVEL_HOST_HOST_H_

#include <cstddef>
#include <cstdint>

// A scene item as the host numbers it. 0 is "no item".
using ItemId = std::uint32_t;

// Opaque panel handle handed out by createPanel.
using PanelHandle = void*;

// ---------------------------------------------------------------------------
// Codes

// Control attributes, read with getAttr and written with setAttr.
enum ControlAttribute : std::int32_t {
  ATTR_X = 0,
  ATTR_Y = 1,
  ATTR_W = 2,
  ATTR_H = 3,
  ATTR_VALUE = 4,
  ATTR_HOT_X = 5,
  ATTR_HOT_Y = 6,
  ATTR_HOT_W = 7,
  ATTR_HOT_H = 8,
  ATTR_LABEL_WIDTH = 9,
  ATTR_USER_EVENT = 14,
  ATTR_USER_DATA = 16,
  ATTR_PANEL = 17,
  ATTR_PANEL_SERVICES = 18,
};

// Panel attributes, written with setPanelAttr.
enum PanelAttribute : std::int32_t {
  PANEL_ATTR_H = 3,
};

// Item types, for firstItem.
enum ItemType : std::int32_t {
  ITEM_CAMERA = 2,
};

// Item parameters, for itemParam.
enum ItemParameter : std::int32_t {
  PARAM_WORLD_POSITION = 8,
};

// Draw modes, for drawControl.
enum DrawMode : std::int32_t {
  DRAW_NORMAL = 1,
  DRAW_GHOSTED = 2,
};

// The type word of a ControlValue.
enum ValueType : std::int32_t {
  VALUE_STRING = 1,
  VALUE_INTEGER = 2,
};

// The kind word (word 0) of a ControlDescriptor.
enum ControlKind : std::int32_t {
  CONTROL_KIND_TEXT = 1,
  CONTROL_KIND_INTEGER = 2,
  CONTROL_KIND_CHOICE = 9,
  CONTROL_KIND_ITEM_LIST = 16,
};

// ---------------------------------------------------------------------------
// Records passed to and from the panel services. The host reads them only
// during the call that receives them.

// A value of type VALUE_INTEGER: one integer, wide enough to carry a pointer
// (an item id, a number, a callback, user data).
struct IntegerValue {
  std::int32_t type;
  std::intptr_t value;
};

// A value of type VALUE_STRING. On setAttr `length` is the text's length
// without its NUL; on getAttr it is the capacity of the buffer at `text`,
// into which the host copies the text.
struct StringValue {
  std::int32_t type;
  char* text;
  std::int32_t length;
};

// The record getAttr fills and setAttr reads: a type word, then the payload.
union ControlValue {
  std::int32_t type;
  IntegerValue integer;
  StringValue string;
};

// Six words describing a control to addControl: word[0] is the ControlKind,
// the other five are kind-specific (pointers travel in them too).
struct ControlDescriptor {
  std::intptr_t word[6];
};

// ---------------------------------------------------------------------------
// Tables

struct PanelControl;

// Called by the host when the user changes a control, with the value set
// under ATTR_USER_DATA.
using UserEventFunction = void (*)(PanelControl* control, void* userData);

// A control is a table of operations that take the control first. A host may
// keep its own state after these three slots.
struct PanelControl {
  void (*drawControl)(PanelControl* control, std::int32_t drawMode);
  int (*getAttr)(PanelControl* control, std::int32_t attribute, ControlValue* value);
  int (*setAttr)(PanelControl* control, std::int32_t attribute, ControlValue* value);
};

// Drawing on a panel; every call takes the panel first.
struct PanelDrawTable {
  void* reserved0;
  void* reserved1;
  int (*drawLine)(PanelHandle panel, std::int32_t colour, std::int32_t x1, std::int32_t y1,
                  std::int32_t x2, std::int32_t y2);
  void* reserved3;
  void* reserved4;
  int (*drawBox)(PanelHandle panel, std::int32_t colour, std::int32_t x, std::int32_t y,
                 std::int32_t width, std::int32_t height);
};

// The "LWPanelServices" table.
struct PanelServices {
  PanelHandle (*createPanel)(const char* title, PanelServices* services);
  void (*destroyPanel)(PanelHandle panel);
  // Returns once the user has closed the panel.
  int (*openPanel)(PanelHandle panel, std::int32_t flags);
  void* reserved3;
  void* reserved4;
  void* reserved5;
  void* reserved6;
  // `value` is the address of the integer to set.
  int (*setPanelAttr)(PanelHandle panel, std::int32_t attribute, std::intptr_t* value);
  PanelControl* (*addControl)(PanelHandle panel, const char* typeName,
                              ControlDescriptor* descriptor, const char* label);
  // The first control after null, the next after `control`, null after the last.
  PanelControl* (*nextControl)(PanelHandle panel, PanelControl* control);
  PanelDrawTable* drawTable;
};

// The "Info Messages" table.
struct MessageServices {
  void* reserved0;
  // Shows a message of one or two lines; `line2` may be null.
  void (*errorMessage)(const char* line1, const char* line2);
};

// The "LW Item Info" table.
struct ItemInfoServices {
  // The first item of `type`, or 0 when the scene has none.
  ItemId (*firstItem)(std::int32_t type, ItemId parent);
  void* reserved1;
  void* reserved2;
  void* reserved3;
  void* reserved4;
  void* reserved5;
  void* reserved6;
  void* reserved7;
  void* reserved8;
  // Fills position[0..2] with the item's x, y, z at `seconds`.
  void (*itemParam)(ItemId item, std::int32_t parameter, double seconds, double* position);
};

// The "Directory Info" service is itself a function: the path of a kind of
// directory ("Envelopes", for instance), or null.
using DirectoryPathFunction = const char* (*)(const char* kind);

// The host's service lookup: the service named, or null. Modules pass use code 0.
using GlobalLookup = void* (*)(const char* serviceName, std::int32_t useCode);

// ---------------------------------------------------------------------------
// Module record

// Activation entry of a server: the host's interface version and lookup; any
// further arguments are the host's and may be ignored.
using ActivateFunction = std::int32_t (*)(std::int32_t version, GlobalLookup lookup, void* local,
                                          void* serverData);

// One row of a module's server table; a row of three nulls ends the table.
struct ServerEntry {
  const char* className;
  const char* serverName;
  ActivateFunction activate;
};

// The record a module exports as `_mod_descrip`.
struct ModuleRecord {
  std::uint32_t syncCode;
  std::int32_t version;
  std::int32_t machineCode;
  void* (*startup)(void);
  void (*shutdown)(void*);
  ServerEntry* servers;
};

inline constexpr std::uint32_t MODULE_SYNC_CODE = 0x04121994u;
inline constexpr std::int32_t MODULE_VERSION = 2;
inline constexpr std::int32_t MODULE_MACHINE_CODE = 0x300;

// ---------------------------------------------------------------------------
// Slot positions: each named operation at its index.

constexpr std::size_t slot(std::size_t index) { return index * sizeof(void*); }

static_assert(offsetof(PanelControl, drawControl) == slot(0));
static_assert(offsetof(PanelControl, getAttr) == slot(1));
static_assert(offsetof(PanelControl, setAttr) == slot(2));
static_assert(offsetof(PanelDrawTable, drawLine) == slot(2));
static_assert(offsetof(PanelDrawTable, drawBox) == slot(5));
static_assert(offsetof(PanelServices, createPanel) == slot(0));
static_assert(offsetof(PanelServices, destroyPanel) == slot(1));
static_assert(offsetof(PanelServices, openPanel) == slot(2));
static_assert(offsetof(PanelServices, setPanelAttr) == slot(7));
static_assert(offsetof(PanelServices, addControl) == slot(8));
static_assert(offsetof(PanelServices, nextControl) == slot(9));
static_assert(offsetof(PanelServices, drawTable) == slot(10));
static_assert(offsetof(MessageServices, errorMessage) == slot(1));
static_assert(offsetof(ItemInfoServices, firstItem) == slot(0));
static_assert(offsetof(ItemInfoServices, itemParam) == slot(9));
static_assert(offsetof(ServerEntry, activate) == slot(2));
static_assert(offsetof(IntegerValue, value) == sizeof(std::intptr_t));
static_assert(offsetof(StringValue, text) == sizeof(void*));

// On the host's own platform (32-bit) every record has the host's exact layout.
static_assert(sizeof(void*) != 4 || sizeof(ModuleRecord) == 24);
static_assert(sizeof(void*) != 4 || offsetof(ModuleRecord, startup) == 12);
static_assert(sizeof(void*) != 4 || offsetof(ModuleRecord, servers) == 20);
static_assert(sizeof(void*) != 4 || sizeof(ServerEntry) == 12);
static_assert(sizeof(void*) != 4 || sizeof(ControlDescriptor) == 24);
static_assert(sizeof(void*) != 4 || sizeof(IntegerValue) == 8);
static_assert(sizeof(void*) != 4 || sizeof(StringValue) == 12);
static_assert(sizeof(void*) != 4 || offsetof(StringValue, length) == 8);

#endif  // QUORVEL_HOST_HOST_H_
