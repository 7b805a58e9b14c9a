#include "brokers/info_list_dlg.h"

#include <algorithm>

#include "base/text_metrics.h"
#include "market/display_colours.h"
#include "platform/canvas.h"

namespace tarvello {

CInfoListDlg::CInfoListDlg(const CommissionModel& model, TapHandler on_tap, QWidget* parent)
    : Window(parent), model_(model), on_tap_(std::move(on_tap)) {}

int CInfoListDlg::RowHeight() { return std::max(1, SharedTextMetrics().height * 11 / 4); }

int CInfoListDlg::RowsPerPage() const { return std::max(1, height() / RowHeight()); }

// A square of half the row height, one character width in from the right edge.
Rect CInfoListDlg::ButtonBox(int visible_row) const {
  const int row = RowHeight();
  const int side = row / 2;
  const int right = width() - SharedTextMetrics().average_char_width;
  const int top = visible_row * row + (row - side) / 2;
  return Rect{right - side, top, right, top + side};
}

const Picture* CInfoListDlg::ButtonPicture() const {
  switch (model_.mode()) {
    case CommissionMode::kOwn:
      return &call_;
    case CommissionMode::kManaging:
      return &delete_;
    case CommissionMode::kAdding:
      break;
  }
  return nullptr;
}

void CInfoListDlg::OnPaint(Canvas& canvas) {
  const std::vector<CommissionRow> rows = model_.Rows();
  if (rows.empty()) {
    const int margin = SharedTextMetrics().average_char_width;
    canvas.SetTextColor(kPlainWhite);
    canvas.DrawText(model_.EmptyText(), Rect{margin, margin, width() - margin, height() - margin},
                    kTextCenter | kTextWordBreak);
    return;
  }
  const RowPaging& paging = model_.paging();
  for (int visible = 0; visible < RowsPerPage(); ++visible) {
    const std::optional<int> row = paging.RowAt(visible);
    if (!row || static_cast<std::size_t>(*row) >= rows.size()) break;
    PaintRow(canvas, rows[static_cast<std::size_t>(*row)], visible, *row == paging.selected());
  }
}

void CInfoListDlg::PaintRow(Canvas& canvas, const CommissionRow& row, int visible_row,
                            bool selected) const {
  const int height = RowHeight();
  const int top = visible_row * height;
  const Rect box{0, top, width(), top + height};
  if (selected) canvas.FillRect(box, kSelectedBand);
  const Picture* button = ButtonPicture();
  const int margin = SharedTextMetrics().average_char_width;
  const int right = button != nullptr ? ButtonBox(visible_row).left - margin : width() - margin;
  const unsigned flags = kTextLeft | kTextVCenter | kTextSingleLine;
  canvas.SetTextColor(kPlainWhite);
  if (row.tel.empty()) {
    canvas.DrawText(row.text, Rect{margin, top, right, box.bottom}, flags);
  } else {
    const int middle = top + height / 2;
    canvas.DrawText(row.text, Rect{margin, top, right, middle}, flags);
    canvas.SetTextColor(kVolumeYellow);
    canvas.DrawText(row.tel, Rect{margin, middle, right, box.bottom}, flags);
  }
  if (button != nullptr) canvas.DrawPicture(*button, ButtonBox(visible_row));
  canvas.DrawPicture(separator_, Rect{0, box.bottom - 2, width(), box.bottom});
}

void CInfoListDlg::OnPenDown(Point at) {
  const int visible = at.y / RowHeight();
  const std::optional<int> row = model_.paging().RowAt(visible);
  if (!row || !on_tap_) return;
  on_tap_(*row, ButtonPicture() != nullptr && ButtonBox(visible).Contains(at));
}

}  // namespace tarvello
