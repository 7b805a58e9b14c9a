// The K-line screen's painting: the chart bands from the average row down to the date row, the
// cursor with its info box, then the ticker strip, the toolbar and the bottom bar over them.
#include <algorithm>

#include "kline/chart_colours.h"
#include "kline/chart_panes.h"
#include "kline/chart_texts.h"
#include "kline/kline_dlg.h"
#include "kline/pane_scale.h"
#include "market/ticker_cells.h"
#include "platform/canvas.h"
#include "platform/ticker_strip.h"

namespace tarvello {
namespace {

constexpr int kBottomCells = 6;
constexpr const char16_t* kBottomCaptions[kBottomCells] = {u"选项", u"分时", u"K线", u"信息", u"资金", u"返回"};
constexpr int kTextInset = 2;

Pen SolidPen(ColorRef colour) { return {colour, 1, PenStyle::kSolid}; }

Rect Cell(const Rect& bar, int index, int cells) {
  return {bar.left + index * bar.Width() / cells, bar.top, bar.left + (index + 1) * bar.Width() / cells, bar.bottom};
}

// One line per series, joining the visible bars from the series' first bar on.
void DrawLine(Canvas& canvas, std::span<const KLineBar> bars, const BarSlots& places, const PaneScale& scale,
              const PaneLine& line) {
  std::vector<Point> points;
  for (int i = std::max(places.first, line.firstBar); i < places.end; ++i) {
    points.push_back({places.Centre(i), scale.Y(bars[static_cast<std::size_t>(i)].*line.field)});
  }
  if (points.size() < 2) return;
  canvas.SetPen(SolidPen(line.colour));
  canvas.Polyline(points);
}

// Rising: red outline, black body; unchanged: a white line; falling: filled cyan. The wick runs
// through the slot centre, the body across the slot less one pixel.
void DrawCandles(Canvas& canvas, std::span<const KLineBar> bars, const BarSlots& places, const PaneScale& scale) {
  for (int i = places.first; i < places.end; ++i) {
    const KLineBar& bar = bars[static_cast<std::size_t>(i)];
    const int left = places.Left(i);
    const int right = left + std::max(places.step - 1, 1);
    const int centre = places.Centre(i);
    const ColorRef colour = bar.close > bar.open ? kChartRed : bar.close == bar.open ? kChartWhite : kChartCyan;
    canvas.SetPen(SolidPen(colour));
    canvas.Line({centre, scale.Y(bar.high)}, {centre, scale.Y(bar.low)});
    const int top = scale.Y(std::max(bar.open, bar.close));
    const int bottom = scale.Y(std::min(bar.open, bar.close));
    if (bar.close == bar.open) {
      canvas.Line({left, top}, {right, top});
      continue;
    }
    canvas.SetBrush({bar.close > bar.open ? kChartBlack : kChartCyan, false});
    canvas.Rectangle({left, top, right, std::max(bottom, top + 1)});
  }
}

void DrawVolumeBars(Canvas& canvas, std::span<const KLineBar> bars, const BarSlots& places, const PaneScale& scale,
                    int bottom) {
  for (int i = places.first; i < places.end; ++i) {
    const KLineBar& bar = bars[static_cast<std::size_t>(i)];
    if (bar.volume <= 0) continue;
    const bool rising = i > 0 && bar.close > bar.open;
    const ColorRef colour = rising ? kChartRed : kChartCyan;
    canvas.SetPen(SolidPen(colour));
    canvas.SetBrush({rising ? kChartBlack : kChartCyan, false});
    const int left = places.Left(i);
    canvas.Rectangle({left, scale.Y(bar.volume), left + std::max(places.step - 1, 1), bottom});
  }
}

void DrawMacdBars(Canvas& canvas, std::span<const KLineBar> bars, const BarSlots& places, const PaneScale& scale) {
  const int zero = scale.Y(0);
  for (int i = places.first; i < places.end; ++i) {
    const float macd = bars[static_cast<std::size_t>(i)].macd;
    canvas.SetPen(SolidPen(macd >= 0 ? kChartRed : kChartGreen));
    canvas.Line({places.Centre(i), zero}, {places.Centre(i), scale.Y(macd)});
  }
}

// Texts one after another from the left of the row, half a character apart.
void DrawRow(Canvas& canvas, const Rect& row, std::span<const ChartText> texts, int gap) {
  int x = row.left + kTextInset;
  for (const ChartText& text : texts) {
    canvas.SetTextColor(text.colour);
    canvas.DrawText(text.text, {x, row.top, row.right, row.bottom}, kTextLeft | kTextOneLine);
    x += canvas.TextWidth(text.text) + gap;
  }
}

}  // namespace

void CKLineDlg::OnPaint(Canvas& canvas) {
  RefreshWorker::PaintScope painting(worker());
  metrics_ = canvas.Metrics();
  const ChartLayout layout = Layout();
  canvas.FillRect(ClientRect(), kChartDarkGrey);
  bool member = false;
  {
    std::lock_guard<std::mutex> lock(model_mutex_);
    FitWidthLocked();
    member = model_.inSelfSelect();
    PaintChart(canvas, layout, model_);
  }
  PaintTicker(canvas, layout.tickerStrip);
  PaintToolbar(canvas, layout, member);
  PaintBottomBar(canvas, layout.bottomBar);
}

void CKLineDlg::PaintChart(Canvas& canvas, const ChartLayout& layout, const KLineModel& model) {
  canvas.FillRect({0, layout.toolbar.bottom, layout.width, layout.tickerStrip.top}, kChartBlack);
  const BarSlots places = SlotsFor(model.viewport(), model.total(), layout.width);
  const KLineBar cursorBar = model.total() > 0
                                 ? model.bars()[static_cast<std::size_t>(std::clamp(model.viewport().cursor, 0, model.total() - 1))]
                                 : KLineBar{};
  const std::array<ChartText, 3> averages = AverageLabels(cursorBar, model.priceDecimals());
  for (int i = 0; i < 3; ++i) {
    canvas.SetTextColor(averages[i].colour);
    canvas.DrawText(averages[i].text, Cell(layout.averageRow, i, 3), kTextLeft | kTextOneLine);
  }
  PaintPricePane(canvas, layout, model, places);
  PaintIndicator(canvas, layout, model, places);
  const std::array<std::u16string, 2> dates = DateRowTexts(model.bars(), places.first, places.end, model.period());
  canvas.SetTextColor(kChartWhite);
  canvas.DrawText(dates[0], layout.dateRow, kTextLeft | kTextOneLine);
  canvas.DrawText(dates[1], layout.dateRow, kTextRight | kTextOneLine);
  PaintCursor(canvas, layout, model, places);
}

void CKLineDlg::PaintPricePane(Canvas& canvas, const ChartLayout& layout, const KLineModel& model,
                               const BarSlots& places) {
  const Rect& pane = layout.pricePane;
  const IndicatorRanges& ranges = model.ranges();
  const int third = pane.Height() / 3;
  canvas.SetPen({kChartRed, 1, PenStyle::kDash});
  for (int i = 1; i <= 2; ++i) canvas.Line({0, pane.top + i * third}, {layout.width, pane.top + i * third});
  const PaneScale scale(pane.top, pane.bottom, ranges.priceFloor, ranges.priceHigh);
  DrawCandles(canvas, model.bars(), places, scale);
  for (const PaneLine& line : PriceAverageLines()) DrawLine(canvas, model.bars(), places, scale, line);
  if (model.total() > 0) {  // over the candles, so that none hides a label
    const std::array<std::u16string, 4> labels = PriceAxisLabels(ranges, model.priceDecimals());
    canvas.SetTextColor(kChartRed);
    for (int i = 0; i < 4; ++i) {
      const int top = i < 3 ? pane.top + i * third : pane.bottom - layout.line;
      canvas.DrawText(labels[i], {kTextInset, top, layout.width, top + layout.line}, kTextLeft | kTextOneLine);
    }
  }
  const ChartText quote = HeaderQuote(model.quote(), model.priceDecimals());
  const Rect& header = layout.header;
  const int quoteLeft = header.right - kTextInset - canvas.TextWidth(quote.text);
  canvas.SetTextColor(quote.colour);
  canvas.DrawText(quote.text, {quoteLeft, header.top, header.right, header.bottom}, kTextLeft | kTextOneLine);
  canvas.SetTextColor(kChartYellow);
  canvas.DrawText(u"最新:", {header.left, header.top, quoteLeft, header.bottom}, kTextRight | kTextOneLine);
}

void CKLineDlg::PaintIndicator(Canvas& canvas, const ChartLayout& layout, const KLineModel& model,
                               const BarSlots& places) {
  const int index = model.total() > 0 ? std::clamp(model.viewport().cursor, 0, model.total() - 1) : -1;
  const KLineBar bar = index >= 0 ? model.bars()[static_cast<std::size_t>(index)] : KLineBar{};
  const IndicatorTexts texts = IndicatorTextsFor(model.indicator(), bar, model.ranges(), model.priceDecimals());
  DrawRow(canvas, layout.indicatorRow, texts.row, layout.maxChar / 2);
  const Rect& pane = layout.indicatorPane;
  if (pane.IsEmpty()) return;
  const PanePlan plan = PlanIndicatorPane(model.indicator(), model.ranges());
  if (plan.drawn) {
    const PaneScale scale(pane.top, pane.bottom, plan.minimum, plan.maximum);
    switch (plan.marks) {
      case PaneMarks::kVolumeBars: DrawVolumeBars(canvas, model.bars(), places, scale, pane.bottom); break;
      case PaneMarks::kMacdBars: DrawMacdBars(canvas, model.bars(), places, scale); break;
      case PaneMarks::kCandles: DrawCandles(canvas, model.bars(), places, scale); break;
      case PaneMarks::kNone: break;
    }
    for (const PaneLine& line : plan.lines) DrawLine(canvas, model.bars(), places, scale, line);
  }
  if (texts.axis.size() != 3) return;
  const int middle = (pane.top + pane.bottom) / 2;
  const Rect boxes[3] = {{0, pane.top, pane.right - kTextInset, pane.top + layout.line},
                         {0, middle - layout.line / 2, pane.right - kTextInset, middle + layout.line / 2 + 1},
                         {0, pane.bottom - layout.line, pane.right - kTextInset, pane.bottom}};
  canvas.SetTextColor(kChartRed);
  for (int i = 0; i < 3; ++i) canvas.DrawText(texts.axis[i], boxes[i], kTextRight | kTextOneLine);
}

void CKLineDlg::PaintCursor(Canvas& canvas, const ChartLayout& layout, const KLineModel& model,
                            const BarSlots& places) {
  const KLineViewport& viewport = model.viewport();
  info_box_.reset();
  if (!viewport.cursorShown || model.total() == 0) return;
  const int index = std::clamp(viewport.cursor, 0, model.total() - 1);
  if (places.Visible(index)) {
    canvas.SetPen(SolidPen(kChartWhite));
    canvas.Line({places.Centre(index), layout.pricePane.top}, {places.Centre(index), layout.indicatorPane.bottom});
  }
  const Rect box = InfoBoxRect(layout, InfoBoxAtRight(viewport));
  info_box_ = box;
  canvas.SetPen(SolidPen(kChartGrey));
  canvas.SetBrush({kChartBlack, false});
  canvas.Rectangle(box);
  const auto rows = InfoBoxRows(model.bars(), index, model.quote(), model.priceDecimals(), model.period());
  for (int i = 0; i < 9; ++i) {
    const Rect row{box.left + kTextInset, box.top + i * layout.line, box.right - kTextInset,
                   box.top + (i + 1) * layout.line};
    canvas.SetTextColor(kChartWhite);
    canvas.DrawText(rows[i].label, row, kTextLeft | kTextOneLine);
    canvas.SetTextColor(rows[i].value.colour);
    canvas.DrawText(rows[i].value.text, row, kTextRight | kTextOneLine);
  }
}

// The index of the moment on the left; the code keyboard and refresh spots at the right.
void CKLineDlg::PaintTicker(Canvas& canvas, const Rect& strip) {
  PaintTickerStrip(canvas, strip, parts_.ticker ? std::optional(parts_.ticker()) : std::nullopt, kChartDarkGrey, true);
}

void CKLineDlg::PaintToolbar(Canvas& canvas, const ChartLayout& layout, bool member) {
  const Rect& bar = layout.toolbar;
  canvas.FillRect(bar, kChartDarkGrey);
  canvas.DrawPicture(toolbar_picture_, bar);
  const char16_t* captions[] = {u"周期", u"指标", u"放大", u"缩小", member ? u"删除" : u"添加"};
  canvas.SetTextColor(kChartWhite);
  for (int i = 0; i < 5; ++i) canvas.DrawText(captions[i], Cell(bar, i, kBottomCells), kTextCenter | kTextOneLine);
  const Rect last = Cell(bar, 5, kBottomCells);
  const int half = (last.left + last.right) / 2;
  canvas.DrawText(u"<", {last.left, bar.top, half, bar.bottom}, kTextCenter | kTextOneLine);
  canvas.DrawText(u">", {half, bar.top, last.right, bar.bottom}, kTextCenter | kTextOneLine);
}

// The menu picture marks the "选项" cell, a square at its left end.
void CKLineDlg::PaintBottomBar(Canvas& canvas, const Rect& bar) {
  canvas.FillRect(bar, kChartDarkGrey);
  canvas.DrawPicture(keybar_picture_, bar);
  const int side = std::min(bar.Height(), Cell(bar, 0, kBottomCells).Width() / 3);
  canvas.DrawPicture(menu_picture_, {bar.left, bar.top + (bar.Height() - side) / 2, bar.left + side,
                                     bar.top + (bar.Height() + side) / 2});
  for (int i = 0; i < kBottomCells; ++i) {
    canvas.SetTextColor(i == 2 ? kChartCyan : kChartWhite);
    canvas.DrawText(kBottomCaptions[i], Cell(bar, i, kBottomCells), kTextCenter | kTextOneLine);
  }
}

}  // namespace tarvello
