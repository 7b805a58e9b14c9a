// CInfoListDlg: the list control of the broker screen. It draws the page of rows the model has on
// screen: each row 11/4 of the font height high, the selected row on a grey band, the name and,
// where there is one, the telephone number under it, a call button ("Picture/call.png") on the
// own list, a delete button ("Picture/delete.png") while managing, and a separator
// ("Picture/separator.png") under every row. A tap reports the row and whether it hit the button.
// User-interface thread only.
#pragma once

#include <functional>

#include "brokers/commission_model.h"
#include "platform/picture.h"
#include "platform/window.h"

namespace tarvello {

class CInfoListDlg : public Window {
 public:
  // row: the list row tapped; button: the tap hit the row's button.
  using TapHandler = std::function<void(int row, bool button)>;

  CInfoListDlg(const CommissionModel& model, TapHandler on_tap, QWidget* parent = nullptr);

  // The font height times 11/4.
  static int RowHeight();
  // Whole rows that fit the list's height, at least one.
  int RowsPerPage() const;
  // The button of the page's visible_row, in list coordinates.
  Rect ButtonBox(int visible_row) const;

 protected:
  void OnPaint(Canvas& canvas) override;
  void OnPenDown(Point at) override;

 private:
  const Picture* ButtonPicture() const;
  void PaintRow(Canvas& canvas, const CommissionRow& row, int visible_row, bool selected) const;

  const CommissionModel& model_;
  const TapHandler on_tap_;
  Picture call_ = Picture::Load("Picture/call.png");
  Picture delete_ = Picture::Load("Picture/delete.png");
  Picture separator_ = Picture::Load("Picture/separator.png");
};

}  // namespace tarvello
