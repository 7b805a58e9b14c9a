// The figures a ranked quote list sorts by, for one security at one moment: price, change,
// volume and amount, turnover, P/E, rise speed (the change over the last five minutes) and the
// three-day change and turnover; and the sorting of a whole list by one of them into one page.
// Pure functions of the market; safe from any thread.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "server/market.h"

namespace tarvello::server {

struct ListFigures {
  int index = 0;  // catalogue position
  int last = 0;   // 0: no trade today (suspended, or before the first trade)
  int prev_close = 0;
  int high = 0;
  int low = 0;
  int change = 0;               // scaled price
  std::int64_t volume = 0;      // lots
  std::int64_t amount = 0;      // yuan
  double change_ratio = 0;      // percent
  double turnover = 0;          // percent of the float
  double pe = 0;                // price over yearly earnings; 0 when earnings are not positive
  double speed = 0;             // percent over the last five minutes
  double three_day_change = 0;  // percent against the close three days before
  double three_day_turnover = 0;
};

ListFigures FiguresAt(const Market& market, int index, const Position& position);
std::vector<ListFigures> FiguresOf(const Market& market, std::span<const int> indices, const SimTime& now);

// The sort fields of the quote lists, by the codes the terminal sends.
enum class SortField {
  kDefault = 0, kChangeRatio = 1, kLatest = 4, kVolume = 5, kAmount = 6, kTurnover = 7, kPe = 8,
  kThreeDayChange = 10, kThreeDayTurnover = 12, kSpeed = 15, kChange = 16, kHigh = 21, kLow = 22,
};
bool IsSortField(int code);

// Rows start..start+count of the list sorted by `field`; rows that have not traded go last in
// either direction, ties keep catalogue order. kDefault (and unknown fields) keep catalogue order.
std::vector<ListFigures> SortedPage(std::span<const ListFigures> rows, SortField field, bool ascending, int start,
                                    int count);

}  // namespace tarvello::server
