#include "kline/kline_model.h"

#include <algorithm>
#include <utility>

#include "market/price_text.h"

namespace tarvello {

KLineModel::KLineModel(ExchangeFunction exchange, int screenWidth)
    : exchange_(std::move(exchange)), screenWidth_(screenWidth) {
  FitToWidth(viewport_, screenWidth_);
}

KLineQuery KLineModel::Query() const { return {requestCode_, period_, adjustment_}; }

bool KLineModel::Open(std::u16string_view code, bool inSelfSelect, OpenMode mode) {
  inSelfSelect_ = inSelfSelect;
  if (code_.text() == code && loaded_) return true;
  code_ = SecurityCode(std::u16string(code));
  name_.clear();
  requestCode_ = code_.RequestText();
  if (mode == OpenMode::kResetChoices) {
    indicator_ = kDefaultIndicator;
    viewport_.zoomBars = kDefaultZoomBars;
    adjustment_ = kDefaultAdjustment;
    period_ = kDefaultPeriod;
  }
  FullLoad(LoadReason::kOpen);
  return loaded_;
}

void KLineModel::SetPeriod(KLinePeriod period) {
  period_ = period;
  FullLoad(LoadReason::kPeriodChange);
}

void KLineModel::SetAdjustment(PriceAdjustment adjustment) {
  adjustment_ = adjustment;
  FullLoad(LoadReason::kAdjustmentChange);
}

void KLineModel::SelectIndicator(KLineIndicator indicator) {
  indicator_ = indicator;
  Recompute(-1);
}

void KLineModel::FullLoad(LoadReason reason) {
  FitToWidth(viewport_, screenWidth_);
  const KLineAnswer answer = FetchKLineAnswer(exchange_, BuildFullLoadRequest(Query(), 0));
  TakeQuote(answer);
  if (reason == LoadReason::kOpen) {
    loaded_ = answer.complete;
    if (!loaded_) {
      ReplaceSeries({});
      return;
    }
  }
  ReplaceSeries(answer.bars);
  if (reason == LoadReason::kPeriodChange && period_ == KLinePeriod::kDay) {
    viewport_.cursor = viewport_.firstVisible;
  }
}

// Keeps the newest bars that a full load holds, shows the newest window with the cursor on the
// last bar, and recomputes.
void KLineModel::ReplaceSeries(std::vector<KLineBar> received) {
  if (received.size() > static_cast<std::size_t>(kHistoryChunk)) {
    received.erase(received.begin(), received.end() - kHistoryChunk);
  }
  bars_ = std::move(received);
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
    if (viewport_.cursor < viewport_.visibleCount + kHistoryMargin) ExtendHistory();
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

// Asks for the bars before the oldest one held and puts those strictly older in front. The
// cursor and the window move with the bars they were on.
void KLineModel::ExtendHistory() {
  if (period_ == KLinePeriod::kSixtyMinutes || bars_.empty()) return;
  const auto start = static_cast<std::uint32_t>(bars_.front().date);
  const KLineAnswer answer = FetchKLineAnswer(exchange_, BuildFullLoadRequest(Query(), start));
  TakeQuote(answer);
  if (!answer.complete) return;
  std::vector<KLineBar> older;  // newest first
  std::int32_t front = bars_.front().date;
  for (auto bar = answer.bars.rbegin(); bar != answer.bars.rend(); ++bar) {
    if (bar->date < front) {
      front = bar->date;
      older.push_back(*bar);
    }
  }
  const int added = static_cast<int>(older.size());
  bars_.insert(bars_.begin(), older.rbegin(), older.rend());
  viewport_.cursor += added;
  viewport_.firstVisible += added;
}

Bytes KLineModel::RefreshRequest() const { return BuildRefreshRequest(Query()); }

bool KLineModel::Refresh() { return ApplyRefresh(FetchKLineAnswer(exchange_, RefreshRequest())); }

bool KLineModel::ApplyRefresh(const KLineAnswer& answer) {
  TakeQuote(answer);
  if (!answer.complete || answer.bars.empty() || bars_.empty()) return false;
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
