// The server-side order of the quote lists: the sort fields a list request may name, and the
// page of a list sorted by one of them. Rows of different decimal counts compare by their shown
// values; equal rows keep the order they were given in, in both directions. A field the lists
// do not know leaves the given order. Pure; safe from any thread.
#pragma once

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "server/figures/list_figures.h"

namespace tarvello::server {

enum SortField : int {
  kServerOrder = 0,
  kByChangeRatio = 1,
  kByFlow = 2,  // big-order and fund lists: their own measure
  kByLatest = 4,
  kByVolume = 5,
  kByAmount = 6,
  kByTurnover = 7,
  kByPe = 8,
  kByThreeDayChange = 10,
  kByThreeDayTurnover = 12,
  kBySectorInflow = 14,
  kBySpeed = 15,
  kByChange = 16,
  kByHigh = 21,
  kByLow = 22,
};

inline constexpr int kDescending = 0;
inline constexpr int kAscending = 1;

struct ListOrder {
  int field = kServerOrder;
  int direction = kDescending;
};

// The value a row sorts by, or nothing when the field is not one of the list's.
std::optional<std::int64_t> SortKey(const ListFigures& row, int field);
// A price or ratio of a row brought to three decimals, the scale rows compare in.
std::int64_t ShownValue(int value, int decimals);

// The page [start, start + count) of `members` (in the given order) sorted by `key` of each
// member, or in the given order when not `sortable`. Empty when start lies beyond the list.
template <typename Key>
std::vector<int> SortedPageBy(std::span<const int> members, bool sortable, int direction, std::size_t start,
                              std::size_t count, Key key) {
  if (start >= members.size()) return {};
  const std::size_t end = start + std::min(count, members.size() - start);
  const auto first = members.begin() + static_cast<std::ptrdiff_t>(start);
  if (!sortable) return {first, members.begin() + static_cast<std::ptrdiff_t>(end)};
  // (key, place in the given order): equal keys fall back to the given order.
  std::vector<std::pair<std::int64_t, std::size_t>> keyed;
  keyed.reserve(members.size());
  for (std::size_t i = 0; i < members.size(); ++i) {
    const std::int64_t k = key(members[i]);
    keyed.emplace_back(direction == kAscending ? k : -k, i);
  }
  const auto page_end = keyed.begin() + static_cast<std::ptrdiff_t>(end);
  std::partial_sort(keyed.begin(), page_end, keyed.end());
  std::vector<int> page;
  page.reserve(end - start);
  for (auto it = keyed.begin() + static_cast<std::ptrdiff_t>(start); it != page_end; ++it) {
    page.push_back(members[it->second]);
  }
  return page;
}

// Positions into `rows` of the page of `members` (positions into `rows`) sorted by `order`.
std::vector<int> SortedPage(std::span<const ListFigures> rows, std::span<const int> members, ListOrder order,
                            std::size_t start, std::size_t count);

}  // namespace tarvello::server
