#include "server/market/kline_series.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "server/market/calendar.h"

namespace tarvello::server {

namespace {

// Older minute bars than this many days back are never looked for.
constexpr int kMaxDaysWalked = 400;

int Scale(int price, double factor) { return static_cast<int>(std::lround(price * factor)); }

Bar Scaled(Bar bar, double factor) {
  if (factor == 1.0) return bar;
  bar.open = Scale(bar.open, factor);
  bar.high = Scale(bar.high, factor);
  bar.low = Scale(bar.low, factor);
  bar.close = Scale(bar.close, factor);
  return bar;
}

// A bar keeps the date of its period while later minutes or days join it.
void Merge(Bar& into, const Bar& bar) {
  into.high = std::max(into.high, bar.high);
  into.low = std::min(into.low, bar.low);
  into.close = bar.close;
  into.volume += bar.volume;
  into.amount += bar.amount;
}

// The grouping key of a day for the day-based periods (7 and longer).
std::int64_t GroupKey(int period, std::int64_t day_number) {
  const int date = CivilDate(day_number);
  const int month = date / 100 % 100;
  switch (period) {
    case 8: return WeekStart(day_number);
    case 9: return date / 100;
    case 10: return date / 10000 * 10 + (month - 1) / 3;
    case 11: return date / 10000 * 10 + (month - 1) / 6;
    case 12: return date / 10000;
    default: return day_number;
  }
}

// The last trading day of the period (week, month, quarter, half or whole year) a trading day
// falls in: the date its bar carries from its first day on.
int PeriodEndDate(int period, std::int64_t day_number) {
  const std::int64_t key = GroupKey(period, day_number);
  std::int64_t end = day_number;
  for (std::int64_t next = AddTradingDays(end, 1); GroupKey(period, next) == key; next = AddTradingDays(next, 1)) end = next;
  return CivilDate(end);
}

// The newest `count` bars older than `start` (all bars when start is 0), oldest first.
std::vector<Bar> Page(const std::vector<Bar>& bars, std::uint32_t start, int count, bool minute_dates) {
  std::size_t end = bars.size();
  if (start != 0) {
    const auto same = std::find_if(bars.rbegin(), bars.rend(), [&](const Bar& b) { return static_cast<std::uint32_t>(b.date) == start; });
    if (minute_dates && same != bars.rend()) {
      end = static_cast<std::size_t>(bars.rend() - same) - 1;
    } else {
      end = static_cast<std::size_t>(std::find_if(bars.rbegin(), bars.rend(), [&](const Bar& b) {
                                        return static_cast<std::uint32_t>(b.date) < start;
                                      }).base() - bars.begin());
    }
  }
  const std::size_t take = std::min<std::size_t>(end, static_cast<std::size_t>(std::clamp(count, 0, kMaxBarsAsked)));
  return std::vector<Bar>(bars.begin() + static_cast<std::ptrdiff_t>(end - take), bars.begin() + static_cast<std::ptrdiff_t>(end));
}

}  // namespace

int PeriodMinutes(int period) {
  static constexpr int kMinutes[] = {0, 1, 5, 15, 30, 60, 120};
  return period >= 1 && period <= 6 ? kMinutes[period] : 0;
}

bool IsKnownPeriod(int period) { return period >= 1 && period <= 12; }

int PackMinuteDate(int yyyymmdd, int hhmm) {
  return (yyyymmdd / 100 % 100) << 16 | (yyyymmdd % 100) << 11 | (hhmm / 100) << 6 | (hhmm % 100);
}

double KLineSeries::Factor(int index, int day_index, int today, Adjustment adjustment) const {
  double factor = 1.0;
  for (const CorporateEvent& event : *market_.Events(index)) {
    if (event.day_index > today) break;
    if (adjustment == Adjustment::kForward && event.day_index > day_index) factor *= event.factor;
    if (adjustment == Adjustment::kBackward && event.day_index <= day_index) factor /= event.factor;
  }
  return factor;
}

Bar KLineSeries::DayBar(int day_index, int slots, const DayPath& path) const {
  Bar bar;
  bar.date = CivilDate(market_.TradingDay(day_index));
  for (int k = 0; k < slots && k < static_cast<int>(path.price.size()); ++k) {
    const auto i = static_cast<std::size_t>(k);
    const Bar minute{bar.date, path.price[i], path.price[i], path.price[i], path.price[i], path.volume[i], path.amount[i]};
    if (k == 0) {
      bar = minute;
    } else {
      Merge(bar, minute);
    }
  }
  return bar;
}

std::shared_ptr<const std::vector<Bar>> KLineSeries::PastDays(int index, int days) const {
  std::shared_ptr<const std::vector<Bar>> held;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto it = past_days_.find(index);
    if (it != past_days_.end()) held = it->second;
  }
  if (held && static_cast<int>(held->size()) >= days) return held;
  auto bars = std::make_shared<std::vector<Bar>>(held ? *held : std::vector<Bar>{});
  const int slot_count = market_.security(index).session->SlotCount();
  const int first = market_.FirstBarDay(index);
  // Drawn aside from the market's path cache: years of days are read once and kept as bars.
  for (int d = first + static_cast<int>(bars->size()); d < first + days; ++d) {
    bars->push_back(DayBar(d, slot_count, *market_.DrawPath(index, d)));
  }
  const std::lock_guard<std::mutex> lock(mutex_);
  auto& entry = past_days_[index];
  if (!entry || entry->size() < bars->size()) entry = bars;
  return entry;
}

