// The text and colour of one cell of a quote list, by list kind and column (numbered as in
// list_columns.h). Price-like cells show the value in the row's decimals; a zero shows "--" when
// the row has not traded (sector rows: no latest value) and "0.00" otherwise. Pure, any thread.
#pragma once

#include <cstdint>
#include <string>

#include "lists/list_columns.h"
#include "lists/list_rows.h"
#include "market/display_colours.h"

namespace tarvello {

struct CellText {
  std::u16string text;
  ColorRef colour = kPlainWhite;
  friend bool operator==(const CellText&, const CellText&) = default;
};

// ListKind::kStocks or kSectors.
CellText QuoteCell(const QuoteRow& row, ListKind kind, int column);
CellText FuturesCell(const FuturesRow& row, int column);

// "总手": "%d" up to 100000, above it in 万 with two decimals.
std::u16string ListVolumeText(std::int32_t volume);
// "总额": 万 with one decimal up to 100000000, 亿 with two decimals up to 1215752192, whole 亿
// beyond; a zero takes the placeholder of `traded`.
std::u16string ListAmountText(std::int32_t amount, bool traded);

}  // namespace tarvello
