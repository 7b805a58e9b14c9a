#include "server/wire/list_sorting.h"

namespace tarvello::server {

std::int64_t ShownValue(int value, int decimals) {
  std::int64_t scaled = value;
  for (int d = decimals; d < 3; ++d) scaled *= 10;
  for (int d = decimals; d > 3; --d) scaled /= 10;
  return scaled;
}

std::optional<std::int64_t> SortKey(const ListFigures& row, int field) {
  const int d = row.decimals;
  switch (field) {
    case kByChangeRatio: return ShownValue(row.change_ratio, d);
    case kByLatest: return ShownValue(row.latest, d);
    case kByVolume: return row.volume;
    case kByAmount: return row.amount;
    case kByTurnover: return ShownValue(row.turnover, d);
    case kByPe: return ShownValue(row.pe, d);
    case kByThreeDayChange: return ShownValue(row.three_day_change, d);
    case kByThreeDayTurnover: return ShownValue(row.three_day_turnover, d);
    case kBySpeed: return ShownValue(row.speed, d);
    case kByChange: return ShownValue(row.change, d);
    case kByHigh: return ShownValue(row.high, d);
    case kByLow: return ShownValue(row.low, d);
    default: return std::nullopt;
  }
}

std::vector<int> SortedPage(std::span<const ListFigures> rows, std::span<const int> members, ListOrder order,
                            std::size_t start, std::size_t count) {
  const bool sortable = SortKey(ListFigures{}, order.field).has_value();
  return SortedPageBy(members, sortable, order.direction, start, count, [&](int member) {
    return *SortKey(rows[static_cast<std::size_t>(member)], order.field);
  });
}

}  // namespace tarvello::server
