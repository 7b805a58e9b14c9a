// What the fund-flow view (view 3) of the index futures screen shows: the totals, the flow table
// by order size and the large-order net ratios with their ranking positions, each cell's text
// and colour decided from the SecurityFundFlow alone. Pure, any thread.
#pragma once

#include <array>
#include <string>

#include "futures/futures_records.h"
#include "market/display_colours.h"

namespace tarvello {

inline constexpr ColorRef kOutflowTeal = 0xBFBF3F;  // (63,191,191)

struct FlowCell {
  std::u16string text;
  ColorRef colour = kPlainWhite;
  friend bool operator==(const FlowCell&, const FlowCell&) = default;
};

struct FlowTotals {
  FlowCell in;
  FlowCell out;
  std::u16string netLabel;  // "净流入(万元)" or "净流出(万元)"
  FlowCell net;             // the size of the net flow, coloured by its sign
};
FlowTotals FundFlowTotals(const SecurityFundFlow& flow);

// "大单", "中单", "小单": inflow, outflow and net.
struct FlowTableRow {
  const char16_t* label;
  FlowCell in;
  FlowCell out;
  FlowCell net;
};
std::array<FlowTableRow, 3> FundFlowTable(const SecurityFundFlow& flow);

// "当日", "3日", "10日": the large-order net ratio and the position in its ranking.
struct RatioTableRow {
  const char16_t* label;
  FlowCell ratio;
  FlowCell position;
};
std::array<RatioTableRow, 3> FundFlowRatios(const SecurityFundFlow& flow);

inline constexpr std::array<const char16_t*, 4> kFlowTableHeaders = {u"(万元)", u"流入", u"流出", u"净额"};
inline constexpr std::array<const char16_t*, 3> kRatioTableHeaders = {u"时间", u"大单净比", u"排名"};

}  // namespace tarvello
