// CStockDetailDlg: the screen that shows one security: a header line with price, change percent
// and total volume and its buttons, the intraday chart on the left two thirds, one of the right
// panels (figures, order books, ticks) with its tab strip, the index ticker strip and the toolbar.
// Its worker fetches everything in one request per intraday period and publishes a fresh
// DetailRecords; the painter only ever reads a published one.
//
// Threads: RunExchange runs on the worker; it reads the code under code_mutex_ and publishes
// through records_. Everything else runs on the user-interface thread.
#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "base/shared_records.h"
#include "base/text_metrics.h"
#include "detail/detail_panel_rows.h"
#include "detail/detail_records.h"
#include "market/security_code.h"
#include "platform/data_screen.h"
#include "platform/picture.h"
#include "platform/prompter.h"
#include "protocol/exchange_function.h"
#include "market/index_ticker.h"

namespace tarvello {

class Navigator;
class OwnStockList;

struct StockDetailParts {
  ExchangeFunction exchange;
  Window* mainScreen = nullptr;             // receives the busy messages
  OwnStockList* selfSelected = nullptr;     // none: the self-select button does nothing
  std::function<TickerState()> ticker;      // none: the ticker strip stays empty
  std::chrono::milliseconds period{5000};   // the intraday refresh period
  Navigator* navigator = nullptr;           // none: the screen cannot lead anywhere
  std::function<void(const std::u16string&)> setTitle = nullptr;  // the main window's title; none: kept
};

// A published answer with the code it was asked for.
struct DetailView {
  SecurityCode code;
  bool loaded = false;
  DetailRecords records;
};

class CStockDetailDlg : public DataScreen {
 public:
  explicit CStockDetailDlg(StockDetailParts parts, QWidget* parent = nullptr);
  ~CStockDetailDlg() override;

  // Shows code: a new code resets the figures and loads afresh; the same code only looks its
  // self-select membership up again, and loads when nothing is loaded yet. Where "返回" and the
  // "<" and ">" buttons lead is the navigator's: the list the security was opened from, if any.
  void Open(const SecurityCode& code);
  // The tick panel and the ten-level book are chosen from outside too.
  void SelectPanel(DetailPanel panel);
  void SwitchPanel(bool up);

  SecurityCode code() const;
  DetailPanel panel() const { return panel_; }
  bool full_screen() const { return full_screen_; }
  bool in_self_selected() const { return member_; }
  int cursor_x() const { return cursor_x_; }
  bool cursor_shown() const { return cursor_shown_; }
  std::shared_ptr<const DetailView> view() const { return records_.Current(); }
  // The pop-up menu as it would be offered now.
  std::vector<MenuItem> PopupMenuItems() const;
  SoftKeyCaptions SoftKeys() const override { return MenuAndBack(u"菜单"); }

 protected:
  bool RunExchange() override;
  bool InTradingHours(MarketTime now) const override;
  void OnMessage(const Message& message) override;
  void AnswerArrived() override { ShowTitle(*records_.Current()); }
  void OnPaint(Canvas& canvas) override;
  bool PaintsEveryPixel() const override { return true; }
  void OnKeyDown(KeyCode key) override;
  void OnPenDown(Point at) override;
  void OnPenMove(Point at) override;
  bool SwipesAt(Point at) const override;
  bool OnSwipe(const Gesture& swipe) override;
  bool OnWheel(int notches, bool zoom, Point at) override;

 private:
  struct Layout;
  Layout LayoutFor(const TextMetrics& metrics) const;
  struct Fetched {
    bool received = false;  // bytes came back
    bool good = false;      // and they read to the container's end
  };
  Fetched FetchOnce(const SecurityCode& code, bool futureMode, DetailView& fresh);
  void ChoosePanelOnce(const DetailView& view);
  void PaintHeader(Canvas& canvas, const Layout& layout, const DetailView& view);
  void PaintTicker(Canvas& canvas, const Rect& strip);
  void PaintToolbar(Canvas& canvas, const Rect& bar);
  void TouchChart(Point at, bool drag);
  void TouchHeader(int x);
  void TouchToolbar(int x);
  void MoveCursor(int step);
  void StepSecurity(int step);
  void ShowScreenMenu() override;
  void GoBack() override;
  int LastMinuteX() const;
  void ToggleSelfSelected();
  void ShowPopupMenu(Point at);
  void RunCommand(unsigned command);
  void Navigate(int target, int argument);
  void ShowTitle(const DetailView& view);
  void ShowCachedOrNothing(const SecurityCode& code);

  const StockDetailParts parts_;
  mutable std::mutex code_mutex_;
  SecurityCode code_;  // guarded by code_mutex_
  SharedRecords<DetailView> records_;

  // User-interface thread only.
  DetailPanel panel_ = kPanelFiveLevelBook;
  bool panel_chosen_ = false;
  bool full_screen_ = false;
  bool member_ = false;
  Picture toolbar_picture_ = Picture::Load("Picture/TOOLBAR.bmp");  // under the toolbar
  Picture button_picture_ = Picture::Load("Picture/Switch.png");    // the header's three buttons
  Picture tab_picture_ = Picture::Load("Picture/baowu.png");        // the panel's tab strip
  bool cursor_shown_ = false;
  int cursor_x_ = -1;
  std::optional<Rect> cursor_box_;
  TextMetrics metrics_ = SharedTextMetrics();
  std::u16string title_;  // the window title this screen last set
};

}  // namespace tarvello
