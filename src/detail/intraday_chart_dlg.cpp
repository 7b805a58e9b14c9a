#include "detail/intraday_chart_dlg.h"

#include <array>

#include "detail/intraday_chart_model.h"
#include "market/printf_text.h"
#include "platform/canvas.h"

namespace tarvello {
namespace {

constexpr ColorRef kBoxFill = 0x271A0F;
constexpr ColorRef kBoxLabel = 0xFFFF52;

const Pen kRedSolid{kRiseRed, 1, PenStyle::kSolid};
const Pen kRedDashed{kRiseRed, 1, PenStyle::kDash};

// Vertical bands of the chart, as y offsets from its top.
struct ChartBands {
  int line = 0;        // text line height
  int bar = 0;         // one and a half lines
  int priceBottom = 0;  // P
  int volumeTop = 0;    // V
  int plotBottom = 0;   // B
};

ChartBands BandsOf(const Rect& area, const TextMetrics& metrics) {
  ChartBands bands;
  bands.line = metrics.LineHeight();
  bands.bar = metrics.BarHeight();
  bands.plotBottom = area.Height() - bands.bar;
  bands.priceBottom = (bands.plotBottom - bands.bar) * 2 / 3;
  bands.volumeTop = bands.priceBottom + bands.bar;
  return bands;
}

void PaintGrid(Canvas& canvas, const Rect& area, const ChartBands& bands) {
  const int step = bands.plotBottom - bands.bar;
  for (int i = 0; i < 5; ++i) {
    const int y = area.top + i * step / 6;
    canvas.SetPen(i % 2 == 0 ? kRedSolid : kRedDashed);
    canvas.Line({area.left, y}, {area.right, y});
  }
  const int volumeMiddle = area.top + (bands.volumeTop + bands.plotBottom) / 2;
  const int middleX = area.left + area.Width() / 2;
  canvas.SetPen(kRedSolid);
  canvas.Line({area.left, area.top + bands.volumeTop}, {area.right, area.top + bands.volumeTop});
  canvas.Line({area.left, area.top}, {area.left, area.top + bands.plotBottom});
  canvas.SetPen(kRedDashed);
  canvas.Line({area.left, volumeMiddle}, {area.right, volumeMiddle});
  canvas.Line({middleX, area.top}, {middleX, area.top + bands.priceBottom});
  canvas.Line({middleX, area.top + bands.volumeTop}, {middleX, area.top + bands.plotBottom});
}

void PaintScaleLabels(Canvas& canvas, const Rect& area, const ChartBands& bands, const PriceRange& range,
                      const DetailRecords& records) {
  const auto labels = ScaleLabels(range, records.quote.prevClose, records.security.priceDecimals);
  const int step = bands.plotBottom - bands.bar;
  for (int i = 0; i < 5; ++i) {
    const int lineY = area.top + i * step / 6;
    Rect box{area.left + 2, lineY, area.right - 2, lineY + bands.line};
    if (i == 2) box = {box.left, lineY - bands.line / 2, box.right, lineY + bands.line - bands.line / 2};
    if (i > 2) box = {box.left, lineY - bands.line, box.right, lineY};
    const ScaleLabel& label = labels[static_cast<std::size_t>(i)];
    canvas.SetTextColor(label.colour);
    canvas.DrawText(label.value, box, kTextLeft | kTextOneLine);
    if (!label.percent.empty()) canvas.DrawText(label.percent, box, kTextRight | kTextOneLine);
  }
}

void PaintLines(Canvas& canvas, const Rect& area, const PriceScale& scale, const IntradayChartInput& input) {
  const auto& minutes = *input.minutes;
  const int slotCount = input.records->minutes.slotCount;
  std::vector<Point> prices;
  std::vector<Point> averages;
  for (std::size_t i = 0; i < minutes.size(); ++i) {
    const int x = area.left + MinuteX(static_cast<int>(i), area.Width(), slotCount);
    averages.push_back({x, area.top + scale.Y(minutes[i].avgPrice / 10)});
    prices.push_back({x, area.top + scale.Y(minutes[i].price / 10)});
  }
  if (minutes.size() < 2) return;
  canvas.SetPen({kVolumeYellow, 1, PenStyle::kSolid});
  canvas.Polyline(averages);
  canvas.SetPen({kPlainWhite, 1, PenStyle::kSolid});
  canvas.Polyline(prices);
}

void PaintVolumeBars(Canvas& canvas, const Rect& area, const ChartBands& bands, const IntradayChartInput& input) {
  const auto& minutes = *input.minutes;
  const std::int64_t height = bands.plotBottom - bands.volumeTop;
  const int bottom = area.top + bands.plotBottom;
  if (input.maxVolume > 0) {
    std::vector<VolumeBar> bars;
    bars.reserve(minutes.size());
    std::int64_t previous = static_cast<std::int64_t>(input.records->quote.prevClose) * 10;
    for (std::size_t i = 0; i < minutes.size(); ++i) {
      const int x = area.left + MinuteX(static_cast<int>(i), area.Width(), input.records->minutes.slotCount);
      const std::int64_t volume = minutes[i].minuteVolume > 0 ? minutes[i].minuteVolume : 0;
      const int top = bottom - static_cast<int>(volume * height / input.maxVolume);
      bars.push_back({x, top, minutes[i].price < previous ? kFallGreen : kRiseRed});
      previous = minutes[i].price;
    }
    // A call per colour, not per minute: each call costs the painter a setup of its own.
    for (const ColourFills& fills : VolumeBarFills(bars, bottom)) canvas.FillRects(fills.rects, fills.colour);
  }
  canvas.SetTextColor(kVolumeYellow);
  const Rect box{area.left + 2, area.top + bands.volumeTop, area.right, area.top + bands.volumeTop + bands.line};
  canvas.DrawText(PrintfText("%d", input.maxVolume), box, kTextLeft | kTextOneLine);
}

// "现手:" value on the left, "总手:" value on the right of the band below the price area.
void PaintVolumeBand(Canvas& canvas, const Rect& area, const ChartBands& bands, const IntradayChartInput& input) {
  const DetailRecords& records = *input.records;
  const VolumeBandTexts texts = VolumeBandFor(*input.minutes, ShownCursorMinute(input), records.minutes.totalVolume,
                                              records.security.securityType, records.quote.last);
  const Rect band{area.left + 2, area.top + bands.priceBottom, area.right - 2, area.top + bands.volumeTop};
  const int labelWidth = canvas.TextWidth(u"现手:");
  canvas.SetTextColor(kPlainWhite);
  canvas.DrawText(u"现手:", band, kTextLeft | kTextOneLine);
  canvas.SetTextColor(kVolumeYellow);
  canvas.DrawText(texts.current, {band.left + labelWidth, band.top, band.right, band.bottom}, kTextLeft | kTextOneLine);
  canvas.DrawText(texts.total, band, kTextRight | kTextOneLine);
  const int totalWidth = canvas.TextWidth(texts.total);
  canvas.SetTextColor(kPlainWhite);
  canvas.DrawText(u"总手:", {band.left, band.top, band.right - totalWidth, band.bottom}, kTextRight | kTextOneLine);
}

void PaintTimeAxis(Canvas& canvas, const Rect& area, const ChartBands& bands, const DetailRecords& records) {
  const TimeAxisLabels labels = TimeAxisLabelsFor(records.hours, records.minutes.code.empty()
                                                                     ? records.security.code
                                                                     : SecurityCode(records.minutes.code),
                                                  records.IsFutureMode());
  const Rect band{area.left + 2, area.top + bands.plotBottom, area.right - 2, area.bottom};
  canvas.SetTextColor(kPlainWhite);
  canvas.DrawText(labels.left, band, kTextLeft | kTextOneLine);
  if (!labels.centre.empty()) canvas.DrawText(labels.centre, band, kTextCenter | kTextOneLine);
  canvas.DrawText(labels.right, band, kTextRight | kTextOneLine);
}

Rect PaintCursor(Canvas& canvas, const Rect& area, const ChartBands& bands, const IntradayChartInput& input, int minute,
                 int boxWidth) {
  const int x = area.left + input.cursorX;
  canvas.SetPen({kPlainWhite, 1, PenStyle::kSolid});
  canvas.Line({x, area.top}, {x, area.top + bands.priceBottom});
  canvas.Line({x, area.top + bands.volumeTop}, {x, area.top + bands.plotBottom});
  const int left = CursorBoxAtLeft(input.cursorX, area.Width()) ? area.left : area.right - boxWidth;
  const Rect box{left, area.top, left + boxWidth, area.top + bands.priceBottom};
  canvas.SetPen({kPlainWhite, 1, PenStyle::kSolid});
  canvas.SetBrush({kBoxFill, false});
  canvas.Rectangle(box);
  const DetailRecords& records = *input.records;
  const CursorContext context{records.quote.prevClose, records.quote.last, records.quote.turnoverBase,
                              records.security.priceDecimals, records.security.securityType};
  const auto rows = CursorBoxRows((*input.minutes)[static_cast<std::size_t>(minute)], context);
  const int rowHeight = box.Height() / static_cast<int>(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int top = box.top + static_cast<int>(i) * rowHeight;
    const Rect row{box.left + 2, top, box.right - 2, top + rowHeight};
    canvas.SetTextColor(kBoxLabel);
    canvas.DrawText(rows[i].label, row, kTextLeft | kTextOneLine);
    canvas.SetTextColor(rows[i].colour);
    canvas.DrawText(rows[i].value, row, kTextRight | kTextOneLine);
  }
  return box;
}

}  // namespace

std::optional<int> ShownCursorMinute(const IntradayChartInput& input) {
  if (!input.cursorShown || input.cursorX < 0) return std::nullopt;
  const int index = CursorMinuteIndex(input.cursorX, input.screenWidth, input.records->minutes.slotCount,
                                      input.fullScreen);
  if (index < 0 || static_cast<std::size_t>(index) >= input.minutes->size()) return std::nullopt;
  return index;
}

IntradayChartLayout PaintIntradayChart(Canvas& canvas, const Rect& area, const IntradayChartInput& input) {
  const TextMetrics metrics = canvas.Metrics();
  const ChartBands bands = BandsOf(area, metrics);
  const DetailRecords& records = *input.records;
  const QuoteSnapshot& quote = records.quote;
  const PriceRange range = ComputePriceRange(*input.minutes, quote.prevClose, quote.high, quote.low);
  const PriceScale scale(range, quote.prevClose, bands.priceBottom);
  canvas.FillRect(area, kBlack);
  canvas.SetClip(area);
  PaintGrid(canvas, area, bands);
  PaintScaleLabels(canvas, area, bands, range, records);
  PaintLines(canvas, area, scale, input);
  PaintVolumeBars(canvas, area, bands, input);
  PaintVolumeBand(canvas, area, bands, input);
  PaintTimeAxis(canvas, area, bands, records);
  IntradayChartLayout layout;
  if (const std::optional<int> minute = ShownCursorMinute(input)) {
    layout.cursorBox = PaintCursor(canvas, area, bands, input, *minute,
                                   metrics.average_char_width + input.screenWidth / 4);
  }
  canvas.ResetClip();
  return layout;
}

}  // namespace tarvello
