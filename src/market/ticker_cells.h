// The cells of the index ticker strip that several screens draw along their bottom edge: the
// market label, then value, change and change percent of the Shanghai or the Shenzhen index.
// Index values are scaled by 100. Pure functions, any thread.
#pragma once

#include <cstdint>
#include <string>

#include "market/display_colours.h"

namespace tarvello {

struct TickerCells {
  std::u16string label;    // "沪" or "深"
  std::u16string value;    // "%.0f"
  std::u16string change;   // "+%.2f" / "%.2f" / "0.00" / "--"
  std::u16string percent;  // "+%.2f%%" / "%.2f%%" / "0.00%" / "--"
  ColorRef labelColour = kVolumeYellow;
  ColorRef colour = kPlainWhite;  // of value, change and percent
};

// Red above prevClose, green below, white when equal. Without a previous close there is nothing
// to compare with: change and percent show "--" in white (both zero: "0", "0.00", "0.00%").
TickerCells TickerCellsOf(bool shanghai, std::int32_t value, std::int32_t prevClose);

}  // namespace tarvello
