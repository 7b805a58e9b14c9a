#include "platform/ticker_strip.h"

#include <string>

#include "market/display_colours.h"
#include "market/ticker_cells.h"
#include "platform/picture.h"
#include "traffic/traffic_meter.h"

namespace tarvello {

namespace {

constexpr std::u16string_view kSavingText = u"省流量";

// While the traffic allowance is used up, a cell before the spots says so; the right edge left
// for the index cells.
int PaintSavingCell(Canvas& canvas, const Rect& strip, int cellsRight) {
  if (!TrafficSaving()) return cellsRight;
  const int savingLeft = cellsRight - canvas.TextWidth(kSavingText) - canvas.Metrics().average_char_width;
  canvas.SetTextColor(kVolumeYellow);
  canvas.DrawText(kSavingText, {savingLeft, strip.top, cellsRight, strip.bottom}, kTextCenter | kTextSingleLine | kTextVCenter);
  return savingLeft;
}

}  // namespace

void PaintTickerStrip(Canvas& canvas, const Rect& strip, const std::optional<TickerState>& state, ColorRef background,
                      bool withSpots) {
  canvas.FillRect(strip, background);
  const int cellsRight = PaintSavingCell(canvas, strip, withSpots ? TickerKeyboardLeft(strip) : strip.Width());
  if (state && !state->notice.empty()) {
    canvas.SetTextColor(kPlainWhite);
    canvas.DrawText(state->notice, {strip.left, strip.top, cellsRight, strip.bottom},
                    kTextCenter | kTextSingleLine | kTextVCenter);
  } else if (state) {
    const TickerCells cells = TickerCellsFor(*state);
    const std::u16string* texts[] = {&cells.label, &cells.value, &cells.change, &cells.percent};
    const int quarter = cellsRight / 4;
    for (int i = 0; i < 4; ++i) {
      canvas.SetTextColor(i == 0 ? cells.labelColour : cells.colour);
      canvas.DrawText(*texts[i], {i * quarter, strip.top, (i + 1) * quarter, strip.bottom}, kTextCenter | kTextSingleLine | kTextVCenter);
    }
  }
  if (!withSpots) return;
  const int refreshLeft = TickerRefreshLeft(strip);
  // The two buttons' faces, loaded once for every screen's strip.
  static const Picture buttons = Picture::Load("Picture/KEYBAR.bmp");
  canvas.DrawPicture(buttons, {TickerKeyboardLeft(strip), strip.top, strip.right, strip.bottom});
  canvas.SetTextColor(kPlainWhite);
  canvas.DrawText(u"码", {TickerKeyboardLeft(strip), strip.top, refreshLeft, strip.bottom}, kTextCenter | kTextSingleLine | kTextVCenter);
  canvas.DrawText(u"刷", {refreshLeft, strip.top, strip.right, strip.bottom}, kTextCenter | kTextSingleLine | kTextVCenter);
}

}  // namespace tarvello
