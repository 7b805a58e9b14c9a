// The server-side order of the quote lists: the sort fields a list request may name, and the
// page of a list sorted by one of them. Rows of different decimal counts compare by their shown
// values; equal rows keep the order they were given in, in both directions. A field the lists
// do not know leaves the given order. Pure; safe from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "server/list_figures.h"

namespace tarvello::server {

enum SortField : int {
  kServerOrder = 0,
  kByChangeRatio = 1,
  kByLatest = 4,
  kByVolume = 5,
  kByAmount = 6,
  kByTurnover = 7,
  kByPe = 8,
  kByThreeDayChange = 10,
  kByThreeDayTurnover = 12,
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

// The value a row sorts by, or false when the field is not one of the list's.
bool SortKey(const ListFigures& row, int field, std::int64_t& key);

// Positions into `rows` of the page [start, start + count) of `members` (positions into `rows`,
// in the given order) sorted by `order`. Empty when start lies beyond the list.
std::vector<int> SortedPage(std::span<const ListFigures> rows, std::span<const int> members, ListOrder order,
                            std::size_t start, std::size_t count);

}  // namespace tarvello::server
