#include "lists/list_row_access.h"

#include "lists/flow_cells.h"

namespace tarvello {
namespace {

// Calls visit with the list that holds rows of this kind.
template <typename Rows, typename Visit>
decltype(auto) WithList(Rows& rows, ListKind kind, Visit visit) {
  switch (kind) {
    case ListKind::kFutures: return visit(rows.futures);
    case ListKind::kBigOrders: return visit(rows.bigOrders);
    case ListKind::kFunds: return visit(rows.funds);
    case ListKind::kStocks:
    case ListKind::kSectors: break;
  }
  return visit(rows.quotes);
}

CellText CellOf(const QuoteRow& row, ListKind kind, int column) { return QuoteCell(row, kind, column); }
CellText CellOf(const FuturesRow& row, ListKind, int column) { return FuturesCell(row, column); }
CellText CellOf(const BigOrderRow& row, ListKind, int column) { return BigOrderCell(row, column); }
CellText CellOf(const FundRow& row, ListKind, int column) { return FundCell(row, column); }

}  // namespace

std::size_t RowCount(const ListRows& rows, ListKind kind) {
  return WithList(rows, kind, [](const auto& list) { return list.size(); });
}

const SecurityCode& RowCode(const ListRows& rows, ListKind kind, std::size_t i) {
  return WithList(rows, kind, [i](const auto& list) -> const SecurityCode& { return list[i].code; });
}

const std::u16string& RowName(const ListRows& rows, ListKind kind, std::size_t i) {
  return WithList(rows, kind, [i](const auto& list) -> const std::u16string& { return list[i].name; });
}

CellText RowCell(const ListRows& rows, ListKind kind, std::size_t i, int column) {
  return WithList(rows, kind, [&](const auto& list) { return CellOf(list[i], kind, column); });
}

void EraseRow(ListRows& rows, ListKind kind, std::size_t i) {
  WithList(rows, kind, [i](auto& list) { list.erase(list.begin() + static_cast<std::ptrdiff_t>(i)); });
}

}  // namespace tarvello
