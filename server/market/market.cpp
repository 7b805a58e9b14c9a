#include "server/market/market.h"

#include <algorithm>
#include <cmath>

#include "server/market/calendar.h"
#include "server/market/catalog.h"
#include "server/market/deterministic_random.h"
#include "server/market/money_flow.h"

namespace tarvello::server {

namespace {

// The first trading day of every market: Monday 2000-01-03.
const std::int64_t kEpoch = DayNumberFromCivil(2000, 1, 3);
// Recent days whose index minutes are combined from the members' minutes.
constexpr int kCombinedDays = 5;
constexpr std::uint64_t kBasisSalt = 0x42415349;

}  // namespace

double IndexWeight(const Security& m) {
  const double unit = m.decimals == 3 ? 1000.0 : 100.0;
  const double currency = m.kind != Kind::kBShare ? 1.0 : m.code[1] == 'H' ? 7.1 : 0.91;
  return static_cast<double>(m.float_lots) * 100.0 * currency / unit;
}

namespace {

int Round(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

Market::Market(const MarketConfig& config) : seed_(config.seed), securities_(BuildCatalog(config.seed)) {
  for (std::size_t i = 0; i < securities_.size(); ++i) by_code_[securities_[i].code] = static_cast<int>(i);
  const std::int64_t start_day = std::max(TradingDayOnOrBefore(config.start.day), AddTradingDays(kEpoch, 1));
  const std::int64_t last = AddTradingDays(start_day, config.future_days);
  for (std::int64_t day = kEpoch; day <= last; day = AddTradingDays(day, 1)) days_.push_back(day);
  start_day_index_ = static_cast<int>(std::lower_bound(days_.begin(), days_.end(), start_day) - days_.begin());
  first_history_day_ = std::max(0, start_day_index_ - config.history_days);
  combined_from_ = std::max(1, start_day_index_ - kCombinedDays);
  for (Security& s : securities_) s.listed_day = std::clamp(start_day_index_ - s.listed_age, 0, start_day_index_);
  level_factor_.assign(securities_.size(), 1.0);
  for (std::size_t i = 0; i < securities_.size(); ++i) {
    const Security& s = securities_[i];
    if (!s.IsComposite()) continue;
    const double value = MemberValueOn(s, start_day_index_).prev_close;
    level_factor_[i] = value > 0 ? s.start_level / value : 1.0;
  }
  flows_ = std::make_unique<const FlowBook>(*this);
}

Market::~Market() = default;

int Market::Find(std::string_view code) const {
  const auto it = by_code_.find(std::string(code));
  return it == by_code_.end() ? -1 : it->second;
}

int Market::FirstBarDay(int index) const { return std::max(first_history_day_, security(index).listed_day); }

std::shared_ptr<const SegmentCloses> Market::Segment(int index, int segment) const {
  const std::uint64_t key = static_cast<std::uint64_t>(index) << 16 | static_cast<std::uint64_t>(segment);
  {
    const std::lock_guard<std::mutex> lock(segment_mutex_);
    const auto it = segments_.find(key);
    if (it != segments_.end()) return it->second;
  }
  auto drawn = std::make_shared<const SegmentCloses>(WalkSegment(security(index), seed_, index, segment));
  const std::lock_guard<std::mutex> lock(segment_mutex_);
  return segments_.emplace(key, std::move(drawn)).first->second;
}

DayQuote Market::OwnDay(int index, int day_index) const {
  const auto segment = Segment(index, day_index / kSegmentDays);
  const auto j = static_cast<std::size_t>(day_index % kSegmentDays);
  int previous = segment->close[j];
  if (day_index > 0) {
    previous = j > 0 ? segment->close[j - 1] : Segment(index, day_index / kSegmentDays - 1)->close[kSegmentDays - 1];
  }
  return SegmentDay(security(index), seed_, index, day_index, previous, *segment);
}

Market::MemberValue Market::MemberValueOn(const Security& composite, int day_index) const {
  MemberValue value;
  for (int m : composite.members) {
    const DayQuote day = OwnDay(m, day_index);
    const double weight = IndexWeight(security(m));
    value.prev_close += weight * (day_index > 0 ? OwnDay(m, day_index - 1).close : day.prev_close);
    value.open += weight * day.open;
    value.close += weight * day.close;
  }
  return value;
}

DayQuote Market::CompositeDay(int index, int day_index) const {
  const Security& s = security(index);
  MemberValue value;
  if (day_index >= combined_from_ || day_index < first_history_day_) {
    const std::pair<int, int> key{index, day_index};
    {
      const std::lock_guard<std::mutex> lock(composite_mutex_);
      const auto it = recent_values_.find(key);
      if (it != recent_values_.end()) value = it->second;
    }
    if (value.close == 0) {
      value = MemberValueOn(s, day_index);
      const std::lock_guard<std::mutex> lock(composite_mutex_);
      recent_values_.emplace(key, value);
    }
  } else {
    const auto day = static_cast<std::size_t>(day_index - first_history_day_);
    value = CompositeHistories()[static_cast<std::size_t>(index)][day];
  }
  const double factor = level_factor_[static_cast<std::size_t>(index)];
  DayQuote day;
  day.limit_percent = 0;
  day.prev_close = std::max(1, Round(value.prev_close * factor));
  day.open = std::max(1, Round(value.open * factor));
  day.close = std::max(1, Round(value.close * factor));
  return day;
}

// The basis of a contract: a premium growing with its distance to delivery and a daily wobble,
// both well under one percent.
DayQuote Market::FutureDay(int index, int day_index) const {
  const Security& s = security(index);
  const auto basis = [&](int d) {
    const std::uint64_t h = Hash(seed_, kBasisSalt, static_cast<std::uint64_t>(index), static_cast<std::uint64_t>(d));
    return 1.0 + 0.0012 * (s.code.back() - '0') + 0.0015 * Gauss(h) / 3.5;
  };
  const DayQuote today = CompositeDay(s.follows, day_index);
  DayQuote day;
  day.limit_percent = s.limit_percent;
  day.close = OnPriceTick(s, today.close * basis(day_index));
  day.open = OnPriceTick(s, today.open * basis(day_index));
  day.prev_close = day_index > 0 ? OnPriceTick(s, CompositeDay(s.follows, day_index - 1).close * basis(day_index - 1)) : day.open;
  return day;
}

DayQuote Market::day(int index, int day_index) const {
  const Security& s = security(index);
  if (s.IsComposite()) return CompositeDay(index, day_index);
  if (s.follows >= 0) return FutureDay(index, day_index);
  return OwnDay(index, day_index);
}

std::shared_ptr<const std::vector<CorporateEvent>> Market::Events(int index) const {
  {
    const std::lock_guard<std::mutex> lock(composite_mutex_);
    const auto it = events_.find(index);
    if (it != events_.end()) return it->second;
  }
  auto events = std::make_shared<std::vector<CorporateEvent>>();
  const Security& s = security(index);
  for (int block = 1; block * kYearDays < day_count(); ++block) {
    const int d = DividendDay(s, seed_, index, block);
    if (d <= 0 || d >= day_count()) continue;
    const int previous = OwnDay(index, d - 1).close;
    const int reference = OwnDay(index, d).prev_close;
    events->push_back(CorporateEvent{d, previous - reference, static_cast<double>(reference) / previous});
  }
  const std::lock_guard<std::mutex> lock(composite_mutex_);
  return events_.emplace(index, std::move(events)).first->second;
}

std::int64_t Market::DayVolume(int index, int day_index) const {
  const Security& s = security(index);
  if (!s.IsComposite()) return day(index, day_index).suspended ? 0 : DrawnDayVolume(s, seed_, index, day_index);
  if (day_index >= combined_from_ && day_index < start_day_index_) {
    return RecentDays()[static_cast<std::size_t>(index)][static_cast<std::size_t>(day_index - combined_from_)].lots / 100;
  }
  const std::pair<int, int> key{index, day_index};
  {
    const std::lock_guard<std::mutex> lock(composite_mutex_);
    const auto it = composite_volumes_.find(key);
    if (it != composite_volumes_.end()) return it->second;
  }
  std::int64_t lots = 0;
  for (int m : s.members) lots += DayVolume(m, day_index);
  const std::lock_guard<std::mutex> lock(composite_mutex_);
  return composite_volumes_.emplace(key, lots / 100).first->second;
}

Position Market::PositionAt(int index, const SimTime& time) const {
  const Session& session = *security(index).session;
  std::int64_t day = time.day;
  int slots = IsTradingDay(day) ? session.SlotsReached(time.seconds_of_day) : session.SlotCount();
  if (!IsTradingDay(day)) day = TradingDayOnOrBefore(day);
  if (slots == 0) {
    day = AddTradingDays(day, -1);
    slots = session.SlotCount();
  }
  const auto it = std::lower_bound(days_.begin(), days_.end(), day);
  if (it == days_.end()) return Position{day_count() - 1, session.SlotCount()};
  if (it == days_.begin() && *it != day) return Position{0, session.SlotCount()};
  return Position{static_cast<int>(it - days_.begin()), slots};
}

std::shared_ptr<const DayPath> Market::DrawPath(int index, int day_index) const {
  const Security& s = security(index);
  const DayQuote today = day(index, day_index);
  if (!s.IsComposite() || day_index < combined_from_) {
    return std::make_shared<const DayPath>(DrawOwnPath(s, today, seed_, index, day_index));
  }
  if (day_index < start_day_index_) {
    return RecentDays()[static_cast<std::size_t>(index)][static_cast<std::size_t>(day_index - combined_from_)].path;
  }
  PathSum sum(s.session->SlotCount());
  for (int m : s.members) sum.Add(*Path(m, day_index), IndexWeight(security(m)));
  return std::make_shared<const DayPath>(sum.Finish(today, level_factor_[static_cast<std::size_t>(index)]));
}

std::shared_ptr<const DayPath> Market::Path(int index, int day_index) const {
  const PathKey key{index, day_index};
  {
    const std::lock_guard<std::mutex> lock(path_mutex_);
    const auto it = paths_.find(key);
    if (it != paths_.end()) {
      path_order_.splice(path_order_.begin(), path_order_, it->second.second);
      return it->second.first;
    }
  }
  const std::shared_ptr<const DayPath> path = DrawPath(index, day_index);
  const std::lock_guard<std::mutex> lock(path_mutex_);
  if (paths_.count(key) != 0) return paths_[key].first;
  path_order_.push_front(key);
  paths_[key] = {path, path_order_.begin()};
  if (paths_.size() > kPathCacheSize) {
    paths_.erase(path_order_.back());
    path_order_.pop_back();
  }
  return path;
}

}  // namespace tarvello::server
