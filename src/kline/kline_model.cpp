#include "kline/kline_model.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "kline/chart_layout.h"
#include "market/price_text.h"

namespace tarvello {

KLineModel::KLineModel(int screenWidth) : screenWidth_(screenWidth) { FitToWidth(viewport_, screenWidth_); }

KLineQuery KLineModel::Query() const { return {requestCode_, period_, adjustment_}; }

void KLineModel::Open(std::u16string_view code, bool inSelfSelect, OpenMode mode) {
  inSelfSelect_ = inSelfSelect;
  if (code_.text() == code && loaded_) return;
  code_ = SecurityCode(std::u16string(code));
  name_.clear();
  quote_ = {};
  priceDecimals_ = 0;
  requestCode_ = code_.RequestText();
  if (mode == OpenMode::kResetChoices) {
    indicator_ = kDefaultIndicator;
    viewport_.zoomBars = kDefaultZoomBars;
    adjustment_ = kDefaultAdjustment;
    period_ = kDefaultPeriod;
  }
  loaded_ = false;
  ReplaceSeries({});
  Ask(LoadKind::kOpen);
}

void KLineModel::SetPeriod(KLinePeriod period) {
  period_ = period;
  Ask(LoadKind::kPeriodChange);
}

void KLineModel::SetAdjustment(PriceAdjustment adjustment) {
  adjustment_ = adjustment;
  Ask(LoadKind::kAdjustmentChange);
}

void KLineModel::SelectIndicator(KLineIndicator indicator) {
  indicator_ = indicator;
  Recompute(-1);
}

void KLineModel::Ask(LoadKind kind) {
  if (kind == LoadKind::kHistory) {
    if (!asked_) asked_ = kind;
    return;
  }
  ++generation_;
  showsCached_ = false;
  if (asked_ != LoadKind::kOpen) asked_ = kind;
}

void KLineModel::RetryFailedOpen() {
  if (!loaded_ && !asked_ && !code_.empty()) Ask(LoadKind::kOpen);
}

std::optional<KLineModel::Load> KLineModel::TakeLoad() {
  if (!asked_) return std::nullopt;
  const LoadKind kind = *asked_;
  asked_.reset();
  if (kind == LoadKind::kHistory) {
    if (bars_.empty()) return std::nullopt;
    return Load{kind, BuildFullLoadRequest(Query(), static_cast<std::uint32_t>(bars_.front().date)), generation_, {}};
  }
  return Load{kind, BuildFullLoadRequest(Query(), 0), generation_, CacheKey()};
}

bool KLineModel::ShowCached(const KLineAnswer& answer) {
  if (!SeriesLoadAsked() || !answer.complete) return false;
  TakeQuote(answer);
  FitToWidth(viewport_, screenWidth_);
  ReplaceSeries(answer.bars);
  showsCached_ = true;
  return true;
}

bool KLineModel::ApplyLoad(const Load& load, const KLineAnswer& answer) {
  if (load.generation != generation_) return false;
  TakeQuote(answer);
  if (load.kind != LoadKind::kHistory) FitToWidth(viewport_, screenWidth_);
  switch (load.kind) {
    case LoadKind::kOpen:
      // The bars of an answer that broke off after them are shown; the opening is asked again.
      loaded_ = answer.complete;
      if (loaded_ || !answer.bars.empty()) ReplaceSeries(answer.bars);
      break;
    case LoadKind::kPeriodChange:
    case LoadKind::kAdjustmentChange:
      if (answer.complete || !answer.bars.empty() || !showsCached_) ReplaceSeries(answer.bars);
      if (load.kind == LoadKind::kPeriodChange && period_ == KLinePeriod::kDay) {
        viewport_.cursor = viewport_.firstVisible;
      }
      break;
    case LoadKind::kHistory:
      if (answer.complete) PrependOlder(answer.bars);
      break;
  }
  if (answer.complete) showsCached_ = false;
  return answer.complete;
}

// Keeps the newest bars that a full load holds, shows the newest window with the cursor on the
// last bar, and recomputes.
void KLineModel::ReplaceSeries(std::vector<KLineBar> received) {
  if (received.size() > static_cast<std::size_t>(kHistoryChunk)) {
    received.erase(received.begin(), received.end() - kHistoryChunk);
  }
  bars_ = std::move(received);
  historyStartHeld_ = false;
  viewport_.firstVisible = NewestFirstVisible(viewport_, total());
  viewport_.cursor = std::max(total() - 1, 0);
  viewport_.cursorShown = false;
  Recompute(-1);
}

bool KLineModel::ZoomIn() {
  if (!tarvello::ZoomIn(viewport_, screenWidth_, total())) return false;
  Recompute(-1);
  return true;
}

bool KLineModel::ZoomOut() {
  if (!tarvello::ZoomOut(viewport_, screenWidth_, total())) return false;
  Recompute(-1);
  return true;
}

bool KLineModel::ZoomAt(bool in, int x) {
  const std::optional<int> anchor = SlotsFor(viewport_, total(), screenWidth_).BarAt(x);
  if (!(in ? ZoomIn() : ZoomOut())) return false;
  if (!anchor) return true;
  const int origin = screenWidth_ - viewport_.visibleCount * viewport_.barStep;
  const int first = *anchor - (x - origin) / viewport_.barStep;
  viewport_.firstVisible = std::clamp(first, 0, NewestFirstVisible(viewport_, total()));
  viewport_.cursor = viewport_.firstVisible;
  Recompute(-1);
  return true;
}

void KLineModel::SetScreenWidth(int width) {
  screenWidth_ = width;
  const int oldEnd = viewport_.firstVisible + viewport_.visibleCount;
  FitToWidth(viewport_, screenWidth_);
  KeepRightEdge(viewport_, oldEnd, total());
  Recompute(-1);
}

void KLineModel::MoveCursorLeft() {
  if (viewport_.cursor > 0) {
    --viewport_.cursor;
    const bool nearStart = viewport_.cursor < viewport_.visibleCount + kHistoryMargin;
    const bool older = period_ != KLinePeriod::kSixtyMinutes && !bars_.empty() && !historyStartHeld_;
    if (nearStart && older) Ask(LoadKind::kHistory);
  }
  if (viewport_.cursor < viewport_.firstVisible) {
    viewport_.firstVisible = viewport_.cursor;
    Recompute(viewport_.cursor);
  }
  viewport_.cursorShown = !bars_.empty();
}

void KLineModel::MoveCursorRight() {
  if (viewport_.cursor + 1 < total()) {
    ++viewport_.cursor;
    if (viewport_.cursor >= viewport_.firstVisible + viewport_.visibleCount) {
      viewport_.firstVisible = viewport_.cursor - viewport_.visibleCount + 1;
      Recompute(viewport_.cursor);
    }
  }
  viewport_.cursorShown = !bars_.empty();
}

void KLineModel::PlaceCursor(int index) {
  if (index < 0 || index >= total()) return;
  viewport_.cursor = index;
  viewport_.cursorShown = true;
}

// Puts the received bars older than the oldest one held in front; the cursor and the window move
// with the bars they were on. Day-based dates order themselves. Packed minute times carry no
// year, so a December bar would never count as older than a January one: there the server's
// order decides, and what it sent before the oldest bar held (all of it when that bar is not
// among them) is older. An answer with nothing older says the series starts at its first bar.
void KLineModel::PrependOlder(const std::vector<KLineBar>& received) {
  if (bars_.empty()) return;
  const std::int32_t front = bars_.front().date;
  std::vector<KLineBar> older;  // oldest first
  if (IsMinutePeriod(period_)) {
    const auto held = std::find_if(received.rbegin(), received.rend(), [front](const KLineBar& bar) { return bar.date == front; });
    older.assign(received.begin(), held == received.rend() ? received.end() : std::prev(held.base()));
  } else {
    std::int32_t oldest = front;
    for (auto bar = received.rbegin(); bar != received.rend(); ++bar) {
      if (bar->date < oldest) {
        oldest = bar->date;
        older.push_back(*bar);
      }
    }
    std::reverse(older.begin(), older.end());
  }
  if (older.empty()) {
    historyStartHeld_ = true;
    return;
  }
  const int added = static_cast<int>(older.size());
  bars_.insert(bars_.begin(), older.begin(), older.end());
  viewport_.cursor += added;
  viewport_.firstVisible += added;
  Recompute(-1);
}

Bytes KLineModel::RefreshRequest() const { return BuildRefreshRequest(Query()); }

bool KLineModel::ApplyRefresh(const KLineAnswer& answer) {
  TakeQuote(answer);
  if (answer.bars.empty() || bars_.empty()) return false;
  if (answer.bars.back().date == bars_.back().date) return false;
  bars_.push_back(answer.bars.back());
  viewport_.cursorShown = false;
  viewport_.firstVisible = viewport_.cursor = NewestFirstVisible(viewport_, total());
  Recompute(-1);
  return true;
}

void KLineModel::TakeQuote(const KLineAnswer& answer) {
  if (answer.quote) quote_ = *answer.quote;
  if (answer.security) {
    priceDecimals_ = answer.security->priceDecimals;
    name_ = answer.security->name;
  }
}

void KLineModel::Recompute(int stopAt) {
  const IndicatorView view{viewport_.firstVisible, viewport_.visibleCount, DecimalsOf(priceDecimals_)};
  ranges_ = RecomputeIndicators(bars_, view, indicator_, stopAt);
}

}  // namespace tarvello
