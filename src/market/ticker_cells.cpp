#include "market/ticker_cells.h"

#include "market/price_text.h"
#include "market/printf_text.h"

namespace tarvello {

namespace {

constexpr double kIndexScale = 0.01;

TickerCells TickerCellsOf(bool shanghai, std::int32_t value, std::int32_t prevClose) {
  TickerCells cells;
  cells.label = shanghai ? u"沪" : u"深";
  cells.value = PrintfText("%.0f", value * kIndexScale);
  const std::int64_t difference = std::int64_t{value} - prevClose;
  if (difference == 0) {
    cells.change = u"0.00";
    cells.percent = u"0.00%";
    return cells;
  }
  if (prevClose == 0) {
    cells.change = std::u16string(kNoDataText);
    cells.percent = std::u16string(kNoDataText);
    return cells;
  }
  const double change = static_cast<double>(difference) * kIndexScale;
  const double percent = static_cast<double>(difference) * 100.0 / prevClose;
  if (difference > 0) {
    cells.change = PrintfText("+%.2f", change);
    cells.percent = PrintfText("+%.2f%%", percent);
    cells.colour = kRiseRed;
  } else {
    cells.change = PrintfText("%.2f", change);
    cells.percent = PrintfText("%.2f%%", percent);
    cells.colour = kFallGreen;
  }
  return cells;
}

}  // namespace

TickerCells TickerCellsFor(const TickerState& state) {
  const bool shanghai = !state.blink;
  const IndexValues& index = shanghai ? state.shanghai : state.shenzhen;
  TickerCells cells = TickerCellsOf(shanghai, index.last, index.prevClose);
  if (!index.known) cells.value = cells.change = cells.percent = std::u16string(kNoDataText);
  if (!index.known || state.old) cells.colour = kOldFigures;
  return cells;
}

}  // namespace tarvello