std::vector<Bar> KLineSeries::DayBars(int index, const Position& position, Adjustment adjustment) const {
  const int first = std::min(market_.FirstBarDay(index), position.day_index);
  const auto past = PastDays(index, position.day_index - first);
  std::vector<Bar> bars;
  bars.reserve(static_cast<std::size_t>(position.day_index - first) + 1);
  for (int d = first; d < position.day_index; ++d) {
    bars.push_back(Scaled((*past)[static_cast<std::size_t>(d - first)], Factor(index, d, position.day_index, adjustment)));
  }
  bars.push_back(Scaled(DayBar(position.day_index, position.slots, *market_.Path(index, position.day_index)),
                        Factor(index, position.day_index, position.day_index, adjustment)));
  return bars;
}

std::vector<Bar> KLineSeries::MinuteBarsOfDay(int index, int day_index, int slots, int minutes, double factor) const {
  const auto path = market_.Path(index, day_index);
  const Session& session = *market_.security(index).session;
  const int date = CivilDate(market_.TradingDay(day_index));
  std::vector<Bar> bars;
  int current_key = -1;
  for (int k = 0; k < slots && k < static_cast<int>(path->price.size()); ++k) {
    const auto i = static_cast<std::size_t>(k);
    // The opening minute of each half joins the first bar of that half.
    bool afternoon = false;
    const int offset = session.MinutesIntoHalf(k, afternoon);
    const int group = minutes == 1 ? offset : offset == 0 ? 0 : (offset - 1) / minutes;
    const int key = (afternoon ? 100000 : 0) + group;
    const int price = Scale(path->price[i], factor);
    Bar minute{0, price, price, price, price, path->volume[i], path->amount[i]};
    if (key != current_key) {
      // Dated by the last minute of its period, also while it forms.
      const int last = minutes == 1 ? offset : (group + 1) * minutes;
      minute.date = PackMinuteDate(date, session.SlotTime(std::min(k - offset + last, session.LastSlotOfHalf(k))));
      bars.push_back(minute);
      current_key = key;
    } else {
      Merge(bars.back(), minute);
    }
  }
  return bars;
}

std::vector<Bar> KLineSeries::MinuteBars(int index, const Position& position, const KLineQuery& query) const {
  const int minutes = PeriodMinutes(query.period);
  const int wanted = std::clamp(query.count, 0, kMaxBarsAsked);
  std::vector<Bar> bars;
  const int slot_count = market_.security(index).session->SlotCount();
  const int oldest = std::max(market_.FirstBarDay(index), position.day_index - kMaxDaysWalked);
  for (int d = position.day_index; d >= oldest; --d) {
    const int slots = d == position.day_index ? position.slots : slot_count;
    std::vector<Bar> day = MinuteBarsOfDay(index, d, slots, minutes, Factor(index, d, position.day_index, query.adjustment));
    day.insert(day.end(), bars.begin(), bars.end());
    bars = std::move(day);
    if (query.start == 0 && static_cast<int>(bars.size()) >= wanted) break;
    const auto held = std::find_if(bars.rbegin(), bars.rend(), [&](const Bar& b) { return static_cast<std::uint32_t>(b.date) == query.start; });
    if (query.start != 0 && bars.rend() - held - 1 >= wanted) break;
  }
  return Page(bars, query.start, wanted, true);
}

std::vector<Bar> KLineSeries::Bars(int index, const Position& position, const KLineQuery& query) const {
  if (!IsKnownPeriod(query.period) || query.count <= 0) return {};
  if (PeriodMinutes(query.period) > 0) return MinuteBars(index, position, query);
  const std::vector<Bar> days = DayBars(index, position, query.adjustment);
  if (query.period == 7) return Page(days, query.start, query.count, false);
  std::vector<Bar> grouped;
  std::int64_t key = -1;
  const int first = position.day_index + 1 - static_cast<int>(days.size());
  for (std::size_t d = 0; d < days.size(); ++d) {
    const std::int64_t k = GroupKey(query.period, market_.TradingDay(first + static_cast<int>(d)));
    if (grouped.empty() || k != key) {
      grouped.push_back(days[d]);
      grouped.back().date = PeriodEndDate(query.period, market_.TradingDay(first + static_cast<int>(d)));
      key = k;
    } else {
      Merge(grouped.back(), days[d]);
    }
  }
  return Page(grouped, query.start, query.count, false);
}

}  // namespace tarvello::server
