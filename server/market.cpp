#include "server/market.h"

#include <algorithm>

#include "server/calendar.h"
#include "server/catalog.h"

namespace tarvello::server {

namespace {

// The first trading day of every market: Monday 2000-01-03.
const std::int64_t kEpoch = DayNumberFromCivil(2000, 1, 3);

}  // namespace

Market::Market(const MarketConfig& config) : seed_(config.seed), securities_(BuildCatalog(config.seed)) {
  for (std::size_t i = 0; i < securities_.size(); ++i) by_code_[securities_[i].code] = static_cast<int>(i);
  const std::int64_t start_day = std::max(TradingDayOnOrBefore(config.start.day), kEpoch);
  const std::int64_t last = AddTradingDays(start_day, config.future_days);
  for (std::int64_t day = kEpoch; day <= last; day = AddTradingDays(day, 1)) days_.push_back(day);
  const auto start_index = std::lower_bound(days_.begin(), days_.end(), start_day) - days_.begin();
  first_history_day_ = std::max(0, static_cast<int>(start_index) - config.history_days);
  const int count = day_count();

  chains_.resize(securities_.size());
  for (std::size_t i = 0; i < securities_.size(); ++i) {
    if (!securities_[i].IsComposite()) chains_[i] = BuildOwnChain(securities_[i], seed_, static_cast<int>(i), count);
  }
  for (std::size_t i = 0; i < securities_.size(); ++i) {
    const Security& s = securities_[i];
    if (!s.IsComposite()) continue;
    std::vector<const DailyChain*> members;
    for (int m : s.members) members.push_back(&chains_[static_cast<std::size_t>(m)]);
    chains_[i] = BuildCompositeChain(s, members, Weights(s));
  }
  // A future repeats its index's daily moves at its own level; its minutes are its own.
  for (std::size_t i = 0; i < securities_.size(); ++i) {
    const Security& s = securities_[i];
    if (s.follows < 0) continue;
    const DailyChain* index[] = {&chains_[static_cast<std::size_t>(s.follows)]};
    const double weight[] = {1.0};
    chains_[i] = BuildCompositeChain(s, index, weight);
  }
}

int Market::Find(std::string_view code) const {
  const auto it = by_code_.find(std::string(code));
  return it == by_code_.end() ? -1 : it->second;
}

std::vector<double> Market::Weights(const Security& index) const {
  std::vector<double> weights;
  for (int m : index.members) {
    const Security& member = securities_[static_cast<std::size_t>(m)];
    weights.push_back(static_cast<double>(member.float_lots) * member.base_price / (member.decimals == 3 ? 10 : 1));
  }
  return weights;
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
  const Security& s = security(index);
  std::shared_ptr<const DayPath> path;
  if (s.IsComposite()) {
    std::vector<std::shared_ptr<const DayPath>> held;
    std::vector<MemberDay> members;
    for (int m : s.members) {
      held.push_back(Path(m, day_index));
      members.push_back(MemberDay{held.back().get(), day(m, day_index).prev_close});
    }
    path = std::make_shared<const DayPath>(CombinePaths(s, day(index, day_index), members, Weights(s)));
  } else {
    path = std::make_shared<const DayPath>(DrawOwnPath(s, day(index, day_index), seed_, index, day_index));
  }
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
