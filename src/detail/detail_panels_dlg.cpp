#include "detail/detail_panels_dlg.h"

#include <algorithm>
#include <iterator>

#include "market/quote_field_text.h"
#include "platform/canvas.h"

namespace tarvello {
namespace {

constexpr const char16_t* kTabCaptions[] = {u"五档", u"报价", u"明细"};
constexpr ColorRef kTabSelected = 0x606060;
constexpr int kFigureRowsShare = 13;
constexpr int kFigureRowsIndex = 15;
constexpr int kBookRowsPerPanel = 10;

void PaintFigureRows(Canvas& canvas, const Rect& area, const std::vector<PanelRow>& rows, int rowsPerPanel) {
  const int rowHeight = area.Height() / rowsPerPanel;
  int top = area.top;
  for (const PanelRow& row : rows) {
    if (row.separator) {
      canvas.SetPen({kRiseRed, 1, PenStyle::kDash});
      canvas.Line({area.left, top + 1}, {area.right, top + 1});
      top += 3;
      continue;
    }
    const Rect box{area.left + 2, top, area.right - 2, top + rowHeight};
    canvas.SetTextColor(kFlatGrey);
    canvas.DrawText(row.label, box, kTextLeft | kTextOneLine);
    canvas.SetTextColor(row.colour);
    canvas.DrawText(row.value, box, kTextRight | kTextOneLine);
    top += rowHeight;
  }
}

// Half an average character, and never less than three pixels, between a price and its volume.
int Gap(const Canvas& canvas) { return std::max(3, canvas.Metrics().average_char_width / 2); }

int WidestText(const Canvas& canvas, const std::vector<BookRow>& rows, std::u16string BookRow::*text) {
  int widest = 0;
  for (const BookRow& row : rows) widest = std::max(widest, canvas.TextWidth(row.*text));
  return widest;
}

// Steps the font down until the widest volume fits its room; the smallest size is still read.
void ShrinkToFit(Canvas& canvas, const std::vector<BookRow>& rows, int room) {
  constexpr int kSmallestPixels = 8;
  for (int pixels = canvas.Metrics().height - 1;
       pixels >= kSmallestPixels && WidestText(canvas, rows, &BookRow::volume) > room; --pixels) {
    canvas.SetFont({pixels, false});
  }
}

// "委比" line, the large "卖"/"买" marks and one row per entry.
void PaintBook(Canvas& canvas, const Rect& area, const std::vector<BookLevel>& book, std::int32_t orderRatio,
               int rowsPerHalf, const DetailRecords& records) {
  const int line = canvas.Metrics().LineHeight();
  const Rect title{area.left + 2, area.top, area.right - 2, area.top + line};
  const ColouredText ratio = OrderRatioOf(orderRatio, records.security.priceDecimals, records.quote.last);
  canvas.SetTextColor(kFlatGrey);
  canvas.DrawText(u"委比", title, kTextLeft | kTextOneLine);
  canvas.SetTextColor(ratio.colour);
  canvas.DrawText(ratio.text, title, kTextRight | kTextOneLine);
  const Rect body{area.left, title.bottom, area.right, area.bottom};
  const int rowHeight = body.Height() / (2 * rowsPerHalf);
  const int half = rowHeight * rowsPerHalf;
  // The large marks take a third of a half-panel's height, but no more than a sixth of its width.
  const int markSize = std::min(half / 3, body.Width() / 6);
  canvas.SetFont({markSize, false});
  canvas.SetTextColor(kRiseRed);
  canvas.DrawText(u"卖", {body.left, body.top, body.left + markSize + 2, body.top + half}, kTextCenter | kTextOneLine);
  canvas.SetTextColor(kFallGreen);
  canvas.DrawText(u"买", {body.left, body.top + half, body.left + markSize + 2, body.top + 2 * half},
                  kTextCenter | kTextOneLine);
  canvas.SetFont({});
  const int priceLeft = body.left + markSize + 4;
  std::vector<BookRow> rows = BookRows(book, records);
  rows.resize(std::min(rows.size(), static_cast<std::size_t>(2 * rowsPerHalf)));
  const int captionRight = priceLeft + canvas.TextWidth(u"10") + 2;
  const BookColumns columns = FitBookColumns(captionRight, body.right - 2, WidestText(canvas, rows, &BookRow::price),
                                             WidestText(canvas, rows, &BookRow::volume), Gap(canvas));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int top = body.top + static_cast<int>(i) * rowHeight;
    canvas.SetTextColor(kFlatGrey);
    canvas.DrawText(rows[i].caption, {priceLeft, top, captionRight, top + rowHeight}, kTextLeft | kTextOneLine);
    canvas.SetTextColor(rows[i].priceColour);
    canvas.DrawText(rows[i].price, {captionRight, top, columns.priceRight, top + rowHeight}, kTextRight | kTextOneLine);
  }
  ShrinkToFit(canvas, rows, columns.volumeRoom);
  canvas.SetTextColor(kVolumeYellow);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int top = body.top + static_cast<int>(i) * rowHeight;
    canvas.DrawText(rows[i].volume, {body.right - 2 - columns.volumeRoom, top, body.right - 2, top + rowHeight},
                    kTextRight | kTextOneLine);
  }
  canvas.SetFont({});
}

