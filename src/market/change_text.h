// The change of a security against its previous close, as the detail header shows it: the change
// in price, the change in percent and the colour of both. Pure functions, any thread.
#pragma once

#include <cstdint>
#include <string>

#include "market/display_colours.h"

namespace tarvello {

struct ChangeTexts {
  std::u16string change;   // "+0.12", "-0.12", "0.00" or "--"
  std::u16string percent;  // "+1.23%", "-1.23%", "0.00%" or "--"
  ColorRef colour = kFlatGrey;
};

// last and prevClose are scaled prices of a security with priceDecimals. A rise is red with a
// written plus sign, a fall green, no change flatColour (grey on the detail screen). Without a
// last price both texts are "--" in flatColour; without a previous close the percent is 0 and a
// traded price counts as a rise ("+12.34", "+0.00%").
ChangeTexts ChangeOf(std::int32_t last, std::int32_t prevClose, std::uint8_t priceDecimals,
                     ColorRef flatColour = kFlatGrey);

}  // namespace tarvello
