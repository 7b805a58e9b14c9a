#include "lists/batch_panel_layout.h"

#include <algorithm>
#include <array>

namespace tarvello {
namespace {

constexpr int kKeyRows = BatchPanelLayout::kKeyCount / BatchPanelLayout::kKeyColumns;
constexpr std::array<std::u16string_view, BatchPanelLayout::kKeyCount> kKeys = {
    u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"0", kKeyBackspace, kKeyCommit};

// The buttons from left to right: confirm, the market prefix when typing, cancel.
int ButtonSlots(bool typing) { return typing ? 3 : 2; }

int SlotOf(BatchButton button, bool typing) {
  switch (button) {
    case BatchButton::kConfirm: return 0;
    case BatchButton::kMarket: return typing ? 1 : -1;
    case BatchButton::kCancel: return ButtonSlots(typing) - 1;
    default: return -1;
  }
}

}  // namespace

Rect BatchPanelArea(int width, int height, int line) {
  return {0, height / 4, width, std::max(height / 4 + 1, height - 3 * line)};
}

BatchPanelLayout::BatchPanelLayout(int width_, int height, int line, bool typing_)
    : width(width_), rowHeight(std::max(1, line)), typing(typing_) {
  const int bar = line * 3 / 2;
  header = {0, 0, width, rowHeight};
  buttons = {0, std::max(header.bottom, height - bar), width, height};
  const int keypadTop = typing ? std::max(header.bottom, buttons.top - kKeyRows * bar) : buttons.top;
  keypad = typing ? Rect{0, keypadTop, width, buttons.top} : Rect{};
  items = {0, header.bottom, width, keypadTop};
}

int BatchPanelLayout::VisibleRows() const { return std::max(0, items.Height() / rowHeight); }

Rect BatchPanelLayout::Row(int visibleIndex) const {
  const int top = items.top + visibleIndex * rowHeight;
  return {0, top, width, top + rowHeight};
}

int BatchPanelLayout::RowAt(Point p) const {
  if (!items.Contains(p)) return -1;
  const int row = (p.y - items.top) / rowHeight;
  return row < VisibleRows() ? row : -1;
}

Rect BatchPanelLayout::Key(int index) const {
  const int column = index % kKeyColumns;
  const int row = index / kKeyColumns;
  const int top = keypad.top + row * keypad.Height() / kKeyRows;
  return {column * width / kKeyColumns, top, (column + 1) * width / kKeyColumns,
          keypad.top + (row + 1) * keypad.Height() / kKeyRows};
}

int BatchPanelLayout::KeyAt(Point p) const {
  if (!keypad.Contains(p)) return -1;
  for (int i = 0; i < kKeyCount; ++i) {
    if (Key(i).Contains(p)) return i;
  }
  return -1;
}

std::u16string_view BatchPanelLayout::KeyText(int index) {
  return index >= 0 && index < kKeyCount ? kKeys[static_cast<std::size_t>(index)] : std::u16string_view();
}

Rect BatchPanelLayout::Button(BatchButton button) const {
  const int slot = SlotOf(button, typing);
  if (slot < 0) return {};
  const int slots = ButtonSlots(typing);
  return {slot * width / slots, buttons.top, (slot + 1) * width / slots, buttons.bottom};
}

BatchButton BatchPanelLayout::ButtonAt(Point p) const {
  for (const BatchButton button : {BatchButton::kConfirm, BatchButton::kMarket, BatchButton::kCancel}) {
    if (Button(button).Contains(p)) return button;
  }
  return BatchButton::kNone;
}

}  // namespace tarvello
