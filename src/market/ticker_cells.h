// The cells of the index ticker strip that several screens draw along their bottom edge: the
// market label, then value, change and change percent of the Shanghai or the Shenzhen index.
// Index values are scaled by 100. Pure functions, any thread.
#pragma once

#include <cstdint>
#include <string>

#include "market/display_colours.h"
#include "market/index_ticker.h"

namespace tarvello {

// The colour of figures not yet known or old: darker than the grey of an unchanged figure, so
// that they never pass for live ones.
inline constexpr ColorRef kOldFigures = 0x808080;

struct TickerCells {
  std::u16string label;    // "沪" or "深"
  std::u16string value;    // "%.0f"
  std::u16string change;   // "+%.2f" / "%.2f" / "0.00" / "--"
  std::u16string percent;  // "+%.2f%%" / "%.2f%%" / "0.00%" / "--"
  ColorRef labelColour = kVolumeYellow;
  ColorRef colour = kPlainWhite;  // of value, change and percent
};

// The cells of the index the strip shows now (Shanghai, or Shenzhen with the blink bit): red
// above the previous close, green below, white when equal; without a previous close there is
// nothing to compare with, so change and percent show "--" in white. "--" in grey until an
// answer has brought the index, its figures in grey while they are old.
TickerCells TickerCellsFor(const TickerState& state);

}  // namespace tarvello