void PaintTicks(Canvas& canvas, const Rect& area, const DetailRecords& records) {
  const int line = canvas.Metrics().LineHeight();
  const int third = area.Width() / 3;
  const char16_t* headers[] = {u"时", u"价", u"量"};
  canvas.SetTextColor(kFlatGrey);
  for (int i = 0; i < 3; ++i) {
    canvas.DrawText(headers[i], {area.left + i * third, area.top, area.left + (i + 1) * third, area.top + line},
                    kTextCenter | kTextOneLine);
  }
  const int rowHeight = (area.Height() - line) / kBookRowsPerPanel;
  const std::vector<TickRow> rows = TickRows(records.ticks, records.security.priceDecimals);
  for (std::size_t i = 0; i < rows.size() && i < static_cast<std::size_t>(kBookRowsPerPanel); ++i) {
    const int top = area.top + line + static_cast<int>(i) * rowHeight;
    const Rect row{area.left + 2, top, area.right - 2, top + rowHeight};
    canvas.SetTextColor(kPlainWhite);
    canvas.DrawText(rows[i].time, row, kTextLeft | kTextOneLine);
    canvas.SetTextColor(rows[i].colour);
    canvas.DrawText(rows[i].price, {row.left, top, row.left + 2 * third, row.bottom}, kTextRight | kTextOneLine);
    canvas.DrawText(rows[i].volume, row, kTextRight | kTextOneLine);
  }
}

}  // namespace

bool ShowsTabStrip(DetailPanel panel, std::uint8_t securityType) {
  if (securityType == kSecurityTypeIndex || securityType == kSecurityTypeIndexFuture) return false;
  return panel == kPanelFiveLevelBook || panel == kPanelQuoteFigures || panel == kPanelTicks;
}

int TabAt(const Rect& strip, int x) {
  const int tabs = static_cast<int>(std::size(kTabPanels));
  if (strip.Width() <= 0) return 0;
  const int tab = (x - strip.left) * tabs / strip.Width();
  return tab < 0 ? 0 : (tab >= tabs ? tabs - 1 : tab);
}

void PaintDetailPanel(Canvas& canvas, const Rect& area, DetailPanel panel, const DetailRecords& records) {
  canvas.FillRect(area, kBlack);
  switch (panel) {
    case kPanelTenLevelBook: PaintBook(canvas, area, records.tenLevelBook, records.tenLevelOrderRatio, 10, records); break;
    case kPanelIndexFigures: PaintFigureRows(canvas, area, IndexFigureRows(records), kFigureRowsIndex); break;
    case kPanelFiveLevelBook:
      PaintBook(canvas, area, records.fiveLevelBook, records.quote.orderRatio, kBookRowsPerPanel / 2, records);
      break;
    case kPanelQuoteFigures:
      if (records.IsFutureMode()) {
        PaintFigureRows(canvas, area, FutureFigureRows(records.futures.value_or(FuturesQuote{})), kFigureRowsShare);
      } else {
        PaintFigureRows(canvas, area, ShareFigureRows(records), kFigureRowsShare);
      }
      break;
    case kPanelTicks: PaintTicks(canvas, area, records); break;
  }
}

void PaintTabStrip(Canvas& canvas, const Rect& strip, DetailPanel selected, const Picture& face) {
  const int tabs = static_cast<int>(std::size(kTabPanels));
  canvas.FillRect(strip, kBlack);
  canvas.DrawPicture(face, strip);
  for (int i = 0; i < tabs; ++i) {
    const Rect tab{strip.left + i * strip.Width() / tabs, strip.top, strip.left + (i + 1) * strip.Width() / tabs,
                   strip.bottom};
    if (kTabPanels[i] == selected) canvas.FillRect(tab, kTabSelected);
    canvas.SetTextColor(kPlainWhite);
    canvas.DrawText(kTabCaptions[i], tab, kTextCenter | kTextOneLine);
  }
}

}  // namespace tarvello
