// Paints the intraday chart of the detail screen into its area of a canvas: grid, scale labels
// with percentages, the average and price lines, the volume bars (the newest minute included),
// the "现手:"/"总手:" band, the time axis and the cursor with its info box. The figures come from
// intraday_chart_model.h; this file only places them. User-interface thread, like any painting.
#pragma once

#include <optional>
#include <vector>

#include "base/geometry.h"
#include "detail/detail_records.h"

namespace tarvello {

class Canvas;

struct IntradayChartInput {
  const DetailRecords* records = nullptr;
  const std::vector<MinuteRecord>* minutes = nullptr;  // gap-filled
  std::int32_t maxVolume = 0;
  int screenWidth = 0;
  bool fullScreen = false;
  int cursorX = -1;  // -1: no cursor
  bool cursorShown = false;
};

// What the painter leaves for the touch handling: where the info box was drawn.
struct IntradayChartLayout {
  std::optional<Rect> cursorBox;
};

// The minute under the cursor when one is drawn.
std::optional<int> ShownCursorMinute(const IntradayChartInput& input);

IntradayChartLayout PaintIntradayChart(Canvas& canvas, const Rect& area, const IntradayChartInput& input);

}  // namespace tarvello
