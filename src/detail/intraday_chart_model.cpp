#include "detail/intraday_chart_model.h"

#include <algorithm>
#include <cstdlib>

#include "market/price_text.h"
#include "market/printf_text.h"
#include "market/quote_field_text.h"
#include "market/volume_text.h"

namespace tarvello {
namespace {

constexpr std::int64_t kWholeLabelsAbove = 100000;
constexpr ColorRef kScaleColours[5] = {kRiseRed, kRiseRed, kFlatGrey, kFallGreen, kFallGreen};

double MinutePrice(std::int64_t value, std::uint8_t priceDecimals) { return ScaledPrice(value, priceDecimals) / 10.0; }

ColorRef Compare(std::int64_t value, std::int64_t reference, ColorRef equal) {
  if (value > reference) return kRiseRed;
  if (value < reference) return kFallGreen;
  return equal;
}

std::u16string LabelText(std::int64_t value, std::int64_t decidingValue, std::uint8_t priceDecimals) {
  const double price = ScaledPrice(value, priceDecimals);
  if (decidingValue > kWholeLabelsAbove) return PrintfText("%.0f", price);
  return DecimalsOf(priceDecimals) == 3 ? PrintfText("%.3f", price) : PrintfText("%.2f", price);
}

// "9:30" from 930; "--" for a value that is no time of day.
std::u16string AxisTimeText(std::int32_t hhmm) {
  if (hhmm < 0 || hhmm % 100 > 59 || hhmm / 100 > 23) return u"--";
  return PrintfText("%d:%02d", hhmm / 100, hhmm % 100);
}

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

std::int32_t FillMinuteGaps(std::vector<MinuteRecord>& records, std::int32_t prevClose) {
  const std::int32_t start = ClampToInt(static_cast<std::int64_t>(prevClose) * 10);
  std::int32_t maxVolume = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    MinuteRecord& record = records[i];
    const MinuteRecord* previous = i == 0 ? nullptr : &records[i - 1];
    if (record.avgPrice < 1) record.avgPrice = previous ? previous->avgPrice : start;
    if (record.price < 1) record.price = previous ? previous->price : start;
    if (!previous) {
      record.minuteVolume = record.cumVolume;
    } else {
      const std::int64_t own = static_cast<std::int64_t>(record.cumVolume) - previous->cumVolume;
      record.minuteVolume = previous->cumVolume >= 1 ? ClampToInt(own) : 0;
    }
    maxVolume = std::max(maxVolume, record.minuteVolume);
  }
  return maxVolume;
}

PriceRange ComputePriceRange(const std::vector<MinuteRecord>& records, std::int32_t prevClose,
                             std::int32_t high, std::int32_t low) {
  std::int64_t max = prevClose;
  std::int64_t min = prevClose;
  for (const MinuteRecord& record : records) {
    for (const std::int64_t value : {std::int64_t{record.avgPrice} / 10, std::int64_t{record.price} / 10}) {
      if (value > max) max = value;
      if (value < min && value > 0) min = value;
    }
  }
  max = std::max<std::int64_t>(max, high);
  min = std::min<std::int64_t>(min, low);
  PriceRange range;
  range.dev = std::max(std::llabs(max - prevClose), std::llabs(min - prevClose));
  if (!records.empty() && range.dev != prevClose) {
    range.top = prevClose + range.dev;
    range.bottom = prevClose - range.dev;
  } else {
    range.top = static_cast<std::int64_t>(prevClose * 1.01);
    range.bottom = static_cast<std::int64_t>(prevClose * 0.99);
    range.dev = static_cast<std::int64_t>(prevClose * 0.01);
  }
  return range;
}

PriceScale::PriceScale(const PriceRange& range, std::int32_t prevClose, int areaHeight)
    : bottom_(range.bottom), height_(areaHeight) {
  const std::int64_t span = range.top - range.bottom;
  scale_ = span > 0 ? static_cast<double>(areaHeight) / static_cast<double>(span) : 0.0;
  offset_ = areaHeight / 2 - Y(prevClose);
}

int PriceScale::Y(std::int64_t value) const {
  const double y = height_ - static_cast<double>(value - bottom_) * scale_;
  return offset_ + static_cast<int>(std::clamp(y, -1e6, 1e6));
}

std::array<ScaleLabel, 5> ScaleLabels(const PriceRange& range, std::int32_t prevClose, std::uint8_t priceDecimals) {
  std::array<ScaleLabel, 5> labels;
  for (int i = 0; i < 5; ++i) {
    ScaleLabel& label = labels[static_cast<std::size_t>(i)];
    const std::int64_t value = range.top - i * range.dev / 2;
    label.value = LabelText(value, i == 2 ? prevClose : range.top, priceDecimals);
    label.colour = kScaleColours[i];
    if (i != 2 && prevClose != 0) {
      label.percent = PrintfText("%.2f%%", (2 - i) * static_cast<double>(range.dev) * 100.0 / (2.0 * prevClose));
    }
  }
  return labels;
}

TimeAxisLabels TimeAxisLabelsFor(const TradingHours& hours, const SecurityCode& code, bool indexFuture) {
  if (hours.close != 0) return {AxisTimeText(hours.open), u"", AxisTimeText(hours.close)};
  const bool hongKong = code.IsHongKong();
  TimeAxisLabels labels;
  labels.left = indexFuture ? u"9:15" : u"9:30";
  labels.centre = hongKong ? u"13:30" : u"11:30";
  labels.right = indexFuture ? u"15:15" : (hongKong ? u"16:00" : u"15:00");
  return labels;
}

int MinuteX(int index, int chartWidth, int slotCount) {
  if (slotCount < 2) return 0;
  return static_cast<int>(static_cast<double>(index) * (chartWidth - 2) / (slotCount - 1));
}

std::vector<ColourFills> VolumeBarFills(std::span<const VolumeBar> bars, int bottom) {
  std::vector<ColourFills> fills;
  const auto add = [&fills](ColorRef colour, const Rect& rect) {
    auto found = std::find_if(fills.begin(), fills.end(), [&](const ColourFills& f) { return f.colour == colour; });
    if (found == fills.end()) found = fills.insert(fills.end(), ColourFills{colour, {}});
    found->rects.push_back(rect);
  };
  std::size_t end = bars.size();
  while (end > 0) {
    // The bars of one column, the last first: each shows only above what the later ones cover.
    std::size_t first = end - 1;
    while (first > 0 && bars[first - 1].x == bars[end - 1].x) --first;
    int covered = bottom + 1;  // the column is covered from here down
    for (std::size_t i = end; i-- > first;) {
      const VolumeBar& bar = bars[i];
      const int top = std::min(bar.top, bottom);
      if (top >= covered) continue;
      add(bar.colour, Rect{bar.x, top, bar.x + 1, covered});
      covered = top;
    }
    end = first;
  }
  return fills;
}

int CursorMinuteIndex(int cursorX, int screenWidth, int slotCount, bool fullScreen) {
  if (screenWidth <= 0) return -1;
  const std::int64_t index = static_cast<std::int64_t>(slotCount - 1) * cursorX / screenWidth;
  return ClampToInt(fullScreen ? index : index * 3 / 2);
}

bool CursorBoxAtLeft(int cursorX, int chartWidth) { return cursorX > chartWidth / 2; }

std::array<CursorBoxRow, 6> CursorBoxRows(const MinuteRecord& minute, const CursorContext& context) {
  const std::int64_t price = minute.price;
  const std::int64_t reference = static_cast<std::int64_t>(context.prevClose) * 10;
  const ColorRef priceColour = Compare(price, reference, kFlatGrey);
  const bool noChange = price == 0 || context.prevClose == 0 || price / 10 == context.prevClose;
  std::array<CursorBoxRow, 6> rows;
  rows[0] = {u"时", TimeOfDayText(minute.time), kPlainWhite};
  rows[1] = {u"价", price == 0 ? ZeroFieldText(context.last) : PrintfText("%.2f", MinutePrice(price, context.priceDecimals)),
             priceColour};
  rows[2] = {u"涨",
             noChange ? ZeroFieldText(context.last)
                      : PrintfText("%.2f", ScaledPrice(price / 10 - context.prevClose, context.priceDecimals)),
             priceColour};
  rows[3] = {u"幅",
             noChange ? ZeroFieldText(context.last, u"0.00%")
                      : PrintfText("%.2f%%", static_cast<double>(price - reference) / static_cast<double>(reference) * 100.0),
             priceColour};
  rows[4] = {u"均", PrintfText("%.2f", MinutePrice(minute.avgPrice, context.priceDecimals)),
             Compare(minute.avgPrice / 10, context.prevClose, kPlainWhite)};
  rows[5] = {u"换",
             ShowsTurnover(context.securityType) ? TurnoverText(minute.minuteVolume, context.turnoverBase, context.last)
                                                 : std::u16string(kNoDataText),
             kVolumeYellow};
  return rows;
}

VolumeBandTexts VolumeBandFor(const std::vector<MinuteRecord>& records, std::optional<int> cursorIndex,
                              std::int32_t totalVolume, std::uint8_t securityType, std::int32_t last) {
  const bool atCursor = cursorIndex && *cursorIndex >= 0 && static_cast<std::size_t>(*cursorIndex) < records.size();
  VolumeBandTexts texts;
  if (!atCursor) {
    texts.current = VolumeText(records.empty() ? 0 : records.back().minuteVolume, securityType, last);
    texts.total = VolumeText(totalVolume, securityType, last);
    return texts;
  }
  std::int64_t sum = 0;
  for (int i = 0; i <= *cursorIndex; ++i) sum += records[static_cast<std::size_t>(i)].minuteVolume;
  texts.current = VolumeText(records[static_cast<std::size_t>(*cursorIndex)].minuteVolume, securityType, last);
  texts.total = VolumeText(ClampToInt(sum), securityType, last);
  return texts;
}

}  // namespace tarvello
