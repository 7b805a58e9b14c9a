// CKLineDlg: the K-line chart of one security: a toolbar (period, indicator, zoom, self-selected
// list, previous and next security), the candles with their three price averages, one indicator
// pane, the date row, the index ticker strip and a bottom bar that leads to the other screens of
// the same security. A cursor selects one bar and shows its figures in an info box; moving it
// left past the oldest bars held asks for older history.
//
// The chart's data live in one KLineModel. Every exchange runs on the screen's worker, never on
// the user-interface thread: the loads the user asks for (opening, period, adjustment, the next
// security, older history) with the main screen's progress window, the periodic refresh
// silently. The worker fetches without the lock and applies the answer under it, dropping an
// answer asked for before the series was replaced.
//
// Threads: RunExchange runs on the worker; everything else on the user-interface thread.
// model_mutex_ guards the model; it is never held across an exchange.
#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "base/text_metrics.h"
#include "kline/chart_layout.h"
#include "kline/kline_model.h"
#include "market/index_ticker.h"
#include "market/security_code.h"
#include "platform/data_screen.h"
#include "platform/picture.h"
#include "platform/prompter.h"
#include "protocol/exchange_function.h"

namespace tarvello {

class Canvas;
class DeviceFrame;
class Navigator;
class OwnStockList;
struct BarSlots;

struct KLineParts {
  ExchangeFunction exchange;
  Window* mainScreen = nullptr;             // receives the busy messages
  OwnStockList* selfSelected = nullptr;     // none: the self-select cell does nothing
  std::function<TickerState()> ticker;      // none: the ticker strip stays empty
  std::chrono::milliseconds period{30000};  // the K-line refresh period
  Navigator* navigator = nullptr;           // none: the screen cannot lead anywhere
  DeviceFrame* frame = nullptr;             // its caption names the period; none: no title
};

class CKLineDlg : public DataScreen {
 public:
  explicit CKLineDlg(KLineParts parts, QWidget* parent = nullptr);
  ~CKLineDlg() override;

  // Shows code, asked for by the screen with target id caller. A new security starts from the
  // default period, indicator, zoom and adjustment, except when the chart itself asked (its "<"
  // and ">"), which keeps them. "返回" and Enter go back to the list the security was opened from.
  void Open(const SecurityCode& code, int caller);
  // The menu and toolbar commands (periods, adjustments, indicators, self-select, next and
  // previous security, the other screens).
  void RunCommand(unsigned command);
  SoftKeyCaptions SoftKeys() const override { return MenuAndBack(u"选项"); }

  // Copies for tests and the tour, taken under the lock.
  KLineViewport viewport() const;
  std::vector<KLineBar> bars() const;
  KLinePeriod period() const;
  PriceAdjustment adjustment() const;
  KLineIndicator indicator() const;
  bool loaded() const;
  bool in_self_selected() const;
  SecurityCode code() const;
  int side_panel_mode() const { return side_panel_mode_; }
  // The menus as they would be offered now.
  std::vector<MenuItem> PeriodMenuItems() const;
  std::vector<MenuItem> IndicatorMenuItems() const;
  std::vector<MenuItem> OptionsMenuItems() const;

 protected:
  bool RunExchange() override;
  void OnMessage(const Message& message) override;
  void OnPaint(Canvas& canvas) override;
  void OnKeyDown(KeyCode key) override;
  void OnPenDown(Point at) override;
  void OnPenMove(Point at) override;
  void OnPenUp(Point at) override;
  bool OnWheel(int notches, bool zoom, Point at) override;
  void OnPinch(int steps, Point centre) override;

 private:
  // The pen between down and up inside the chart.
  struct PenTrack {
    bool active = false;
    bool dragged = false;
    Point down;
    int lastX = 0;
  };

  ChartLayout Layout() const;
  void FitWidthLocked();
  void SetTitle();
  void AfterLoad();
  void LoadIfAsked();
  bool ShowCachedSeries(const std::string& key);
  bool RunLoad(const KLineModel::Load& load);
  void Reload(const std::function<void(KLineModel&)>& change);
  void ChangeView(const std::function<void(KLineModel&)>& change);
  // steps zoom steps, in when above zero, around a point of the screen.
  void ZoomAround(int steps, Point at);
  void StepSecurity(int step);
  void ToggleSelfSelected();
  void Navigate(int target, int argument);
  // "返回" (enter_key false) and Enter.
  void ReturnToList(bool enter_key);
  void ShowScreenMenu() override;
  void GoBack() override { ReturnToList(false); }
  void ShowMenu(std::vector<MenuItem> items, Point at, MenuAnchor anchor = MenuAnchor::kTopLeft);

  void TouchToolbar(int x);
  void TouchBottomBar(int x);
  void TouchStrip(int x);
  void Tap(Point at);

  void PaintChart(Canvas& canvas, const ChartLayout& layout, const KLineModel& model);
  void PaintPricePane(Canvas& canvas, const ChartLayout& layout, const KLineModel& model, const BarSlots& places);
  void PaintIndicator(Canvas& canvas, const ChartLayout& layout, const KLineModel& model, const BarSlots& places);
  void PaintCursor(Canvas& canvas, const ChartLayout& layout, const KLineModel& model, const BarSlots& places);
  void PaintTicker(Canvas& canvas, const Rect& strip);
  void PaintToolbar(Canvas& canvas, const ChartLayout& layout, bool member);
  void PaintBottomBar(Canvas& canvas, const Rect& bar);

  // Posted by the worker after a load, so the caption can name the security it brought.
  static constexpr int kMsgLoadEnded = 0x8001;

  const KLineParts parts_;
  mutable std::mutex model_mutex_;
  KLineModel model_;  // guarded by model_mutex_

  // User-interface thread only.
  int side_panel_mode_ = 0;
  PenTrack pen_;
  std::optional<Rect> info_box_;  // where the info box was last drawn
  TextMetrics metrics_ = SharedTextMetrics();
  Picture toolbar_picture_ = Picture::Load("Picture/TOOLBAR.bmp");
  Picture keybar_picture_ = Picture::Load("Picture/KEYBAR.bmp");
  Picture menu_picture_ = Picture::Load("Picture/kmenu.png");
};

}  // namespace tarvello
