// CBatchListStockDlg: the batch panel, a child window of the quote list that covers part of it.
// It lists the offered rows with check boxes, or lets the user type codes into the code cells
// (an edit box of 8 characters over the cell, a digit keypad, the "SH/SZ" button cycling the
// market prefix), and on "确 定" writes the choice to the self-selected list, tells the user how
// many codes it added or deleted and hands the outcome to the list, which fetches again. The
// rules live in BatchPanelModel; this class draws, hit-tests and asks the server for the names
// of typed codes. While it is up it holds the handheld keys of the list: the left soft key is
// "确 定", the right one and Esc close the panel, and digits type a code.
//
// Threads: RunExchange runs on the panel's worker and asks the names queued under
// lookup_mutex_; answers come back to the user-interface thread by a posted message. Everything
// else runs on the user-interface thread.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "lists/batch_panel_layout.h"
#include "lists/batch_panel_model.h"
#include "platform/data_screen.h"
#include "platform/picture.h"
#include "protocol/exchange_function.h"

class QLineEdit;

namespace tarvello {

class OwnStockList;

struct BatchPanelParts {
  ExchangeFunction exchange;  // the name lookups
  OwnStockList* selfSelected = nullptr;
  std::function<void(const BatchOutcome&)> applied;  // after the panel has hidden and told the user
};

class CBatchListStockDlg : public DataScreen {
 public:
  CBatchListStockDlg(BatchPanelParts parts, QWidget* parent);
  ~CBatchListStockDlg() override;

  // Fills the panel afresh for entry with the rows of the page shown and shows it over area of
  // the list screen.
  void Open(BatchEntry entry, const std::vector<BatchRow>& page, const Rect& area);

  const BatchPanelModel& model() const { return model_; }
  // The item whose code is being edited, or -1.
  int edit_row() const { return edit_row_; }
  bool HoldsKeys() const override { return true; }
  SoftKeyCaptions SoftKeys() const override { return {u"确定", u"取消"}; }

 protected:
  bool RunExchange() override;
  bool RefreshesOnTick() const override { return false; }
  void OnTimer(unsigned id) override;
  void OnMessage(const Message& message) override;
  void OnPaint(Canvas& canvas) override;
  void OnPenDown(Point at) override;
  void OnPenUp(Point at) override;
  void OnKeyDown(KeyCode key) override;
  // The list screen leaving the screen cancels the panel, so that it never comes back stale.
  void hideEvent(QHideEvent* event) override;

 private:
  struct Lookup {
    std::size_t index = 0;
    std::u16string code;
    std::u16string name;
  };

  BatchPanelLayout Layout() const;
  int FirstShownItem() const;
  void TapItem(int item);
  void PressKey(int key);
  void OpenEdit(int item);
  void CommitEdit();
  void CommitCode(std::size_t item, std::u16string code);
  void CycleMarket();
  void Confirm();
  void Apply();
  void Close();
  void TakeNames();

  // Painting (batch_list_stock_paint_dlg.cpp).
  void PaintItems(Canvas& canvas, const BatchPanelLayout& layout) const;
  void PaintKeypad(Canvas& canvas, const BatchPanelLayout& layout) const;
  void PaintButtons(Canvas& canvas, const BatchPanelLayout& layout) const;

  const BatchPanelParts parts_;
  std::mutex lookup_mutex_;
  std::vector<Lookup> asked_;  // guarded by lookup_mutex_
  std::vector<Lookup> found_;  // guarded by lookup_mutex_

  // User-interface thread only.
  BatchPanelModel model_;
  QLineEdit* edit_ = nullptr;  // child widget, owned by the panel
  int edit_row_ = -1;
  int scroll_ = 0;               // first item shown in the check-box entries
  bool apply_when_named_ = false;  // "确 定" waits for names still being asked
  Point pen_down_{};
  int line_ = 0;
  Picture keypad_picture_;
};

}  // namespace tarvello
