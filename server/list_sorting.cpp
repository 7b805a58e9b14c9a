#include "server/list_sorting.h"

#include <algorithm>
#include <utility>

namespace tarvello::server {

namespace {

// Prices and ratios brought to three decimals, so that rows of 2 and 3 decimals compare.
std::int64_t Shown(int value, int decimals) {
  std::int64_t scaled = value;
  for (int d = decimals; d < 3; ++d) scaled *= 10;
  for (int d = decimals; d > 3; --d) scaled /= 10;
  return scaled;
}

}  // namespace

bool SortKey(const ListFigures& row, int field, std::int64_t& key) {
  const int d = row.decimals;
  switch (field) {
    case kByChangeRatio: key = Shown(row.change_ratio, d); return true;
    case kByLatest: key = Shown(row.latest, d); return true;
    case kByVolume: key = row.volume; return true;
    case kByAmount: key = row.amount; return true;
    case kByTurnover: key = Shown(row.turnover, d); return true;
    case kByPe: key = Shown(row.pe, d); return true;
    case kByThreeDayChange: key = Shown(row.three_day_change, d); return true;
    case kByThreeDayTurnover: key = Shown(row.three_day_turnover, d); return true;
    case kBySpeed: key = Shown(row.speed, d); return true;
    case kByChange: key = Shown(row.change, d); return true;
    case kByHigh: key = Shown(row.high, d); return true;
    case kByLow: key = Shown(row.low, d); return true;
    default: return false;
  }
}

std::vector<int> SortedPage(std::span<const ListFigures> rows, std::span<const int> members, ListOrder order,
                            std::size_t start, std::size_t count) {
  if (start >= members.size()) return {};
  const std::size_t end = start + std::min(count, members.size() - start);
  std::int64_t probe = 0;
  if (!SortKey(rows[static_cast<std::size_t>(members[0])], order.field, probe)) {
    return {members.begin() + static_cast<std::ptrdiff_t>(start), members.begin() + static_cast<std::ptrdiff_t>(end)};
  }
  // (key, place in the given order): equal keys fall back to the given order.
  std::vector<std::pair<std::int64_t, std::size_t>> keyed;
  keyed.reserve(members.size());
  for (std::size_t i = 0; i < members.size(); ++i) {
    std::int64_t key = 0;
    SortKey(rows[static_cast<std::size_t>(members[i])], order.field, key);
    keyed.emplace_back(order.direction == kAscending ? key : -key, i);
  }
  const auto page_end = keyed.begin() + static_cast<std::ptrdiff_t>(end);
  std::partial_sort(keyed.begin(), page_end, keyed.end());
  std::vector<int> page;
  page.reserve(end - start);
  for (auto it = keyed.begin() + static_cast<std::ptrdiff_t>(start); it != page_end; ++it) page.push_back(members[it->second]);
  return page;
}

}  // namespace tarvello::server
