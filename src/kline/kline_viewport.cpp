#include "kline/kline_viewport.h"

#include <algorithm>

namespace tarvello {
namespace {

bool Rezoom(KLineViewport& viewport, int zoomBars, int width, int total) {
  if (zoomBars == viewport.zoomBars) return false;
  const int oldEnd = viewport.firstVisible + viewport.visibleCount;
  viewport.zoomBars = zoomBars;
  FitToWidth(viewport, width);
  KeepRightEdge(viewport, oldEnd, total);
  return true;
}

int LevelIndex(int zoomBars) {
  const auto* found = std::find(kZoomLevels.begin(), kZoomLevels.end(), zoomBars);
  return found == kZoomLevels.end() ? 2 : static_cast<int>(found - kZoomLevels.begin());
}

}  // namespace

void FitToWidth(KLineViewport& viewport, int width) {
  const int half = std::max(width, 0) / viewport.zoomBars / 2;
  viewport.barStep = std::max(2 * half, 2);
  viewport.visibleCount = std::max(std::max(width, 0) / viewport.barStep, 1);
}

void KeepRightEdge(KLineViewport& viewport, int oldEnd, int total) {
  const int end = std::min(oldEnd, total);
  viewport.firstVisible = std::max(end - viewport.visibleCount, 0);
  viewport.cursor = viewport.firstVisible;
  viewport.cursorShown = false;
}

bool ZoomIn(KLineViewport& viewport, int width, int total) {
  const int level = LevelIndex(viewport.zoomBars);
  return Rezoom(viewport, kZoomLevels[std::max(level - 1, 0)], width, total);
}

bool ZoomOut(KLineViewport& viewport, int width, int total) {
  const int level = LevelIndex(viewport.zoomBars);
  const int last = static_cast<int>(kZoomLevels.size()) - 1;
  return Rezoom(viewport, kZoomLevels[std::min(level + 1, last)], width, total);
}

int NewestFirstVisible(const KLineViewport& viewport, int total) {
  return std::max(total - viewport.visibleCount, 0);
}

}  // namespace tarvello
