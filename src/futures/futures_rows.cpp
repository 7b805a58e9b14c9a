#include "futures/futures_rows.h"

#include <cstdint>

#include "market/printf_text.h"

namespace tarvello {
namespace {

constexpr std::u16string_view kNone = u"--";

std::u16string PriceText(std::int32_t price) {
  return price == 0 ? std::u16string(kNone) : PrintfText("%.2f", price * 0.01);
}

std::u16string CountText(std::int32_t value) { return value == 0 ? std::u16string(kNone) : PrintfText("%d", value); }

ColorRef AgainstReference(std::int64_t value, std::int64_t reference) {
  return value > reference ? kRiseRed : value < reference ? kFallGreen : kPlainWhite;
}

// A price against the previous settlement; a price that is not there is white.
FuturesCell Price(const char16_t* label, std::int32_t price, std::int32_t prevSettle) {
  return {label, PriceText(price), price == 0 ? kPlainWhite : AgainstReference(price, prevSettle)};
}

FuturesCell Count(const char16_t* label, std::int32_t value, ColorRef colour) {
  return {label, CountText(value), colour};
}

// Without a last price there is no change to show, rather than a fall of the whole settlement.
FuturesCell Change(const FuturesQuote& q) {
  if (q.last == 0) return {u"涨跌", std::u16string(kNone), kPlainWhite};
  const std::int64_t change = std::int64_t{q.last} - q.prevSettle;
  const ColorRef colour = change >= 1 ? kRiseRed : change < 0 ? kFallGreen : kPlainWhite;
  if (q.prevSettle == 0) return {u"涨跌", PrintfText("%.2f/0.00%%", change * 0.01), colour};
  return {u"涨跌", PrintfText("%.2f/%.2f%%", change * 0.01, change * 100.0 / q.prevSettle), colour};
}

// Outer and inner volume with their integer shares of the two together. When they add up to
// nothing there are no shares to give, and both rows say "0.00%".
std::array<FuturesCell, 2> OuterAndInner(const FuturesQuote& q) {
  const std::int64_t both = std::int64_t{q.outerVolume} + q.innerVolume;
  if (both <= 0) {
    return {FuturesCell{u"外盘", PrintfText("%d/0.00%%", q.outerVolume), kRiseRed},
            FuturesCell{u"内盘", PrintfText("%d/0.00%%", q.innerVolume), kFallGreen}};
  }
  const long long outerShare = 100LL * q.outerVolume / both;
  return {FuturesCell{u"外盘", PrintfText("%d/%lld%%", q.outerVolume, outerShare), kRiseRed},
          FuturesCell{u"内盘", PrintfText("%d/%lld%%", q.innerVolume, 100 - outerShare), kFallGreen}};
}

std::u16string TimeText(std::int32_t hhmmss) {
  if (hhmmss < 0) return std::u16string(kNone);
  const int hours = hhmmss / 10000;
  const int minutes = hhmmss / 100 % 100;
  const int seconds = hhmmss % 100;
  return PrintfText(hours < 10 ? "0%d" : "%d", hours) + PrintfText(minutes < 10 ? ":0%d" : ":%d", minutes) +
         PrintfText(seconds < 10 ? ":0%d" : ":%d", seconds);
}

// The server's trade classes; a code it may add later shows as unknown.
std::u16string TickTypeText(std::uint8_t type) {
  static constexpr const char16_t* kLabels[] = {u"未知", u"双平", u"双开", u"换手", u"多开",
                                                u"空平", u"空开", u"多平", u"多换", u"空换"};
  return type < std::size(kLabels) ? kLabels[type] : kLabels[0];
}

}  // namespace

std::array<FuturesPanelRow, 8> QuotePanelRows(const FuturesQuote& q) {
  const std::array<FuturesCell, 2> sides = OuterAndInner(q);
  return {{
      {Price(u"卖价", q.ask, q.prevSettle), Count(u"卖量", q.askVolume, kFuturesVolumeCyan)},
      {Price(u"买价", q.bid, q.prevSettle), Count(u"买量", q.bidVolume, kFuturesVolumeCyan)},
      {Price(u"最新", q.last, q.prevSettle), Change(q)},
      {Price(u"开盘", q.open, q.prevSettle), Count(u"成交量", q.volume, kFuturesVolumeCyan)},
      {Price(u"最高", q.high, q.prevSettle), Count(u"持仓量", q.openInterest, kFuturesVolumeCyan)},
      {Price(u"最低", q.low, q.prevSettle), Count(u"日增仓", q.interestChange, kVolumeYellow)},
      {Price(u"均价", q.average, q.prevSettle), sides[0]},
      {FuturesCell{u"昨结", PriceText(q.prevSettle), kPlainWhite}, sides[1]},
  }};
}

TickRowTexts TickRow(const FuturesTick& tick, std::int32_t referencePrice) {
  TickRowTexts row;
  row.time = TimeText(tick.time);
  row.price = PrintfText("%.2f", tick.price * 0.01);
  row.priceColour = AgainstReference(tick.price, referencePrice);
  row.size = PrintfText("%d", tick.size);
  row.interestChange = PrintfText("%d", tick.interestChange);
  switch (tick.direction) {
    case 1: row.direction = u"↓"; row.directionColour = kFallGreen; break;
    case 2: row.direction = u"↑"; row.directionColour = kRiseRed; break;
    default: row.direction = u"◆"; row.directionColour = kPlainWhite; break;
  }
  row.tickType = TickTypeText(tick.tickType);
  return row;
}

}  // namespace tarvello
