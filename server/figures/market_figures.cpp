#include "server/figures/market_figures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>

#include "server/figures/fund_flow.h"
#include "server/figures/list_market.h"
#include "server/market/money_flow.h"
#include "server/market/parallel.h"
#include "server/market/wire_limits.h"

namespace tarvello::server {

namespace {

constexpr int kSecondsPerMinute = 60;
constexpr int kMinutesPerDay = 24 * 60;

// Every period a figure is summed over: the fund flow's, then the sector fund flow's longest.
constexpr int kSpanDays[] = {1, 3, 5, 10, 15};
constexpr std::size_t kSpanCount = std::size(kSpanDays);
// Where each of kSectorFlowPeriods (1, 5, 15 days) sits in kSpanDays.
constexpr std::size_t kSectorSpans[] = {0, 2, 4};

using Spans = std::array<FlowSplit, kSpanCount>;

// A composite's money flow is its members' summed, in the order the flow book sums them.
Spans MembersSummed(const Security& composite, const std::vector<Spans>& spans) {
  Spans total{};
  for (const int m : composite.members) {
    for (std::size_t k = 0; k < kSpanCount; ++k) total[k] += spans[static_cast<std::size_t>(m)][k];
  }
  return total;
}

// The fund flow of the view, and in the row's scale for the lists.
void SetFlow(ListFigures& f, const Spans& spans) {
  f.flow = FlowFiguresOf(std::span<const FlowSplit>(spans.data(), kFlowPeriods.size()));
  int to_row = 1;  // the view's two decimals brought to the row's
  for (int d = 2; d < f.decimals; ++d) to_row *= 10;
  for (std::size_t k = 0; k < kFlowPeriods.size(); ++k) {
    f.net_ratios[k] = f.flow.ratios[k] * to_row;
    std::int64_t net = 0;
    for (std::size_t size = 0; size < 3; ++size)
      net += FlowAmount(spans[k].inflow[size]) - FlowAmount(spans[k].outflow[size]);
    f.net_amounts[k] = Clamp32(net * to_row);
  }
  for (std::size_t p = 0; p < kSectorFlowPeriods.size(); ++p) {
    const FlowSplit& split = spans[kSectorSpans[p]];
    f.sector_flows[p] = SectorFlow{std::llround(split.NetInflow()), std::llround(split.amount)};
  }
}

// Each listable security's place among the listable securities of its kind, by each ratio.
void Rank(const Market& market, std::vector<ListFigures>& rows) {
  std::map<Kind, std::vector<int>> peers;
  for (int i = 0; i < market.size(); ++i) {
    if (Listable(market.security(i))) peers[market.security(i).kind].push_back(i);
  }
  for (const auto& [kind, members] : peers) {
    for (std::size_t k = 0; k < kFlowPeriods.size(); ++k) {
      std::vector<int> higher_first;
      for (const int m : members)
        higher_first.push_back(rows[static_cast<std::size_t>(m)].flow.ratios[k]);
      std::sort(higher_first.begin(), higher_first.end(), std::greater<>());
      for (const int m : members) {
        FlowFigures& flow = rows[static_cast<std::size_t>(m)].flow;
        const auto ahead = std::lower_bound(higher_first.begin(), higher_first.end(),
                                            flow.ratios[k], std::greater<>());
        flow.ranks[k] = static_cast<int>(ahead - higher_first.begin()) + 1;
      }
    }
  }
}

// The name of the sector's member that rose most (the first of equals); empty without members.
std::u16string Leader(const Security& sector, const std::vector<ListFigures>& rows) {
  const ListFigures* best = nullptr;
  for (const int m : sector.members) {
    const ListFigures& f = rows[static_cast<std::size_t>(m)];
    if (best == nullptr || f.change_ratio > best->change_ratio) best = &f;
  }
  return best == nullptr ? std::u16string() : best->name;
}

void SetSectorAmountUnit(const Market& market, std::vector<ListFigures>& rows) {
  std::int64_t largest = 0;
  for (int i = 0; i < market.size(); ++i) {
    if (market.security(i).kind == Kind::kSector)
      largest = std::max(largest, rows[static_cast<std::size_t>(i)].amount);
  }
  const std::int64_t unit = SectorAmountUnit(largest);
  for (int i = 0; i < market.size(); ++i) {
    if (market.security(i).kind == Kind::kSector)
      rows[static_cast<std::size_t>(i)].amount_unit = unit;
  }
}

}  // namespace

std::int64_t SectorAmountUnit(std::int64_t largest_amount) {
  std::int64_t unit = 1;
  while (largest_amount / unit > std::numeric_limits<std::int32_t>::max()) unit *= 10;
  return unit;
}

std::int64_t MinuteOf(const SimTime& time) {
  return time.day * kMinutesPerDay + time.seconds_of_day / kSecondsPerMinute;
}

SimTime StartOfMinute(std::int64_t minute) {
  return SimTime{minute / kMinutesPerDay,
                 static_cast<int>(minute % kMinutesPerDay) * kSecondsPerMinute};
}

std::shared_ptr<const MarketFigures> BuildMarketFigures(const Market& market, std::int64_t minute,
                                                        unsigned threads) {
  const SimTime at = StartOfMinute(minute);
  auto figures = std::make_shared<MarketFigures>();
  figures->minute = minute;
  std::vector<ListFigures>& rows = figures->rows;
  rows.resize(static_cast<std::size_t>(market.size()));
  std::vector<Spans> spans(rows.size());
  ForEachInParallel(
      market.size(),
      [&](int i) {
        const Position position = market.PositionAt(i, at);
        rows[static_cast<std::size_t>(i)] = FiguresOf(market, i, position);
        if (market.security(i).IsComposite()) return;
        const std::vector<FlowSplit> own = market.flows().OverEach(i, position, kSpanDays);
        std::copy(own.begin(), own.end(), spans[static_cast<std::size_t>(i)].begin());
      },
      threads);
  for (int i = 0; i < market.size(); ++i) {
    const Security& s = market.security(i);
    const auto row = static_cast<std::size_t>(i);
    if (s.IsComposite()) spans[row] = MembersSummed(s, spans);
    SetFlow(rows[row], spans[row]);
    if (s.kind == Kind::kSector) rows[row].leader = Leader(s, rows);
  }
  Rank(market, rows);
  SetSectorAmountUnit(market, rows);
  return figures;
}

}  // namespace tarvello::server
