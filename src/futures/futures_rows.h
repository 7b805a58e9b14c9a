// What the quote panel (view 1) and the tick list (view 2) of the index futures screen show:
// each cell's label, text and colour, decided from the records alone. Pure, any thread.
#pragma once

#include <array>
#include <string>

#include "futures/futures_records.h"
#include "market/display_colours.h"
#include "market/futures_quote.h"

namespace tarvello {

inline constexpr ColorRef kFuturesVolumeCyan = 0xFFFF52;  // (82,255,255)

struct FuturesCell {
  std::u16string label;
  std::u16string text;
  ColorRef colour = kPlainWhite;
  friend bool operator==(const FuturesCell&, const FuturesCell&) = default;
};

// The panel's eight rows of two cells: ask, bid, last, open, high, low, average, previous
// settlement on the left; their volumes, the change, volume, open interest and its change, outer
// and inner volume on the right.
struct FuturesPanelRow {
  FuturesCell left;
  FuturesCell right;
};
std::array<FuturesPanelRow, 8> QuotePanelRows(const FuturesQuote& quote);

// One row of the tick list.
struct TickRowTexts {
  std::u16string time;  // "9:05:07" as "09:05:07"
  std::u16string price;
  ColorRef priceColour = kPlainWhite;
  std::u16string size;
  std::u16string interestChange;
  std::u16string direction;  // "◆", "↓" or "↑"
  ColorRef directionColour = kPlainWhite;
  std::u16string tickType;   // "双开", "多平"...
};
TickRowTexts TickRow(const FuturesTick& tick, std::int32_t referencePrice);

// The tick list's header cells.
inline constexpr std::array<const char16_t*, 5> kTickHeaders = {u"时间", u"价位", u"现手", u"增仓", u"开平仓"};

}  // namespace tarvello
