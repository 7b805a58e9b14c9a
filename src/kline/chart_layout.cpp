#include "kline/chart_layout.h"

#include <algorithm>

namespace tarvello {
namespace {

// A band from top down to bottom, never upside down.
Rect Band(int width, int top, int bottom) { return {0, top, width, std::max(top, bottom)}; }

}  // namespace

ChartLayout LayoutChart(int width, int height, const TextMetrics& metrics) {
  ChartLayout layout;
  layout.width = std::max(width, 0);
  layout.height = std::max(height, 0);
  const int r = std::max(metrics.LineHeight(), 1);
  const int w = layout.width;
  const int h = layout.height;
  layout.line = r;
  layout.bar = r * 3 / 2;
  layout.maxChar = std::max(metrics.max_char_width, 1);
  layout.toolbar = Band(w, 0, layout.bar);
  layout.averageRow = Band(w, layout.bar, layout.bar + r);
  const int priceTop = r * 5 / 2 - 1;
  const int priceBottom = std::max(layout.bar + 3 * (std::max(h - 4 * r, 0) / 5), priceTop);
  layout.pricePane = Band(w, priceTop, priceBottom);
  layout.header = Band(w, priceTop, priceTop + r);
  layout.indicatorRow = Band(w, priceBottom, priceBottom + r);
  const int dateTop = std::max(h - 4 * r, layout.indicatorRow.bottom);
  layout.indicatorPane = Band(w, layout.indicatorRow.bottom, dateTop);
  layout.dateRow = Band(w, dateTop, dateTop + r);
  layout.bottomBar = Band(w, std::max(h - layout.bar, layout.dateRow.bottom), h);
  layout.tickerStrip = Band(w, std::max(h - 3 * r, layout.dateRow.bottom), layout.bottomBar.top);
  return layout;
}

std::optional<int> BarSlots::BarAt(int x) const {
  if (x < origin || step <= 0) return std::nullopt;
  const int index = first + (x - origin) / step;
  if (index >= end) return std::nullopt;
  return index;
}

BarSlots SlotsFor(const KLineViewport& viewport, int total, int width) {
  const int count = std::max(viewport.visibleCount, 1);
  BarSlots places;
  places.step = std::max(width / count, 1);
  places.origin = width - count * places.step;
  places.first = std::clamp(viewport.firstVisible, 0, std::max(total - 1, 0));
  places.end = std::min(places.first + count, std::max(total, 0));
  return places;
}

bool InfoBoxAtRight(const KLineViewport& viewport) {
  return viewport.cursor <= viewport.firstVisible + viewport.visibleCount / 2;
}

Rect InfoBoxRect(const ChartLayout& layout, bool atRight) {
  const int boxWidth = std::min(5 * layout.maxChar, layout.width);
  const int left = atRight ? layout.width - boxWidth : 0;
  const int top = layout.pricePane.top;
  return {left, top, left + boxWidth, top + 9 * layout.line};
}

}  // namespace tarvello
