#include "alerts/alert_page_layout.h"

#include <algorithm>

namespace tarvello {

namespace {

constexpr int kKeyColumns = 5;
constexpr int kKeyRows = kAlertKeyCount / kKeyColumns;
// Bars the page needs: header, four conditions, three key rows, the count, two list rows, and
// the gaps around the keys; on a short screen the bars shrink to fit them.
constexpr int kBarsNeededTimesTwo = 23;

Rect Band(const Rect& client, int top, int height) { return Rect{client.left, top, client.right, top + height}; }

}  // namespace

int AlertPageLayout::VisibleRows() const { return std::max(0, list.Height() / rowHeight); }

Rect AlertPageLayout::ListRow(int visibleIndex) const {
  const int top = list.top + visibleIndex * rowHeight;
  return Rect{list.left, top, list.right - deleteWidth, top + rowHeight};
}

Rect AlertPageLayout::DeleteCell(int visibleIndex) const {
  const Rect row = ListRow(visibleIndex);
  return Rect{row.right, row.top, list.right, row.bottom};
}

AlertPageLayout LayOutAlertPage(const Rect& client, int bar, int charWidth) {
  AlertPageLayout layout;
  bar = std::max(std::min(bar, client.Height() * 2 / kBarsNeededTimesTwo), 1);
  layout.rowHeight = bar;
  layout.header = Band(client, client.top, bar);
  const int labelWidth = client.Width() * 2 / 5;
  for (int i = 0; i < 4; ++i) {
    const Rect row = Band(client, layout.header.bottom + i * bar, bar);
    layout.labels[static_cast<std::size_t>(i)] = Rect{row.left, row.top, row.left + labelWidth, row.bottom};
    layout.entries[static_cast<std::size_t>(i)] = Rect{row.left + labelWidth, row.top + 1, row.right - 1, row.bottom - 1};
  }
  const int keysTop = layout.header.bottom + 4 * bar + bar / 4;
  const int keyWidth = client.Width() / kKeyColumns;
  for (int i = 0; i < kAlertKeyCount; ++i) {
    const int left = client.left + (i % kKeyColumns) * keyWidth;
    const int top = keysTop + (i / kKeyColumns) * bar;
    layout.keys[static_cast<std::size_t>(i)] = Rect{left + 1, top + 1, left + keyWidth - 1, top + bar - 1};
  }
  layout.count = Band(client, keysTop + kKeyRows * bar + bar / 4, bar);
  layout.list = Rect{client.left, layout.count.bottom, client.right, std::max(layout.count.bottom, client.bottom)};
  layout.deleteWidth = std::min(client.Width() / 3, charWidth * 5);
  return layout;
}

AlertPageHit AlertPageHitAt(const AlertPageLayout& layout, Point at, int firstRow, int alerts) {
  using Kind = AlertPageHit::Kind;
  for (int i = 0; i < 4; ++i) {
    const Rect& label = layout.labels[static_cast<std::size_t>(i)];
    const Rect row{label.left, label.top, layout.entries[static_cast<std::size_t>(i)].right + 1, label.bottom};
    if (row.Contains(at)) return {Kind::kCondition, i};
  }
  for (int i = 0; i < kAlertKeyCount; ++i) {
    if (layout.keys[static_cast<std::size_t>(i)].Contains(at)) return {Kind::kKey, i};
  }
  for (int row = 0; row < layout.VisibleRows() && firstRow + row < alerts; ++row) {
    if (layout.DeleteCell(row).Contains(at)) return {Kind::kListDelete, firstRow + row};
    if (layout.ListRow(row).Contains(at)) return {Kind::kListRow, firstRow + row};
  }
  return {};
}

int FirstShownAlert(int chosen, int previousFirst, int visibleRows) {
  if (chosen < 0 || visibleRows <= 0) return std::max(previousFirst, 0);
  if (chosen < previousFirst) return chosen;
  if (chosen >= previousFirst + visibleRows) return chosen - visibleRows + 1;
  return previousFirst;
}

}  // namespace tarvello
