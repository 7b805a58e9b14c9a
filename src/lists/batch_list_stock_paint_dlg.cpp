// The batch panel's painting: the column header, the items with their check boxes, the keypad
// over its picture and the button bar.
#include <algorithm>

#include "lists/batch_list_stock_dlg.h"
#include "market/display_colours.h"
#include "platform/canvas.h"

namespace tarvello {
namespace {

constexpr ColorRef kPanelBack = 0x302018;
constexpr ColorRef kFrameGrey = 0x808080;

// A check box at the left of the name cell; the name follows it.
Rect CheckBoxIn(const Rect& cell) {
  const int side = std::max(4, cell.Height() * 2 / 3);
  const int top = cell.top + (cell.Height() - side) / 2;
  return {cell.left + 2, top, cell.left + 2 + side, top + side};
}

void PaintCheckBox(Canvas& canvas, const Rect& box, bool checked) {
  canvas.SetPen(Pen{kPlainWhite, 1});
  canvas.SetBrush(Brush{kBlack, true});
  canvas.Rectangle(box);
  if (!checked) return;
  canvas.SetPen(Pen{kVolumeYellow, 2});
  const Point tick[] = {{box.left + 2, box.top + box.Height() / 2},
                        {box.left + box.Width() / 2 - 1, box.bottom - 3},
                        {box.right - 2, box.top + 2}};
  canvas.Polyline(tick);
}

ColorRef NameColour(const BatchItem& item) {
  return item.state == BatchItem::Name::kKnown ? kPlainWhite : kFrameGrey;
}

}  // namespace

void CBatchListStockDlg::OnPaint(Canvas& canvas) {
  line_ = canvas.Metrics().LineHeight();
  const BatchPanelLayout layout = Layout();
  canvas.FillRect(ClientRect(), kPanelBack);
  canvas.SetTextColor(kHeaderCyan);
  canvas.DrawText(kBatchNameHeader, layout.NameCell(layout.header), kTextCenter | kTextOneLine);
  canvas.DrawText(kBatchCodeHeader, layout.CodeCell(layout.header), kTextCenter | kTextOneLine);
  PaintItems(canvas, layout);
  if (model_.typing()) PaintKeypad(canvas, layout);
  PaintButtons(canvas, layout);
  canvas.SetPen(Pen{kFrameGrey, 1});
  canvas.SetBrush(Brush{kBlack, true});
  canvas.Rectangle(ClientRect());
}

void CBatchListStockDlg::PaintItems(Canvas& canvas, const BatchPanelLayout& layout) const {
  const std::vector<BatchItem>& items = model_.items();
  const int first = FirstShownItem();
  const int end = std::min(static_cast<int>(items.size()), first + layout.VisibleRows());
  for (int i = first; i < end; ++i) {
    const BatchItem& item = items[static_cast<std::size_t>(i)];
    const Rect row = layout.Row(i - first);
    Rect name = layout.NameCell(row);
    if (!model_.typing()) {
      const Rect box = CheckBoxIn(name);
      PaintCheckBox(canvas, box, item.checked);
      name.left = box.right + 2;
    }
    canvas.SetTextColor(NameColour(item));
    canvas.DrawText(item.name, name, kTextCenter | kTextOneLine);
    canvas.SetTextColor(kPlainWhite);
    canvas.DrawText(item.code, layout.CodeCell(row), kTextCenter | kTextOneLine);
  }
}

void CBatchListStockDlg::PaintKeypad(Canvas& canvas, const BatchPanelLayout& layout) const {
  canvas.DrawPicture(keypad_picture_, layout.keypad);
  canvas.SetPen(Pen{kFrameGrey, 1});
  canvas.SetBrush(Brush{kBlack, true});
  canvas.SetTextColor(kPlainWhite);
  for (int i = 0; i < BatchPanelLayout::kKeyCount; ++i) {
    const Rect key = layout.Key(i);
    canvas.Rectangle(key);
    canvas.DrawText(BatchPanelLayout::KeyText(i), key, kTextCenter | kTextOneLine);
  }
}

void CBatchListStockDlg::PaintButtons(Canvas& canvas, const BatchPanelLayout& layout) const {
  canvas.FillRect(layout.buttons, kBarBack);
  canvas.SetTextColor(kPlainWhite);
  canvas.DrawText(u"确 定", layout.Button(BatchButton::kConfirm), kTextCenter | kTextOneLine);
  canvas.DrawText(u"取 消", layout.Button(BatchButton::kCancel), kTextCenter | kTextOneLine);
  if (model_.typing()) canvas.DrawText(u"SH/SZ", layout.Button(BatchButton::kMarket), kTextCenter | kTextOneLine);
}

}  // namespace tarvello
