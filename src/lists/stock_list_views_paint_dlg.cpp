// The painting of the quote list's views of their own: the sector fund flow and the trade
// analysis as three-column tables under a yellow header line, and the order details as the best
// ask over the best bid, each a summary line above a grid of five by five orders.
#include "lists/flow_cells.h"
#include "lists/stock_list_dlg.h"
#include "market/display_colours.h"
#include "platform/canvas.h"

namespace tarvello {
namespace {

constexpr int kGridSide = 5;

Rect Part(const Rect& band, int index, int parts) {
  return {band.left + index * band.Width() / parts, band.top, band.left + (index + 1) * band.Width() / parts,
          band.bottom};
}

void DrawCell(Canvas& canvas, const CellText& cell, const Rect& box) {
  canvas.SetTextColor(cell.colour);
  canvas.DrawText(cell.text, box, kTextCenter | kTextOneLine);
}

void PaintHeaderLine(Canvas& canvas, const Rect& header, std::initializer_list<const char16_t*> labels) {
  canvas.SetTextColor(kVolumeYellow);
  int i = 0;
  for (const char16_t* label : labels) canvas.DrawText(label, Part(header, i++, 3), kTextCenter | kTextOneLine);
}

// One line per bucket row: its second text, then the two numbers of `line`.
template <typename LineOf>
void PaintBucketRows(Canvas& canvas, const ListLayout& layout, const std::vector<BucketRow>& rows, int shown,
                     int selectedRow, LineOf lineOf) {
  for (int i = 0; i < std::min(shown, static_cast<int>(rows.size())); ++i) {
    const Rect band = layout.Row(i);
    if (band.bottom > layout.rows.bottom) break;
    if (i + 1 == selectedRow) canvas.FillRect(band, kSelectedBand);
    const BucketRow& row = rows[static_cast<std::size_t>(i)];
    const BucketLine line = lineOf(row);
    DrawCell(canvas, {row.second, kPlainWhite}, Part(band, 0, 3));
    DrawCell(canvas, line.first, Part(band, 1, 3));
    DrawCell(canvas, line.second, Part(band, 2, 3));
  }
}

void PaintSide(Canvas& canvas, const Rect& half, int line, const char16_t* caption, const OrderSide& side,
               const OrderDetails& orders) {
  const Rect summaryBand{half.left, half.top, half.right, half.top + line};
  const OrderSummary summary = SideSummary(side, orders.reference, orders.referenceDecimals);
  DrawCell(canvas, {caption, kFlatGrey}, Part(summaryBand, 0, 4));
  DrawCell(canvas, summary.price, Part(summaryBand, 1, 4));
  DrawCell(canvas, {summary.volume, kPlainWhite}, Part(summaryBand, 2, 4));
  DrawCell(canvas, {summary.count, kPlainWhite}, Part(summaryBand, 3, 4));
  const std::array<CellText, kGridCells> cells = OrderGrid(side, orders.reference, orders.referenceDecimals);
  const Rect grid{half.left, summaryBand.bottom, half.right, half.bottom};
  for (int k = 0; k < kGridCells; ++k) {
    if (cells[static_cast<std::size_t>(k)].text.empty()) continue;
    const int row = k / kGridSide;
    const int column = k % kGridSide;
    const Rect box{grid.left + column * grid.Width() / kGridSide, grid.top + row * grid.Height() / kGridSide,
                   grid.left + (column + 1) * grid.Width() / kGridSide, grid.top + (row + 1) * grid.Height() / kGridSide};
    DrawCell(canvas, cells[static_cast<std::size_t>(k)], box);
  }
}

}  // namespace

void CStockListDlg::PaintSectorFunds(Canvas& canvas, const ListLayout& layout, const ListView& view) const {
  PaintHeaderLine(canvas, layout.header, {u"行业名称", u"流入(万)", u"比例(%)"});
  PaintBucketRows(canvas, layout, view.rows.buckets, model_.query().rowsPerPage, model_.selected_row(), SectorFundLine);
}

void CStockListDlg::PaintTradeAnalysis(Canvas& canvas, const ListLayout& layout, const ListView& view) const {
  PaintHeaderLine(canvas, layout.header, {u"单位(千手)", u"买入单", u"卖出单"});
  PaintBucketRows(canvas, layout, view.rows.buckets, 3, 0, TradeAnalysisLine);
}

void CStockListDlg::PaintOrderDetails(Canvas& canvas, const ListLayout& layout, const ListView& view) const {
  const Rect area{0, layout.header.top, layout.width, layout.ticker.top};
  const int middle = area.top + area.Height() / 2;
  const OrderDetails& orders = view.rows.orders;
  PaintSide(canvas, {area.left, area.top, area.right, middle}, layout.rowHeight, u"卖一", orders.ask, orders);
  PaintSide(canvas, {area.left, middle, area.right, area.bottom}, layout.rowHeight, u"买一", orders.bid, orders);
}

}  // namespace tarvello
