// The texts and colours of the money-flow views: the cells of the big-order and fund rankings,
// the lines of the sector fund flow and of a stock's trade analysis, and the cells of the order
// grids of the order details. Numbers are red above zero, green below, white at zero. Pure, any
// thread.
#pragma once

#include <array>
#include <string>

#include "lists/list_cells.h"
#include "lists/list_rows.h"

namespace tarvello {

// Columns 1 to 4 of list_columns.h: net ratio, rank, change ratio, code.
CellText BigOrderCell(const BigOrderRow& row, int column);
// Columns 1 to 4: latest, net amount in 万, net ratio, code.
CellText FundCell(const FundRow& row, int column);

// A sector fund-flow row: the inflow in 万 with two decimals and the inflow ratio in percent with
// four. A trade-analysis bucket: bought and sold lots as whole numbers.
struct BucketLine {
  CellText first;
  CellText second;
};
BucketLine SectorFundLine(const BucketRow& row);
BucketLine TradeAnalysisLine(const BucketRow& row);

// The 5x5 grid of one side's orders, cell 1 first: each order's volume, empty past the count,
// and "..." in the last cell when the count fills the grid. Volumes take the side's colour (the
// price against the reference, which is in referenceDecimals where the price is in hundredths);
// "..." is grey.
inline constexpr int kGridCells = 25;
inline constexpr int kOrderPriceDecimals = 2;
std::array<CellText, kGridCells> OrderGrid(const OrderSide& side, std::int32_t reference, int referenceDecimals);
// The side's summary line: its price, its volume with "手" and its count with "笔".
struct OrderSummary {
  CellText price;
  std::u16string volume;
  std::u16string count;
};
OrderSummary SideSummary(const OrderSide& side, std::int32_t reference, int referenceDecimals);

}  // namespace tarvello
