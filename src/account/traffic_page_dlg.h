// CTrafficPageDlg: the statistics page "流量统计" (target kTargetTraffic), the third line of the
// settings menu. It shows what the ledger reports: today, this month and last month in KB and MB,
// the allowance, and for each part of the program its share of the month and what its refreshes
// cost an hour. The allowance line chooses the allowance from a pop-up menu; the
// left soft key "清零" zeroes the counts after a question. The line below the allowance shows what
// the answer cache takes on disk (it counts nothing against the allowance: it costs no traffic);
// it offers "清除缓存" with a question. Up and Down choose between the two lines, drawn on a band, and
// Enter or a tap acts on one. The right soft key and Back return to the settings menu. While shown the page redraws every two seconds, as the counts move.
// User-interface thread only.
#pragma once

#include <functional>

#include "platform/window.h"
#include "storage/answer_cache.h"
#include "traffic/traffic_page.h"

namespace tarvello {

class Navigator;

struct TrafficPageParts {
  Navigator* navigator = nullptr;
  TrafficLedger* ledger = nullptr;
  std::function<TrafficPeriods()> periods;  // the refresh periods as the timers run now
  AnswerCache* cache = nullptr;              // none: no cache line
};

class CTrafficPageDlg : public Window {
 public:
  static constexpr unsigned kTimerRedraw = 41;

  explicit CTrafficPageDlg(TrafficPageParts parts, QWidget* parent = nullptr);

  void Open();
  // Shows the allowance menu at the allowance line and applies the choice.
  void ChooseAllowance();
  // Asks the question and zeroes the counts on Yes.
  void AskClear();
  // Asks the question and empties the answer cache on Yes.
  void AskClearCache();
  SoftKeyCaptions SoftKeys() const override { return {u"清零", u"返回"}; }

 protected:
  void OnPaint(Canvas& canvas) override;
  void OnKeyDown(KeyCode key) override;
  void OnPenDown(Point at) override;
  void OnTimer(unsigned id) override;

 private:
  // The page's rows are one line height apart; the allowance is row kAllowanceRow, the cache the
  // one below.
  static constexpr int kAllowanceRow = 4;
  static constexpr int kCacheRow = kAllowanceRow + 1;
  int RowHeight() const;
  Rect Row(int row) const;
  void PaintTotals(Canvas& canvas, const TrafficPage& page);
  void PaintScreens(Canvas& canvas, const TrafficPage& page);
  void PaintCache(Canvas& canvas);
  void GoBack();
  void ActOnRow(int row);

  TrafficPageParts parts_;
  int selected_row_ = kAllowanceRow;  // the line Enter acts on
};

}  // namespace tarvello
