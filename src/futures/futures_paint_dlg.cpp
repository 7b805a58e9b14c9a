#include <algorithm>

#include "futures/fund_flow_pie.h"
#include "futures/fund_flow_texts.h"
#include "futures/futures_dlg.h"
#include "futures/futures_rows.h"
#include "platform/canvas.h"
#include "platform/ticker_strip.h"

namespace tarvello {
namespace {

constexpr ColorRef kPieOutline = 0x0000FF;
constexpr int kMargin = 4;
constexpr int kTotalsLines = 3;

Rect Row(const Rect& area, int top, int height) { return {area.left, top, area.right, top + height}; }

// Column i of n equal columns of a row, with a small margin on each side.
Rect Column(const Rect& row, int i, int n) {
  const int left = row.left + i * row.Width() / n;
  const int right = row.left + (i + 1) * row.Width() / n;
  return {left + kMargin, row.top, right - kMargin, row.bottom};
}

void Text(Canvas& canvas, std::u16string_view text, ColorRef colour, const Rect& box, unsigned align) {
  canvas.SetTextColor(colour);
  canvas.DrawText(text, box, align | kTextOneLine);
}

void LabelAndValue(Canvas& canvas, const FuturesCell& cell, const Rect& half) {
  Text(canvas, cell.label, kPlainWhite, half, kTextLeft);
  Text(canvas, cell.text, cell.colour, half, kTextRight);
}

}  // namespace

void CGzqhDlg::OnPaint(Canvas& canvas) {
  RefreshWorker::PaintScope painting(worker());
  metrics_ = canvas.Metrics();
  const Layout layout = LayoutFor(metrics_);
  const std::shared_ptr<const FuturesScreenView> shown = records_.Current();
  switch (shown->view) {
    case kViewTicks: PaintTicks(canvas, layout.content, *shown); break;
    case kViewFundFlow: PaintFundFlow(canvas, layout.content, *shown); break;
    default: PaintQuotePanel(canvas, layout.content, *shown); break;
  }
  PaintTickerStrip(canvas, layout.strip, parts_.ticker ? std::optional(parts_.ticker()) : std::nullopt, kBarBack,
                   true);
  PaintBottomBar(canvas, layout.bar);
}

void CGzqhDlg::PaintQuotePanel(Canvas& canvas, const Rect& area, const FuturesScreenView& shown) {
  const int rowHeight = area.Height() / 8;
  const int middle = area.Width() / 2;
  int top = area.top;
  for (const FuturesPanelRow& row : QuotePanelRows(shown.quote)) {
    LabelAndValue(canvas, row.left, {area.left + kMargin, top, middle - kMargin, top + rowHeight});
    LabelAndValue(canvas, row.right, {middle + kMargin, top, area.right - kMargin, top + rowHeight});
    top += rowHeight;
  }
}

void CGzqhDlg::PaintTicks(Canvas& canvas, const Rect& area, const FuturesScreenView& shown) {
  const int line = metrics_.LineHeight();
  const int timeRight = area.left + kMargin + canvas.TextWidth(u"24:24:24") + kMargin;
  const int rest = (area.right - timeRight) / 4;
  const auto columns = [&](int top) {
    std::array<Rect, 5> boxes;
    boxes[0] = {area.left + kMargin, top, timeRight, top + line};
    for (int i = 0; i < 4; ++i) boxes[static_cast<std::size_t>(i) + 1] = {timeRight + i * rest, top, timeRight + (i + 1) * rest, top + line};
    return boxes;
  };
  const std::array<Rect, 5> header = columns(area.top);
  for (std::size_t i = 0; i < header.size(); ++i) Text(canvas, kTickHeaders[i], kHeaderCyan, header[i], kTextCenter);
  int top = area.top + line;
  for (const FuturesTick& tick : shown.ticks.ticks) {
    if (top + line > area.bottom) break;
    const TickRowTexts row = TickRow(tick, shown.ticks.referencePrice);
    const std::array<Rect, 5> boxes = columns(top);
    Text(canvas, row.time, kPlainWhite, boxes[0], kTextLeft);
    Text(canvas, row.price, row.priceColour, boxes[1], kTextRight);
    Text(canvas, row.size, kVolumeYellow, boxes[2], kTextRight);
    Text(canvas, row.interestChange, kPlainWhite, boxes[3], kTextRight);
    const int symbolWidth = canvas.TextWidth(row.direction);
    Text(canvas, row.direction, row.directionColour, {boxes[4].left + kMargin, top, boxes[4].left + kMargin + symbolWidth, top + line},
         kTextLeft);
    Text(canvas, row.tickType, kPlainWhite, boxes[4], kTextRight);
    top += line;
  }
}

// Top to bottom: the three totals, the flow table, the ratio table, then the pie in what is left.
void CGzqhDlg::PaintFundFlow(Canvas& canvas, const Rect& area, const FuturesScreenView& shown) {
  const SecurityFundFlow& flow = shown.flow;
  const int line = metrics_.LineHeight();
  int top = area.top;
  const FlowTotals totals = FundFlowTotals(flow);
  const std::pair<std::u16string_view, const FlowCell*> lines[kTotalsLines] = {
      {u"总流入(万元)", &totals.in}, {u"总流出(万元)", &totals.out}, {totals.netLabel, &totals.net}};
  for (const auto& [label, cell] : lines) {
    const Rect row = Row(area, top, line);
    Text(canvas, label, kPlainWhite, Column(row, 0, 2), kTextLeft);
    Text(canvas, cell->text, cell->colour, Column(row, 1, 2), kTextRight);
    top += line;
  }
  top += line / 2;
  for (std::size_t i = 0; i < kFlowTableHeaders.size(); ++i) {
    Text(canvas, kFlowTableHeaders[i], kHeaderCyan, Column(Row(area, top, line), static_cast<int>(i), 4), kTextRight);
  }
  top += line;
  for (const FlowTableRow& r : FundFlowTable(flow)) {
    const Rect row = Row(area, top, line);
    Text(canvas, r.label, kPlainWhite, Column(row, 0, 4), kTextRight);
    Text(canvas, r.in.text, r.in.colour, Column(row, 1, 4), kTextRight);
    Text(canvas, r.out.text, r.out.colour, Column(row, 2, 4), kTextRight);
    Text(canvas, r.net.text, r.net.colour, Column(row, 3, 4), kTextRight);
    top += line;
  }
  top += line / 2;
  for (std::size_t i = 0; i < kRatioTableHeaders.size(); ++i) {
    Text(canvas, kRatioTableHeaders[i], kHeaderCyan, Column(Row(area, top, line), static_cast<int>(i), 3), kTextRight);
  }
  top += line;
  for (const RatioTableRow& r : FundFlowRatios(flow)) {
    const Rect row = Row(area, top, line);
    Text(canvas, r.label, kPlainWhite, Column(row, 0, 3), kTextRight);
    Text(canvas, r.ratio.text, r.ratio.colour, Column(row, 1, 3), kTextRight);
    Text(canvas, r.position.text, r.position.colour, Column(row, 2, 3), kTextRight);
    top += line;
  }
  const int radius = (std::min(area.Width(), area.bottom - top) - 2 * kMargin) / 2;
  if (radius < kMargin) return;
  const std::vector<PieSlice> slices = FundFlowPie(flow, {area.left + area.Width() / 2, (top + area.bottom) / 2}, radius);
  if (slices.empty()) return;
  const Point centre = slices.front().points.front();
  canvas.SetPen({kPieOutline, 1, PenStyle::kSolid});
  canvas.SetBrush({kBlack, true});
  canvas.Ellipse({centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius});
  for (const PieSlice& slice : slices) {
    if (slice.endDegree == slice.startDegree) continue;
    canvas.SetBrush({slice.fill, false});
    canvas.Polygon(slice.points);
  }
}

void CGzqhDlg::PaintBottomBar(Canvas& canvas, const Rect& bar) {
  canvas.FillRect(bar, kBarBack);
  const std::array<BarCell, kBottomBarCells> cells = BottomBarCells(view());
  for (int i = 0; i < kBottomBarCells; ++i) {
    const BarCell& cell = cells[static_cast<std::size_t>(i)];
    const Rect box{bar.left + i * bar.Width() / kBottomBarCells, bar.top, bar.left + (i + 1) * bar.Width() / kBottomBarCells,
                   bar.bottom};
    Text(canvas, cell.caption, cell.current ? kHeaderCyan : kPlainWhite, box, kTextCenter);
  }
}

}  // namespace tarvello
