// The rows of the detail screen's right panels, apart from any drawing: quote figures of a share
// (503), of an index (501) and of an index future (503 in future mode), the order books (502 and
// 500) with their level captions, and the latest ticks (504). Pure functions, any thread.
#pragma once

#include <string>
#include <vector>

#include "detail/detail_records.h"
#include "market/display_colours.h"

namespace tarvello {

// Panel selectors.
enum DetailPanel : int {
  kPanelTenLevelBook = 500,
  kPanelIndexFigures = 501,
  kPanelFiveLevelBook = 502,
  kPanelQuoteFigures = 503,
  kPanelTicks = 504,
};

// The panel a security opens with: index figures, future figures or the five-level book.
DetailPanel InitialPanelFor(std::uint8_t securityType);

// A labelled figure, or a dashed separator line when separator is set.
struct PanelRow {
  std::u16string label;
  std::u16string value;
  ColorRef colour = kFlatGrey;
  bool separator = false;
};

std::vector<PanelRow> ShareFigureRows(const DetailRecords& records);
std::vector<PanelRow> IndexFigureRows(const DetailRecords& records);
std::vector<PanelRow> FutureFigureRows(const FuturesQuote& quote);

// Level numbers of a book in block order: the sell levels count down from half the entries to 1,
// the buy levels up again from 1, so ten entries read 5 4 3 2 1 1 2 3 4 5 and the twenty of the
// ten-level book 10 ... 1 1 ... 10.
std::vector<int> BookLevelCaptions(std::size_t entries);

// One row per book entry: caption in label, price in value, volume in a second text.
struct BookRow {
  std::u16string caption;
  std::u16string price;
  ColorRef priceColour = kFlatGrey;
  std::u16string volume;
};
std::vector<BookRow> BookRows(const std::vector<BookLevel>& book, const DetailRecords& records);

// How a book row's price and volume share the width from left to right: prices end three fifths
// of the way, or sooner, so that the widest volume keeps a gap from them. When the widest price
// would then not fit, the volumes get only the room left (volumeRoom below the widest volume):
// their text must shrink, since the two columns must never run into one number.
struct BookColumns {
  int priceRight = 0;
  int volumeRoom = 0;
};
BookColumns FitBookColumns(int left, int right, int widestPrice, int widestVolume, int gap);

struct TickRow {
  std::u16string time;
  std::u16string price;
  std::u16string volume;
  ColorRef colour = kFlatGrey;
};
std::vector<TickRow> TickRows(const TickList& ticks, std::uint8_t priceDecimals);

}  // namespace tarvello
