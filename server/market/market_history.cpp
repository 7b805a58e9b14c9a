// The past of the market's indices and sectors, drawn for all of them at once: a share belongs
// to several composites, so one pass over the shares serves every composite. Part of Market.
#include <algorithm>

#include "server/market/market.h"
#include "server/market/parallel.h"

namespace tarvello::server {

namespace {

// The members are split into this many runs whose sums are added in order, whatever the number
// of threads, so that the levels come out the same on every machine.
constexpr int kMemberRuns = 4;

}  // namespace

void Market::PrepareComposites() const {
  CompositeHistories();
  RecentDays();
}

std::vector<std::vector<int>> Market::CompositesOfMembers() const {
  std::vector<std::vector<int>> composites_of(securities_.size());
  for (std::size_t c = 0; c < securities_.size(); ++c) {
    for (const int m : securities_[c].members)
      composites_of[static_cast<std::size_t>(m)].push_back(static_cast<int>(c));
  }
  return composites_of;
}

const Market::Histories& Market::CompositeHistories() const {
  std::call_once(histories_once_, [this] { histories_ = DrawHistories(); });
  return histories_;
}

// A share's segments are walked once and not kept: the history of the market would otherwise
// hold the closes of every share for years.
void Market::AddToHistories(int m, const std::vector<int>& composites, Histories& values) const {
  const int first = first_history_day_;
  const auto count = static_cast<std::size_t>(std::max(combined_from_ - first, 0));
  const Security& member = security(m);
  const double weight = IndexWeight(member);
  int previous = first > 0 ? OwnDay(m, first - 1).close : 0;
  for (int segment = first / kSegmentDays; segment * kSegmentDays < combined_from_; ++segment) {
    const SegmentCloses closes = WalkSegment(member, seed_, m, segment);
    for (int j = 0; j < kSegmentDays; ++j) {
      const int d = segment * kSegmentDays + j;
      const auto i = static_cast<std::size_t>(j);
      if (d >= first && d < combined_from_) {
        const DayQuote day =
            SegmentDay(member, seed_, m, d, d == 0 ? closes.close[i] : previous, closes);
        for (const int c : composites) {
          std::vector<MemberValue>& of = values[static_cast<std::size_t>(c)];
          if (of.empty()) of.resize(count);
          MemberValue& v = of[static_cast<std::size_t>(d - first)];
          v.prev_close += weight * (d == 0 ? day.prev_close : previous);
          v.open += weight * day.open;
          v.close += weight * day.close;
        }
      }
      previous = closes.close[i];
    }
  }
}

Market::Histories Market::DrawHistories() const {
  const std::vector<std::vector<int>> composites_of = CompositesOfMembers();
  const int size = static_cast<int>(securities_.size());
  std::vector<Histories> runs(kMemberRuns, Histories(securities_.size()));
  ForEachInParallel(kMemberRuns, [&](int run) {
    for (int m = size * run / kMemberRuns; m < size * (run + 1) / kMemberRuns; ++m) {
      const std::vector<int>& composites = composites_of[static_cast<std::size_t>(m)];
      if (!composites.empty()) AddToHistories(m, composites, runs[static_cast<std::size_t>(run)]);
    }
  });
  Histories values(securities_.size());
  for (std::size_t c = 0; c < securities_.size(); ++c) {
    if (!securities_[c].IsComposite()) continue;
    values[c].resize(static_cast<std::size_t>(std::max(combined_from_ - first_history_day_, 0)));
    for (const Histories& run : runs) {
      for (std::size_t d = 0; d < run[c].size(); ++d) {
        values[c][d].prev_close += run[c][d].prev_close;
        values[c][d].open += run[c][d].open;
        values[c][d].close += run[c][d].close;
      }
    }
  }
  return values;
}

const std::vector<std::vector<Market::RecentDay>>& Market::RecentDays() const {
  std::call_once(recent_once_, [this] { recent_ = DrawRecentDays(); });
  return recent_;
}

// Each day on its own, so that the days can be drawn side by side; within a day every member
// path is drawn once, aside from the path cache, and added to each of its composites in
// catalogue order, as DrawPath adds them.
std::vector<std::vector<Market::RecentDay>> Market::DrawRecentDays() const {
  const int count = std::max(start_day_index_ - combined_from_, 0);
  const std::vector<std::vector<int>> composites_of = CompositesOfMembers();
  std::vector<std::vector<RecentDay>> recent(securities_.size());
  for (std::size_t c = 0; c < securities_.size(); ++c) {
    if (securities_[c].IsComposite()) recent[c].resize(static_cast<std::size_t>(count));
  }
  ForEachInParallel(count, [&](int j) {
    const int d = combined_from_ + j;
    std::vector<PathSum> sums;
    for (const Security& s : securities_)
      sums.emplace_back(s.IsComposite() ? s.session->SlotCount() : 0);
    for (std::size_t m = 0; m < securities_.size(); ++m) {
      if (composites_of[m].empty()) continue;
      const std::shared_ptr<const DayPath> path = DrawPath(static_cast<int>(m), d);
      for (const int c : composites_of[m])
        sums[static_cast<std::size_t>(c)].Add(*path, IndexWeight(securities_[m]));
    }
    for (std::size_t c = 0; c < securities_.size(); ++c) {
      if (!securities_[c].IsComposite()) continue;
      const DayPath path = sums[c].Finish(CompositeDay(static_cast<int>(c), d), level_factor_[c]);
      recent[c][static_cast<std::size_t>(j)] =
          RecentDay{std::make_shared<const DayPath>(path), sums[c].lots()};
    }
  });
  return recent;
}

}  // namespace tarvello::server
