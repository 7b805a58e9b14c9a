#include "server/list_figures.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "server/quote_state.h"

namespace tarvello::server {

namespace {

constexpr int kSpeedSlots = 5;

double Percent(double part, double whole) { return whole > 0 ? part * 100.0 / whole : 0; }

double Value(const ListFigures& f, SortField field) {
  switch (field) {
    case SortField::kChangeRatio: return f.change_ratio;
    case SortField::kLatest: return f.last;
    case SortField::kVolume: return static_cast<double>(f.volume);
    case SortField::kAmount: return static_cast<double>(f.amount);
    case SortField::kTurnover: return f.turnover;
    case SortField::kPe: return f.pe;
    case SortField::kThreeDayChange: return f.three_day_change;
    case SortField::kThreeDayTurnover: return f.three_day_turnover;
    case SortField::kSpeed: return f.speed;
    case SortField::kChange: return f.change;
    case SortField::kHigh: return f.high;
    case SortField::kLow: return f.low;
    case SortField::kDefault: break;
  }
  return 0;
}

}  // namespace

bool IsSortField(int code) {
  static constexpr int kCodes[] = {0, 1, 4, 5, 6, 7, 8, 10, 12, 15, 16, 21, 22};
  return std::find(std::begin(kCodes), std::end(kCodes), code) != std::end(kCodes);
}

ListFigures FiguresAt(const Market& market, int index, const Position& position) {
  const Security& s = market.security(index);
  const auto path = market.Path(index, position.day_index);
  const QuoteState q = ComputeQuote(s, market.day(index, position.day_index), *path, position.slots);
  ListFigures f;
  f.index = index;
  f.prev_close = q.prev_close;
  f.volume = q.volume;
  f.amount = q.amount;
  const double float_lots = static_cast<double>(s.float_lots);
  f.turnover = Percent(static_cast<double>(q.volume), float_lots);
  std::int64_t three_day_volume = q.volume;
  for (int d = position.day_index - 2; d < position.day_index; ++d) three_day_volume += d >= 0 ? market.DayVolume(index, d) : 0;
  f.three_day_turnover = Percent(static_cast<double>(three_day_volume), float_lots);
  if (q.slots == 0 || q.suspended) return f;
  f.last = q.last;
  f.high = q.high;
  f.low = q.low;
  f.change = q.last - q.prev_close;
  f.change_ratio = Percent(f.change, q.prev_close);
  const double unit = std::pow(10.0, s.decimals);
  f.pe = s.earnings_milli > 0 ? q.last / unit * 1000.0 / s.earnings_milli : 0;
  const int before = q.slots > kSpeedSlots ? path->price[static_cast<std::size_t>(q.slots - 1 - kSpeedSlots)] : q.prev_close;
  f.speed = Percent(q.last - before, before);
  const int base = position.day_index >= 3 ? market.day(index, position.day_index - 3).close : q.prev_close;
  f.three_day_change = Percent(q.last - base, base);
  return f;
}

std::vector<ListFigures> FiguresOf(const Market& market, std::span<const int> indices, const SimTime& now) {
  std::vector<ListFigures> rows;
  rows.reserve(indices.size());
  for (int index : indices) rows.push_back(FiguresAt(market, index, market.PositionAt(index, now)));
  return rows;
}

std::vector<ListFigures> SortedPage(std::span<const ListFigures> rows, SortField field, bool ascending, int start,
                                    int count) {
  const std::size_t first = std::min(rows.size(), static_cast<std::size_t>(std::max(start, 0)));
  const std::size_t last = std::min(rows.size(), first + static_cast<std::size_t>(std::max(count, 0)));
  std::vector<std::uint32_t> order(rows.size());
  std::iota(order.begin(), order.end(), 0u);
  if (field != SortField::kDefault) {
    const auto before = [&](std::uint32_t a, std::uint32_t b) {
      const ListFigures &x = rows[a], &y = rows[b];
      if ((x.last == 0) != (y.last == 0)) return y.last == 0;
      const double vx = Value(x, field), vy = Value(y, field);
      if (vx != vy) return ascending ? vx < vy : vx > vy;
      return a < b;
    };
    std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(last), order.end(), before);
  }
  std::vector<ListFigures> page;
  page.reserve(last - first);
  for (std::size_t i = first; i < last; ++i) page.push_back(rows[order[i]]);
  return page;
}

}  // namespace tarvello::server
