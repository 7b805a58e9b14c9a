// Index arithmetic shared by the indicator passes: the visible window, the look-back range of an
// n-bar average, and where a pass ends when asked to stop after a given bar. Pure functions.
#pragma once

#include <algorithm>
#include <cstddef>

namespace tarvello {

// Bars [first, end) of a series.
struct BarRange {
  int first = 0;
  int end = 0;
};

inline int BarCount(std::size_t size) { return static_cast<int>(std::min<std::size_t>(size, 1u << 30)); }

// The visible window: from max(firstVisible, 0) up to firstVisible + visibleCount, within the series.
inline BarRange VisibleWindow(int firstVisible, int visibleCount, int total) {
  const int first = std::clamp(firstVisible, 0, total);
  const long end = static_cast<long>(first) + std::max(visibleCount, 0);
  return {first, static_cast<int>(std::min<long>(end, total))};
}

// The range an n-bar running average covers so that the window's bars get their full look-back:
// it starts n - 1 bars before the first visible bar and spans visibleCount + n - 1 bars.
inline BarRange LookBackRange(int firstVisible, int visibleCount, int n, int total) {
  const int first = std::clamp(firstVisible - n + 1, 0, total);
  const long end = static_cast<long>(first) + std::max(visibleCount, 0) + n - 1;
  return {first, static_cast<int>(std::min<long>(end, total))};
}

// The end of a pass that stops after bar stopAt (-1 = no stop).
inline int StopEnd(int end, int stopAt) { return stopAt >= 0 ? std::min(end, stopAt + 1) : end; }

}  // namespace tarvello
