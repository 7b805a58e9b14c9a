#include "lists/list_columns.h"

#include <array>
#include <span>

#include "lists/list_codes.h"
#include "lists/list_commands.h"

namespace tarvello {
namespace {

struct Column {
  std::u16string_view label;
  int sortField;  // -1: the header does not sort
};

constexpr int kNoSort = -1;

constexpr std::array<Column, 10> kStockColumns = {{{u"最新", kSortLatest},
                                                   {u"涨幅%", kSortChangeRatio},
                                                   {u"涨跌", kSortChange},
                                                   {u"总手", kSortVolume},
                                                   {u"最高", kSortHigh},
                                                   {u"最低", kSortLow},
                                                   {u"换手", kSortTurnover},
                                                   {u"涨速%", kSortSpeed},
                                                   {u"市盈", kSortPe},
                                                   {u"代码", kNoSort}}};
constexpr std::array<Column, 9> kSectorColumns = {{{u"涨幅%", kSortChangeRatio},
                                                   {u"3日涨%", kSortThreeDayChange},
                                                   {u"领涨股", kSortServerOrder},
                                                   {u"总额", kSortAmount},
                                                   {u"总手", kSortVolume},
                                                   {u"最新", kSortLatest},
                                                   {u"换手%", kSortTurnover},
                                                   {u"3日换%", kSortThreeDayTurnover},
                                                   {u"代码", kNoSort}}};
constexpr std::array<Column, 8> kFuturesColumns = {{{u"最新", kNoSort},
                                                    {u"涨幅%", kNoSort},
                                                    {u"涨跌", kNoSort},
                                                    {u"日增仓", kNoSort},
                                                    {u"持仓量", kNoSort},
                                                    {u"昨结算", kNoSort},
                                                    {u"昨收价", kNoSort},
                                                    {u"代码", kNoSort}}};
constexpr std::array<Column, 4> kBigOrderColumns = {
    {{u"净比%", kNoSort}, {u"排名", kNoSort}, {u"涨幅%", kNoSort}, {u"代码", kNoSort}}};
constexpr std::array<Column, 4> kFundColumns = {
    {{u"最新", kNoSort}, {u"净额(万)", kNoSort}, {u"净比%", kNoSort}, {u"代码", kNoSort}}};

std::span<const Column> ColumnsOf(ListKind kind) {
  switch (kind) {
    case ListKind::kSectors: return kSectorColumns;
    case ListKind::kFutures: return kFuturesColumns;
    case ListKind::kBigOrders: return kBigOrderColumns;
    case ListKind::kFunds: return kFundColumns;
    case ListKind::kStocks: break;
  }
  return kStockColumns;
}

const Column* ColumnAt(ListKind kind, int column) {
  const std::span<const Column> columns = ColumnsOf(kind);
  if (column < 1 || column > static_cast<int>(columns.size())) return nullptr;
  return &columns[static_cast<std::size_t>(column - 1)];
}

struct FieldCommand {
  unsigned command;
  int field;
};
constexpr std::array<FieldCommand, 12> kFieldCommands = {{{kCmdSortLatest, kSortLatest},
                                                          {kCmdSortChangeRatio, kSortChangeRatio},
                                                          {kCmdSortChange, kSortChange},
                                                          {kCmdSortVolume, kSortVolume},
                                                          {kCmdSortHigh, kSortHigh},
                                                          {kCmdSortLow, kSortLow},
                                                          {kCmdSortTurnover, kSortTurnover},
                                                          {kCmdSortSpeed, kSortSpeed},
                                                          {kCmdSortPe, kSortPe},
                                                          {kCmdSortAmount, kSortAmount},
                                                          {kCmdSortThreeDayChange, kSortThreeDayChange},
                                                          {kCmdSortThreeDayTurnover, kSortThreeDayTurnover}}};

}  // namespace

int ColumnCount(ListKind kind) { return static_cast<int>(ColumnsOf(kind).size()); }

int LastFirstColumn(ListKind kind) { return ColumnCount(kind) - 2; }

std::u16string_view ColumnLabel(ListKind kind, int column) {
  const Column* found = ColumnAt(kind, column);
  return found ? found->label : std::u16string_view();
}

std::u16string HeaderText(ListKind kind, int column, int arrowColumn, int sortDirection) {
  std::u16string text(ColumnLabel(kind, column));
  if (column == arrowColumn && !text.empty()) text += sortDirection == kSortAscending ? u"↑" : u"↓";
  return text;
}

std::optional<int> SortFieldForHeader(ListKind kind, int column) {
  const Column* found = ColumnAt(kind, column);
  if (!found || found->sortField == kNoSort) return std::nullopt;
  return found->sortField;
}

int ArrowColumnFor(ListKind kind, int sortField) {
  if (sortField == kSortServerOrder) return 0;
  const std::span<const Column> columns = ColumnsOf(kind);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (columns[i].sortField == sortField) return static_cast<int>(i + 1);
  }
  return 0;
}

std::optional<int> SortFieldForCommand(unsigned command) {
  for (const FieldCommand& entry : kFieldCommands) {
    if (entry.command == command) return entry.field;
  }
  return std::nullopt;
}

unsigned CommandForSortField(int sortField) {
  for (const FieldCommand& entry : kFieldCommands) {
    if (entry.field == sortField) return entry.command;
  }
  return 0;
}

}  // namespace tarvello
