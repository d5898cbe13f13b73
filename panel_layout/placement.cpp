// Placing, measuring and aligning the controls of a panel.

#include <cstdint>

#include "panel_layout/layout_value.h"
#include "panel_layout/panel_layout.h"

ControlValue layoutValue = {.integer = {VALUE_INTEGER, 0}};

namespace {

constexpr std::int64_t ROW_PITCH = 20;
constexpr std::int64_t PANEL_HEIGHT_PER_ROW = 26;

// The largest value of `attribute` among the panel's controls, at least 0.
std::int32_t widestAttribute(PanelServices* services, PanelHandle panel, std::int32_t attribute) {
  std::int32_t best = 0;
  for (PanelControl* control = services->nextControl(panel, nullptr); control != nullptr;
       control = services->nextControl(panel, control)) {
    const std::int32_t value = readCoordinate(control, attribute);
    if (value > best) best = value;
  }
  return best;
}

// Writes X and then Y: the order in which every move reaches the host.
void moveControl(PanelControl* control, std::int32_t x, std::int32_t y) {
  writeCoordinate(control, ATTR_X, x);
  writeCoordinate(control, ATTR_Y, y);
}

}  // namespace

void placeControl(PanelControl* control, std::int32_t x, std::int32_t row) {
  const std::int32_t labelWidth = readCoordinate(control, ATTR_LABEL_WIDTH);
  moveControl(control, toCoordinate(std::int64_t{x} - labelWidth), toCoordinate(row * ROW_PITCH));
}

void setPanelRows(PanelServices* services, PanelHandle panel, std::int32_t rows) {
  layoutValue.integer.value = toCoordinate(rows * PANEL_HEIGHT_PER_ROW);
  services->setPanelAttr(panel, PANEL_ATTR_H, &layoutValue.integer.value);
}

std::int32_t maxLabelWidth(PanelServices* services, PanelHandle panel) {
  return widestAttribute(services, panel, ATTR_LABEL_WIDTH);
}

std::int32_t maxControlWidth(PanelServices* services, PanelHandle panel) {
  return widestAttribute(services, panel, ATTR_W);
}

void centerControl(std::int32_t span, PanelControl* control) {
  if (control == nullptr) return;
  const std::int32_t x = readCoordinate(control, ATTR_X);
  const std::int32_t w = readCoordinate(control, ATTR_W);
  // Integer division rounds toward zero: a difference of -3 moves by -1.
  const std::int32_t centredX = toCoordinate(x + (std::int64_t{span} - w) / 2);
  const std::int32_t y = readCoordinate(control, ATTR_Y);
  moveControl(control, centredX, y);
}

void alignLabelRight(std::int32_t column, PanelControl* control) {
  if (control == nullptr) return;
  const std::int32_t x = readCoordinate(control, ATTR_X);
  const std::int32_t labelWidth = readCoordinate(control, ATTR_LABEL_WIDTH);
  const std::int32_t alignedX = toCoordinate(x + (std::int64_t{column} - labelWidth));
  const std::int32_t y = readCoordinate(control, ATTR_Y);
  moveControl(control, alignedX, y);
}

void placeBelow(PanelControl* anchor, PanelControl* control) {
  if (anchor == nullptr || control == nullptr) return;
  const std::int32_t anchorY = readCoordinate(anchor, ATTR_Y);
  const std::int32_t anchorH = readCoordinate(anchor, ATTR_H);
  const std::int32_t x = readCoordinate(control, ATTR_X);
  moveControl(control, x, toCoordinate(std::int64_t{anchorY} + anchorH));
}

void placeInRow(PanelControl* anchor, PanelControl* c1, PanelControl* c2, PanelControl* c3,
                PanelControl* c4, PanelControl* c5) {
  if (anchor == nullptr || c1 == nullptr) return;
  const std::int32_t anchorX = readCoordinate(anchor, ATTR_X);
  const std::int32_t y = readCoordinate(anchor, ATTR_Y);
  const std::int32_t anchorW = readCoordinate(anchor, ATTR_W);
  // The running left edge is carried here, never read back from the host.
  std::int64_t x = std::int64_t{anchorX} + anchorW;
  moveControl(c1, toCoordinate(x), y);

  PanelControl* const rest[] = {c2, c3, c4, c5};
  PanelControl* previous = c1;
  for (PanelControl* control : rest) {
    if (control == nullptr) return;
    x += readCoordinate(previous, ATTR_W);
    moveControl(control, toCoordinate(x), y);
    previous = control;
  }
}
