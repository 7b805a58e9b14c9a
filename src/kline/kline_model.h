// KLineModel: the data side of the K-line screen. It holds one security's bar series for one
// period and price adjustment, the viewport over it and the selected indicator, and carries out
// the screen's operations: open on a security, change period, adjustment or indicator, zoom,
// move the cursor (growing the series backwards when the cursor nears its start) and refresh
// (appending a bar with a new date). Every change that moves the window recomputes the
// indicators, so bars(), viewport() and ranges() always agree.
//
// Invariants: total() == bars().size(); firstVisible and cursor lie in [0, total) (0 when empty).
//
// Not thread-safe: the owner calls it from one thread at a time. A worker can run the network
// half of a refresh, FetchKLineAnswer(exchange, RefreshRequest()), without holding the owner's
// lock and then ApplyRefresh under it, so a paint never sees a half-applied refresh.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "market/quote_records.h"
#include "market/security_code.h"
#include "kline/kline_answer.h"
#include "kline/kline_bar.h"
#include "protocol/exchange_function.h"
#include "kline/kline_indicators.h"
#include "kline/kline_viewport.h"

namespace tarvello {

class KLineModel {
 public:
  // Opening from a screen starts from the default period, indicator, zoom and adjustment; the
  // next/previous-security commands keep the user's choices.
  enum class OpenMode { kResetChoices, kKeepChoices };

  KLineModel(ExchangeFunction exchange, int screenWidth);

  // Shows code. Nothing is loaded when it is the code already shown and loaded. Returns whether
  // the series is loaded (the screen then runs its refresh timer). A failed load leaves an empty
  // series rather than another security's bars.
  bool Open(std::u16string_view code, bool inSelfSelect, OpenMode mode);
  // Reload with the new period or adjustment; the series is replaced even when the load fails.
  void SetPeriod(KLinePeriod period);
  void SetAdjustment(PriceAdjustment adjustment);
  void SelectIndicator(KLineIndicator indicator);
  // False (nothing changed) at either end of the zoom scale.
  bool ZoomIn();
  bool ZoomOut();
  // A new width refits the visible count keeping the right edge, as a zoom step does.
  void SetScreenWidth(int width);
  void MoveCursorLeft();
  void MoveCursorRight();
  // Puts the cursor on bar index (a tap on its slot) and shows it; an index outside the series
  // changes nothing.
  void PlaceCursor(int index);
  void HideCursor() { viewport_.cursorShown = false; }
  void SetInSelfSelect(bool member) { inSelfSelect_ = member; }

  // The periodic refresh: asks for the newest bar and appends it when its date is new.
  bool Refresh();
  Bytes RefreshRequest() const;
  // True when a bar was appended. The quote is taken from the answer either way.
  bool ApplyRefresh(const KLineAnswer& answer);

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
  enum class LoadReason { kOpen, kPeriodChange, kAdjustmentChange };
  // Bars asked for again while the cursor is this close to the start (beyond the visible count).
  static constexpr int kHistoryMargin = 29;

  KLineQuery Query() const;
  void FullLoad(LoadReason reason);
  void ReplaceSeries(std::vector<KLineBar> received);
  void ExtendHistory();
  void TakeQuote(const KLineAnswer& answer);
  void Recompute(int stopAt);

  ExchangeFunction exchange_;
  int screenWidth_;
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
  KLineViewport viewport_;
  IndicatorRanges ranges_;
};

}  // namespace tarvello
