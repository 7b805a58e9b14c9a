// The K-line screen's geometry: the bands of the screen from the toolbar down to the bottom bar,
// the bar slots of the visible window and the place of the cursor's info box. Everything is in
// screen pixels and follows from the client size, the text line height R and the widest character
// C, so one layout serves every screen size. Plain values and pure functions, any thread.
//
// Below the smallest height the bands are made for (about ten text lines), the indicator pane is
// the first to shrink: it keeps a height of 0 and draws nothing, while the bands above and below
// it keep their places; no band ever has a negative height.
#pragma once

#include <optional>

#include "base/geometry.h"
#include "base/text_metrics.h"
#include "kline/kline_viewport.h"

namespace tarvello {

struct ChartLayout {
  int width = 0;
  int height = 0;
  int line = 0;       // R: the font height plus its external leading
  int bar = 0;        // 1.5 R: toolbar, bottom bar and ticker strip
  int maxChar = 0;    // C: the widest character
  Rect toolbar;
  Rect header;        // the quote line, right-aligned along the top of the price pane
  Rect averageRow;    // MA5, MA10, MA20 of the cursor bar
  Rect pricePane;
  Rect indicatorRow;  // the indicator's texts for the cursor bar
  Rect indicatorPane;
  Rect dateRow;
  Rect tickerStrip;
  Rect bottomBar;
};

ChartLayout LayoutChart(int width, int height, const TextMetrics& metrics);

// Where the visible bars stand: each in a slot of width / visibleCount pixels, the slots ending
// at the right edge, so that a series shorter than the window starts at the left edge.
struct BarSlots {
  int origin = 0;  // left edge of the first slot
  int step = 1;    // slot width
  int first = 0;   // first visible bar
  int end = 0;     // one past the last visible bar

  int Left(int index) const { return origin + (index - first) * step; }
  int Centre(int index) const { return Left(index) + step / 2; }
  bool Visible(int index) const { return index >= first && index < end; }
  // The bar whose slot holds x; none left of the slots or beyond the last bar.
  std::optional<int> BarAt(int x) const;
};

// firstVisible is clamped to the series, so the slots never name a bar that is not there.
BarSlots SlotsFor(const KLineViewport& viewport, int total, int width);

// The cursor's info box: 5 C wide and 9 R high from the top of the price pane, at the right edge
// while the cursor bar lies in the left half of the window, else at the left edge.
bool InfoBoxAtRight(const KLineViewport& viewport);
Rect InfoBoxRect(const ChartLayout& layout, bool atRight);

}  // namespace tarvello
