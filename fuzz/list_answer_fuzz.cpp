// Feeds arbitrary bytes to the quote list's answer reader under every category whose layout it
// reads differently, with a sector shown so that its own quote row is read too, then formats
// every cell of what came out.
#include <cstddef>
#include <cstdint>

#include "lists/list_answer.h"
#include "lists/list_cells.h"
#include "lists/list_codes.h"
#include "lists/list_paging.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  for (const int category : {kCategoryAllShares, kCategoryFutures, kCategorySectors, kCategorySectorFunds,
                             kCategorySelfSelected}) {
    ListAnswerContext context;
    context.category = category;
    context.sector = SecurityCode(u"BI000475");
    context.sectorName = u"Sector";
    ListRows rows;
    ReadListAnswer(data, size, context, rows);
    const ListKind kind = category == kCategorySectors ? ListKind::kSectors : ListKind::kStocks;
    for (const QuoteRow& row : rows.quotes) {
      for (int column = 1; column <= ColumnCount(kind); ++column) QuoteCell(row, kind, column);
    }
    for (const FuturesRow& row : rows.futures) {
      for (int column = 1; column <= ColumnCount(ListKind::kFutures); ++column) FuturesCell(row, column);
    }
    const ListPaging paging(rows.listTotal, 10);
    paging.CounterText(paging.LastPage(0));
  }
  return 0;
}
