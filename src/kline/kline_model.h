// KLineModel: the data side of the K-line screen. It holds one security's bar series for one
// period and price adjustment, the viewport over it and the selected indicator, and carries out
// the screen's operations: open on a security, change period, adjustment or indicator, zoom,
// move the cursor (growing the series backwards when the cursor nears its start, until the server
// has answered that it holds nothing older) and refresh (appending a bar with a new date). Every
// change that moves the window recomputes the indicators, so bars(), viewport() and ranges()
// always agree.
//
// Invariants: total() == bars().size(); firstVisible and cursor lie in [0, total) (0 when empty).
//
// The model does no network work itself: an operation that needs bars (opening, a period or
// adjustment change, the cursor nearing the start) only asks for a load. The owner takes it with
// TakeLoad, runs FetchKLineAnswer(exchange, load.request) wherever it likes and hands the answer
// to ApplyLoad; the refresh goes the same way with RefreshRequest and ApplyRefresh. An answer to
// a request made before the series was replaced (another security, period or adjustment) is
// dropped, so a late answer never lands on the wrong chart.
//
// Not thread-safe: the owner calls it from one thread at a time, and runs the exchanges without
// holding its lock, so a paint never waits for the network nor sees a half-applied answer.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "market/quote_records.h"
#include "market/security_code.h"
#include "kline/kline_answer.h"
#include "kline/kline_bar.h"
#include "kline/kline_indicators.h"
#include "kline/kline_viewport.h"

namespace tarvello {

class KLineModel {
 public:
  // Opening from a screen starts from the default period, indicator, zoom and adjustment; the
  // next/previous-security commands keep the user's choices.
  enum class OpenMode { kResetChoices, kKeepChoices };

  enum class LoadKind { kOpen, kPeriodChange, kAdjustmentChange, kHistory };
  // One load asked for: its request, and the series it was asked for.
  struct Load {
    LoadKind kind = LoadKind::kOpen;
    Bytes request;
    int generation = 0;
    std::string cacheKey;  // the answer cache's key of a load that replaces the series; empty for history
  };

  explicit KLineModel(int screenWidth);

  // Shows code. Nothing is asked for when it is the code already shown and loaded; otherwise the
  // chart empties (no bars or quote of the old security stay under the new code) and a load is
  // asked for. A failed load leaves the series empty and loaded() false.
  void Open(std::u16string_view code, bool inSelfSelect, OpenMode mode);
  // Reload with the new period or adjustment; the series is replaced even when the load fails.
  void SetPeriod(KLinePeriod period);
  void SetAdjustment(PriceAdjustment adjustment);
  void SelectIndicator(KLineIndicator indicator);
  // False (nothing changed) at either end of the zoom scale.
  bool ZoomIn();
  bool ZoomOut();
  // A zoom step around x, pixels from the chart's left edge (a pinch or Ctrl with the wheel): the
  // bar under x stays under it as far as the series allows; a point beside the bars zooms as
  // the keys do, keeping the right edge.
  bool ZoomAt(bool in, int x);
  // A new width refits the visible count keeping the right edge, as a zoom step does.
  void SetScreenWidth(int width);
  void MoveCursorLeft();
  void MoveCursorRight();
  // Puts the cursor on bar index (a tap on its slot) and shows it; an index outside the series
  // changes nothing.
  void PlaceCursor(int index);
  void HideCursor() { viewport_.cursorShown = false; }
  void SetInSelfSelect(bool member) { inSelfSelect_ = member; }

  // The load asked for and not yet taken, built for the current security and choices; a load
  // that replaces the series overrides older history asked for, an opening overrides the rest.
  std::optional<Load> TakeLoad();
  bool LoadAsked() const { return asked_.has_value(); }
  // Asks again for an opening that failed, as the screen's next refresh period retries.
  void RetryFailedOpen();
  // False when the answer came too late for the series or the exchange failed.
  bool ApplyLoad(const Load& load, const KLineAnswer& answer);
  // Whether the load asked for replaces the series (an opening, a period or adjustment change).
  bool SeriesLoadAsked() const { return asked_ && *asked_ != LoadKind::kHistory; }
  // The answer cache's key of the series as chosen now.
  std::string CacheKey() const { return KLineCacheKey(Query()); }
  // Shows a cached full load's series and quote while the load asked for runs; loaded() stays as
  // it was, and a load that fails afterwards keeps these bars instead of emptying the chart.
  // False (nothing changed) when no series load is asked or the answer is not complete.
  bool ShowCached(const KLineAnswer& answer);

  // The periodic refresh: asks for the newest bar and appends it when its date is new.
  Bytes RefreshRequest() const;
  // True when a bar was appended. The quote is taken from the answer either way.
  bool ApplyRefresh(const KLineAnswer& answer);
  // Grows with every change that replaces the series; an answer asked for before is dropped.
  int generation() const { return generation_; }

  const SecurityCode& code() const { return code_; }
  KLinePeriod period() const { return period_; }
  PriceAdjustment adjustment() const { return adjustment_; }
  KLineIndicator indicator() const { return indicator_; }
  bool loaded() const { return loaded_; }
  bool inSelfSelect() const { return inSelfSelect_; }
  const QuoteSnapshot& quote() const { return quote_; }
  // The security's name from its description; empty until one arrived.
  const std::u16string& name() const { return name_; }
  int screenWidth() const { return screenWidth_; }
  std::uint8_t priceDecimals() const { return priceDecimals_; }
  const std::vector<KLineBar>& bars() const { return bars_; }
  int total() const { return static_cast<int>(bars_.size()); }
  const KLineViewport& viewport() const { return viewport_; }
  const IndicatorRanges& ranges() const { return ranges_; }

 private:
  // Bars asked for again while the cursor is this close to the start (beyond the visible count).
  static constexpr int kHistoryMargin = 29;

  KLineQuery Query() const;
  void Ask(LoadKind kind);
  void ReplaceSeries(std::vector<KLineBar> received);
  void PrependOlder(const std::vector<KLineBar>& received);
  void TakeQuote(const KLineAnswer& answer);
  void Recompute(int stopAt);

  int screenWidth_;
  std::optional<LoadKind> asked_;
  int generation_ = 0;
  SecurityCode code_;
  std::string requestCode_;
  KLinePeriod period_ = kDefaultPeriod;
  PriceAdjustment adjustment_ = kDefaultAdjustment;
  KLineIndicator indicator_ = kDefaultIndicator;
  bool loaded_ = false;
  bool inSelfSelect_ = false;
  QuoteSnapshot quote_;
  std::u16string name_;
  std::uint8_t priceDecimals_ = 0;  // as the server sent it; 0 until the description arrives
  std::vector<KLineBar> bars_;      // the main series
  // The server has answered that nothing is older than the first bar: moving near the start asks
  // no more. A fresh series asks once again.
  bool historyStartHeld_ = false;
  bool showsCached_ = false;  // the series came from the cache and no good load has replaced it
  KLineViewport viewport_;
  IndicatorRanges ranges_;
};

}  // namespace tarvello
