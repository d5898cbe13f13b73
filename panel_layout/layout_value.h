// How the panel layout helpers move values through `layoutValue`, and how
// they keep computed coordinates within 32 bits. Private to the library.

#ifndef QUORVEL_PANEL_LAYOUT_LAYOUT_VALUE_H_
#define QUORVEL_PANEL_LAYOUT_LAYOUT_VALUE_H_

#include <cstdint>
#include <limits>

#include "panel_layout/panel_layout.h"

// Asks the host for `attribute` of `control` into layoutValue and returns its
// integer payload (not cleared first, so a host that fills nothing leaves the
// last value). REQUIRES: `control` is valid.
inline std::intptr_t readPayload(PanelControl* control, std::int32_t attribute) {
  control->getAttr(control, attribute, &layoutValue);
  return layoutValue.integer.value;
}

// readPayload for an attribute that holds a coordinate or a size.
inline std::int32_t readCoordinate(PanelControl* control, std::int32_t attribute) {
  return static_cast<std::int32_t>(readPayload(control, attribute));
}

// Stores `value` as layoutValue's payload and hands the record to setAttr.
// REQUIRES: `control` is valid.
inline void writeCoordinate(PanelControl* control, std::int32_t attribute, std::int32_t value) {
  layoutValue.integer.value = value;
  control->setAttr(control, attribute, &layoutValue);
}

// `value`, held within the 32-bit range: sums of two coordinates are worked
// out in 64 bits and brought back through here, so that an extreme control
// ends at the edge of the range instead of wrapping to the opposite sign.
inline std::int32_t toCoordinate(std::int64_t value) {
  constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
  if (value < lowest) return std::numeric_limits<std::int32_t>::min();
  if (value > highest) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

#endif  // QUORVEL_PANEL_LAYOUT_LAYOUT_VALUE_H_
