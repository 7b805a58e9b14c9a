// ListFigures: what the quote lists show and sort by for one security at one moment, in the
// row's decimal scale (a ratio of 1.23% is 123 with 2 decimals, 1230 with 3). Volumes are in
// lots, amounts in yuan. With them go the security's own fund flow view and its sectors' money
// flows, so that every screen reads one set of figures. Plain values.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarvello::server {

// The periods of a fund flow view, in days: today, 3, 5 and 10 days.
inline constexpr std::array<int, 4> kFlowPeriods = {1, 3, 5, 10};

// One security's fund flow as its view (answer 2109) carries it, at two decimals: the large
// orders' net ratio over each of kFlowPeriods in percent, today's inflow and outflow of large,
// medium and small orders and the pie's other slice in ten-thousands of yuan, and the security's
// place among its peers (the listable securities of its kind) by each of the ratios: one more
// than the number of peers with a higher ratio, so equal ratios share a place.
struct FlowFigures {
  std::array<int, 4> ratios{};
  std::array<int, 3> inflow{};
  std::array<int, 3> outflow{};
  int other = 0;
  std::array<int, 4> ranks{};
};

// The money that flowed into a sector over some days (today included), in yuan, and the amount
// traded meanwhile.
struct SectorFlow {
  std::int64_t net = 0;
  std::int64_t amount = 0;
};

// The periods of the sector fund flow list, in days.
inline constexpr std::array<int, 3> kSectorFlowPeriods = {1, 5, 15};

struct ListFigures {
  std::string code;
  std::u16string name;
  int decimals = 2;
  int latest = 0;
  int prev_close = 0;
  int high = 0;
  int low = 0;
  int change = 0;
  int change_ratio = 0;
  int turnover = 0;
  int speed = 0;              // change over the last five minutes, percent
  int pe = 0;                 // 0 without earnings
  int three_day_change = 0;   // change ratio against the close three trading days back
  int three_day_turnover = 0;
  std::int64_t volume = 0;
  std::int64_t amount = 0;
  // Sectors: the yuan that one unit of the amount their rows carry stands for (see
  // SectorAmountUnit).
  std::int64_t amount_unit = 1;
  int interest_change = 0;    // index futures: the day's open-interest change
  int open_interest = 0;
  std::u16string leader;      // sectors: the name of the member that rose most
  // The fund flow of the security's own fund flow answer, and from it in the row's scale over
  // each of kFlowPeriods: the large orders' net ratio (percent) and the net amount of all orders
  // (ten-thousands of yuan).
  FlowFigures flow;
  std::array<int, 4> net_ratios{};
  std::array<int, 4> net_amounts{};
  std::array<SectorFlow, 3> sector_flows{};  // sectors: over each of kSectorFlowPeriods
};

}  // namespace tarvello::server
