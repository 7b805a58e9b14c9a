// The columns of each kind of quote list: their labels, which header tap sorts on which field,
// where the sort arrow goes for a field, and the sort field of each menu command. Columns are
// numbered from 1; the name column stands apart. Pure functions, any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvello {

enum class ListKind { kStocks, kSectors, kFutures, kBigOrders, kFunds };

int ColumnCount(ListKind kind);
// The largest first visible column: three columns are always shown.
int LastFirstColumn(ListKind kind);
std::u16string_view ColumnLabel(ListKind kind, int column);
// The label with "↑" (ascending) or "↓" after it when the column carries the sort arrow.
std::u16string HeaderText(ListKind kind, int column, int arrowColumn, int sortDirection);

// The field a tap on a column's header sorts by; none for a column that does not sort ("代码",
// the futures and ranking lists).
std::optional<int> SortFieldForHeader(ListKind kind, int column);
// The column that shows a sort field in this kind of list; 0 when none does.
int ArrowColumnFor(ListKind kind, int sortField);

// Popup-menu commands of the sort fields and their fields.
std::optional<int> SortFieldForCommand(unsigned command);
unsigned CommandForSortField(int sortField);

}  // namespace tarvello
