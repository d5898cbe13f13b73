// Panel layout helpers: free functions that place, measure, align and outline
// the controls of a host panel through the host's own control, panel and
// drawing operations.
//
// Every coordinate and size is a signed 32-bit value in the host's panel
// coordinates; Y grows downward. A control's field (the part after its label)
// begins at X + label width.
//
// Every attribute read or written here passes through the one shared record
// `layoutValue`. The functions keep no other state, report nothing and ignore
// the host's results. A function that moves a control always writes ATTR_X and
// then ATTR_Y, both, even when one of them keeps its value.
//
// Computed coordinates are passed on as computed, negative ones included; a
// sum that would leave the 32-bit range is held at the nearest end of it
// rather than wrapping round to the opposite sign.
//
// None of these functions is reentrant: they share `layoutValue`, so no two
// calls into this library may overlap. All of them run on the host's thread.
// Handles passed in stay owned by the host.

#ifndef QUORVEL_PANEL_LAYOUT_PANEL_LAYOUT_H_
#define QUORVEL_PANEL_LAYOUT_PANEL_LAYOUT_H_

#include <cstdint>

#include "host/host.h"

// The value record of this library, of type VALUE_INTEGER from its definition
// on; its type word is never written again. After any call its payload holds
// the last value read or written. Pointers read from the host (ATTR_PANEL,
// ATTR_PANEL_SERVICES) arrive in the same payload.
extern ControlValue layoutValue;

// ---------------------------------------------------------------------------
// Placement

// Puts the control's field at column `x` of row `row` (rows are 20 apart,
// row 0 at Y 0), whatever the width of its label: reads ATTR_LABEL_WIDTH,
// then writes ATTR_X = x - label width and ATTR_Y = row * 20.
// REQUIRES: `control` is a valid control.
void placeControl(PanelControl* control, std::int32_t x, std::int32_t row);

// Sets the panel's height for `rows` rows, 26 units each, by setPanelAttr
// with PANEL_ATTR_H and the address of layoutValue's integer payload.
// REQUIRES: `services` and `panel` are valid.
void setPanelRows(PanelServices* services, PanelHandle panel, std::int32_t rows);

// The largest ATTR_LABEL_WIDTH among the panel's controls, walked with
// nextControl; 0 when the panel has none or none reports more than 0.
// REQUIRES: `services` and `panel` are valid.
std::int32_t maxLabelWidth(PanelServices* services, PanelHandle panel);

// The largest ATTR_W among the panel's controls, as maxLabelWidth does.
// REQUIRES: `services` and `panel` are valid.
std::int32_t maxControlWidth(PanelServices* services, PanelHandle panel);

// Centres the control in a span `span` wide that begins at its current X:
// moves it by (span - width) / 2, rounded toward zero; Y is written back
// unchanged. A null control makes no host call.
void centerControl(std::int32_t span, PanelControl* control);

// Moves the control right by `column` minus its label width, so that its
// field begins `column` units right of its former X; Y is written back
// unchanged. A null control makes no host call.
void alignLabelRight(std::int32_t column, PanelControl* control);

// Puts `control` directly under `anchor` (its Y becomes the anchor's Y + H)
// and keeps the control's own X. A null anchor or control makes no host call.
void placeBelow(PanelControl* anchor, PanelControl* control);

// Puts c1 to c5 edge to edge, with no gap, to the right of `anchor`, each at
// the anchor's Y. Each control's X is the previous one's X plus that
// previous control's width, starting from the anchor's right edge. The row
// ends at the first null among c2 to c5; the controls after it are left
// untouched. A null anchor or c1 makes no host call.
void placeInRow(PanelControl* anchor, PanelControl* c1, PanelControl* c2, PanelControl* c3,
                PanelControl* c4, PanelControl* c5);

// ---------------------------------------------------------------------------
// Outline drawing
//
// These draw on the panel that a control reports itself (ATTR_PANEL), with the
// drawing table of the panel services it reports (ATTR_PANEL_SERVICES). When
// either is null, or those services carry no drawing table, nothing is drawn.
// Rectangles are drawn from left, top to left + width, top + height.

// Draws one box, colour 1, exactly around c0 and every non-null control
// among c1 to c5, on c0's panel. A null c0 makes no host call.
void frameControls(PanelControl* c0, PanelControl* c1, PanelControl* c2, PanelControl* c3,
                   PanelControl* c4, PanelControl* c5);

// Draws the control's outline and a divider at the end of its label in colour
// 4100 (top, bottom, left, divider, right), then the outline of its active
// area in colour 4105 (top, bottom, left, right). A null control makes no
// host call.
void outlineControl(PanelControl* control);

// Outlines every control of the panel, each with the drawing context that it
// reports itself. REQUIRES: `services` and `panel` are valid.
void outlineAllControls(PanelServices* services, PanelHandle panel);

#endif  // QUORVEL_PANEL_LAYOUT_PANEL_LAYOUT_H_
