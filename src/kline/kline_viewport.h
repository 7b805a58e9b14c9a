// KLineViewport: which bars of the series the chart shows and which one the cursor selects, and
// the zoom arithmetic that turns a zoom level and a screen width into a bar step and a visible
// count. Plain value type with free functions; no thread rules of its own.
#pragma once

#include <array>

namespace tarvello {

inline constexpr std::array<int, 5> kZoomLevels{15, 23, 31, 47, 94};
inline constexpr int kDefaultZoomBars = 31;

struct KLineViewport {
  int firstVisible = 0;  // index of the leftmost bar drawn
  int visibleCount = 1;  // bars that fit the width
  int cursor = 0;        // index of the selected bar
  bool cursorShown = false;
  int zoomBars = kDefaultZoomBars;  // one of kZoomLevels
  int barStep = 2;                  // pixel width of one bar slot, always even
};

// Bar step and visible count for the zoom level and width. A width under two pixels per zoomed
// bar still gets a step of 2, so the visible count never divides by zero.
void FitToWidth(KLineViewport& viewport, int width);

// After the visible count changed: keeps the right edge of the window where it was (or at the
// newest bar when it lay beyond), never below 0; the cursor goes to the first visible bar and is
// hidden. oldEnd is the old firstVisible + visibleCount.
void KeepRightEdge(KLineViewport& viewport, int oldEnd, int total);

// One zoom step: in shows fewer, larger bars (94 -> 15), out more, smaller ones. False, and
// nothing changed, at either end of the scale.
bool ZoomIn(KLineViewport& viewport, int width, int total);
bool ZoomOut(KLineViewport& viewport, int width, int total);

// The newest full window: firstVisible = total - visibleCount, not below 0.
int NewestFirstVisible(const KLineViewport& viewport, int total);

}  // namespace tarvello
