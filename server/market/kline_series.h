// KLineSeries: the bars of one security for one period and price adjustment, as the K-line
// answer sends them. Day bars are summed from each day's minute path; weeks, months, quarters,
// half years and years from the day bars; minute bars (1, 5, 15, 30, 60 and 120 minutes) from
// the paths of the days concerned. A bar carries the date of its period's end from its first
// minute or day on (a five-minute bar of 10:31 to 10:35 is dated 10:35 from 10:31; a week, its
// Friday), so that a chart refreshing its newest bar sees one date while the bar forms. Forward
// adjustment rescales the bars before each dividend or split known at the moment, backward
// adjustment those after it, so the adjusted series differ from the raw one exactly across the
// events. The full-day bars of past days never change and
// are kept per security behind a mutex; everything else is computed per call.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "server/market/market.h"

namespace tarvello::server {

struct Bar {
  int date = 0;  // YYYYMMDD, or month<<16 | day<<11 | hour<<6 | minute for minute periods
  int open = 0;
  int high = 0;
  int low = 0;
  int close = 0;
  std::int64_t volume = 0;
  std::int64_t amount = 0;  // yuan
};

enum class Adjustment { kNone = 0, kForward = 1, kBackward = 2 };

struct KLineQuery {
  int period = 7;
  std::uint32_t start = 0;  // 0: the newest bars; else bars older than the bar of that date
  int count = 0;
  Adjustment adjustment = Adjustment::kNone;
};

inline constexpr int kMaxBarsAsked = 400;

// Minutes per bar of a minute period; 0 for day-based periods and unknown codes.
int PeriodMinutes(int period);
bool IsKnownPeriod(int period);
int PackMinuteDate(int yyyymmdd, int hhmm);

class KLineSeries {
 public:
  explicit KLineSeries(const Market& market) : market_(market) {}

  // Oldest first; at most query.count bars (bounded by kMaxBarsAsked).
  std::vector<Bar> Bars(int index, const Position& position, const KLineQuery& query) const;
  // The price factor of a day under an adjustment, given the events known at `today`.
  double Factor(int index, int day_index, int today, Adjustment adjustment) const;

 private:
  std::shared_ptr<const std::vector<Bar>> PastDays(int index, int days) const;
  Bar DayBar(int day_index, int slots, const DayPath& path) const;
  std::vector<Bar> DayBars(int index, const Position& position, Adjustment adjustment) const;
  std::vector<Bar> MinuteBars(int index, const Position& position, const KLineQuery& query) const;
  std::vector<Bar> MinuteBarsOfDay(int index, int day_index, int slots, int minutes, double factor) const;

  const Market& market_;
  mutable std::mutex mutex_;
  // Guarded by mutex_: the full-day bars of past days, per security.
  mutable std::map<int, std::shared_ptr<const std::vector<Bar>>> past_days_;
};

}  // namespace tarvello::server
