// Feeds arbitrary bytes to the quote list's answer reader as the money-flow views read them (the
// rankings, the sector fund flow, a trade analysis, order details with the stock's own quote),
// then formats every cell, line and order grid of what came out.
#include <cstddef>
#include <cstdint>

#include "lists/flow_cells.h"
#include "lists/list_answer.h"
#include "lists/list_codes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  for (const bool orders : {false, true}) {
    ListAnswerContext context;
    context.category = orders ? kCategoryAllShares : kCategorySectorFunds;
    context.orderReference = orders;
    ListRows rows;
    ReadListAnswer(data, size, context, rows);
    for (const BigOrderRow& row : rows.bigOrders) {
      for (int column = 1; column <= 4; ++column) BigOrderCell(row, column);
    }
    for (const FundRow& row : rows.funds) {
      for (int column = 1; column <= 4; ++column) FundCell(row, column);
    }
    for (const BucketRow& row : rows.buckets) {
      SectorFundLine(row);
      TradeAnalysisLine(row);
    }
    for (const OrderSide* side : {&rows.orders.ask, &rows.orders.bid}) {
      if (side->orders.size() > kKeptOrders) __builtin_trap();
      OrderGrid(*side, rows.orders.reference, rows.orders.referenceDecimals);
      SideSummary(*side, rows.orders.reference, rows.orders.referenceDecimals);
    }
  }
  return 0;
}
