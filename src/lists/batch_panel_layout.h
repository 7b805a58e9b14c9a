// Where the parts of the batch panel lie: its place over the quote list, and inside it the
// column header, the item rows (one text line each, name in the left half, code in the right),
// the digit keypad of the typing entry and the button bar. Pure, any thread.
#pragma once

#include <string_view>

#include "base/geometry.h"

namespace tarvello {

// The panel over a list screen of width x height: the full width, from a quarter of the height
// down to three text lines above the bottom.
Rect BatchPanelArea(int width, int height, int line);

enum class BatchButton { kNone, kConfirm, kMarket, kCancel };

struct BatchPanelLayout {
  static constexpr int kKeyColumns = 4;
  static constexpr int kKeyCount = 12;

  // For a panel of width x height; the keypad and the "SH/SZ" button only when typing.
  BatchPanelLayout(int width, int height, int line, bool typing);

  int width;
  int rowHeight;
  bool typing;
  Rect header;
  Rect items;
  Rect keypad;  // empty unless typing
  Rect buttons;

  int VisibleRows() const;
  Rect Row(int visibleIndex) const;
  Rect NameCell(const Rect& row) const { return {row.left, row.top, width / 2, row.bottom}; }
  Rect CodeCell(const Rect& row) const { return {width / 2, row.top, width, row.bottom}; }
  // The visible row under p, or -1.
  int RowAt(Point p) const;

  Rect Key(int index) const;
  // The key under p, or -1; KeyText gives what it stands for.
  int KeyAt(Point p) const;
  static std::u16string_view KeyText(int index);

  Rect Button(BatchButton button) const;
  BatchButton ButtonAt(Point p) const;
};

// The keypad's two keys that are not digits.
inline constexpr std::u16string_view kKeyBackspace = u"←";
inline constexpr std::u16string_view kKeyCommit = u"↵";

}  // namespace tarvello
