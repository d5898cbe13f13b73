// Drawing on a panel where its controls lie: a frame round a group, and the
// outline, label divider and active area of each control.

#include <cstdint>
#include <initializer_list>

#include "panel_layout/layout_value.h"
#include "panel_layout/panel_layout.h"

namespace {

constexpr std::int32_t FRAME_COLOUR = 0x1;
constexpr std::int32_t OUTLINE_COLOUR = 0x1004;
constexpr std::int32_t ACTIVE_AREA_COLOUR = 0x1009;

// Where a control's outlines go: its own panel and the drawing table of the
// panel services it reports.
struct DrawingContext {
  PanelHandle panel;
  PanelDrawTable* drawTable;
};

// Fills `context` from what `control` reports: its panel services first and,
// only when those are known, its panel. False, with nothing to draw on, when
// the control is null, reports no services or no panel, or its services carry
// no drawing table.
bool findDrawingContext(PanelControl* control, DrawingContext* context) {
  if (control == nullptr) return false;
  auto* services = reinterpret_cast<PanelServices*>(readPayload(control, ATTR_PANEL_SERVICES));
  if (services == nullptr) return false;
  auto panel = reinterpret_cast<PanelHandle>(readPayload(control, ATTR_PANEL));
  if (panel == nullptr) return false;
  if (services->drawTable == nullptr) return false;
  context->panel = panel;
  context->drawTable = services->drawTable;
  return true;
}

// A rectangle as read from a control, its far edges worked out in 64 bits.
struct Bounds {
  std::int64_t left;
  std::int64_t top;
  std::int64_t right;
  std::int64_t bottom;
};

// Widens `bounds` to take in `control`, read as X, W, Y, H in that order.
void includeControl(PanelControl* control, Bounds* bounds) {
  const std::int64_t x = readCoordinate(control, ATTR_X);
  if (x < bounds->left) bounds->left = x;
  const std::int64_t w = readCoordinate(control, ATTR_W);
  if (x + w > bounds->right) bounds->right = x + w;
  const std::int64_t y = readCoordinate(control, ATTR_Y);
  if (y < bounds->top) bounds->top = y;
  const std::int64_t h = readCoordinate(control, ATTR_H);
  if (y + h > bounds->bottom) bounds->bottom = y + h;
}

void drawLine(const DrawingContext& context, std::int32_t colour, std::int32_t x1, std::int32_t y1,
              std::int32_t x2, std::int32_t y2) {
  context.drawTable->drawLine(context.panel, colour, x1, y1, x2, y2);
}

}  // namespace

void frameControls(PanelControl* c0, PanelControl* c1, PanelControl* c2, PanelControl* c3,
                   PanelControl* c4, PanelControl* c5) {
  DrawingContext context;
  if (!findDrawingContext(c0, &context)) return;

  Bounds bounds;
  bounds.left = readCoordinate(c0, ATTR_X);
  bounds.top = readCoordinate(c0, ATTR_Y);
  bounds.right = bounds.left + readCoordinate(c0, ATTR_W);
  bounds.bottom = bounds.top + readCoordinate(c0, ATTR_H);
  for (PanelControl* control : {c1, c2, c3, c4, c5}) {
    if (control != nullptr) includeControl(control, &bounds);
  }

  context.drawTable->drawBox(context.panel, FRAME_COLOUR, toCoordinate(bounds.left),
                             toCoordinate(bounds.top), toCoordinate(bounds.right - bounds.left),
                             toCoordinate(bounds.bottom - bounds.top));
}

void outlineControl(PanelControl* control) {
  DrawingContext context;
  if (!findDrawingContext(control, &context)) return;

  const std::int32_t x = readCoordinate(control, ATTR_X);
  const std::int32_t y = readCoordinate(control, ATTR_Y);
  const std::int32_t w = readCoordinate(control, ATTR_W);
  const std::int32_t h = readCoordinate(control, ATTR_H);
  const std::int32_t labelWidth = readCoordinate(control, ATTR_LABEL_WIDTH);
  const std::int32_t right = toCoordinate(std::int64_t{x} + w);
  const std::int32_t bottom = toCoordinate(std::int64_t{y} + h);
  const std::int32_t divider = toCoordinate(std::int64_t{x} + labelWidth);
  drawLine(context, OUTLINE_COLOUR, x, y, right, y);
  drawLine(context, OUTLINE_COLOUR, x, bottom, right, bottom);
  drawLine(context, OUTLINE_COLOUR, x, y, x, bottom);
  drawLine(context, OUTLINE_COLOUR, divider, y, divider, bottom);
  drawLine(context, OUTLINE_COLOUR, right, y, right, bottom);

  const std::int32_t hotX = readCoordinate(control, ATTR_HOT_X);
  const std::int32_t hotY = readCoordinate(control, ATTR_HOT_Y);
  const std::int32_t hotW = readCoordinate(control, ATTR_HOT_W);
  const std::int32_t hotH = readCoordinate(control, ATTR_HOT_H);
  const std::int32_t hotRight = toCoordinate(std::int64_t{hotX} + hotW);
  const std::int32_t hotBottom = toCoordinate(std::int64_t{hotY} + hotH);
  drawLine(context, ACTIVE_AREA_COLOUR, hotX, hotY, hotRight, hotY);
  drawLine(context, ACTIVE_AREA_COLOUR, hotX, hotBottom, hotRight, hotBottom);
  drawLine(context, ACTIVE_AREA_COLOUR, hotX, hotY, hotX, hotBottom);
  drawLine(context, ACTIVE_AREA_COLOUR, hotRight, hotY, hotRight, hotBottom);
}

void outlineAllControls(PanelServices* services, PanelHandle panel) {
  for (PanelControl* control = services->nextControl(panel, nullptr); control != nullptr;
       control = services->nextControl(panel, control)) {
    outlineControl(control);
  }
}
