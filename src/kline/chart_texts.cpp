#include "kline/chart_texts.h"

#include <cmath>

#include "kline/chart_colours.h"
#include "market/price_text.h"
#include "market/printf_text.h"

namespace tarvello {
namespace {

constexpr double kWholeAbove = 100000;    // raw prices above this lose their decimals
constexpr std::int32_t kPlainUpTo = 10000;  // volumes and amounts above this go to 万 and 亿

double Scale(std::uint8_t priceDecimals) { return DecimalsOf(priceDecimals) == 3 ? 1000.0 : 100.0; }

std::u16string Fixed(double value, std::uint8_t priceDecimals) {
  return DecimalsOf(priceDecimals) == 3 ? PrintfText("%.3f", value) : PrintfText("%.2f", value);
}

// A raw price or average in true units, whole above 100000 raw units.
std::u16string AverageText(double raw, std::uint8_t priceDecimals) {
  if (raw > kWholeAbove) return PrintfText("%.0f", raw / Scale(priceDecimals));
  return Fixed(raw / Scale(priceDecimals), priceDecimals);
}

ColorRef CompareColour(double value, double reference, ColorRef flat) {
  if (value > reference) return kChartRed;
  return value < reference ? kChartGreen : flat;
}

std::u16string TwoDigits(int value) { return PrintfText(value < 10 ? "0%d" : "%d", value); }

std::u16string One(const char* label, double value) { return PrintfText("%s%.1f", label, value); }

// "VOL:%d", "VOL:%.2f万" above 10000, "VOL:0.00" at zero; likewise the volume averages.
std::u16string VolumeLabel(const char* label, double volume, const char* plain) {
  if (volume == 0 || !std::isfinite(volume)) return PrintfText("%s0.00", label);
  if (volume > kPlainUpTo) return PrintfText("%s%.2f万", label, volume * 0.0001);
  return PrintfText(plain, label, volume);
}

IndicatorTexts VolumeTexts(const KLineBar& bar) {
  IndicatorTexts texts;
  const std::u16string volume = bar.volume == 0             ? u"VOL:0.00"
                                : bar.volume > kPlainUpTo ? PrintfText("VOL:%.2f万", bar.volume * 0.0001)
                                                          : PrintfText("VOL:%d", bar.volume);
  texts.row = {{volume, kChartWhite},
               {VolumeLabel("MA5:", bar.volMa5, "%s%.0f"), kChartYellow},
               {VolumeLabel("MA10:", bar.volMa10, "%s%.0f"), kChartMagenta}};
  return texts;
}

// A title in cyan followed by up to three values in white, yellow and magenta.
std::vector<ChartText> Row(const char16_t* title, std::vector<std::u16string> values) {
  static constexpr ColorRef kValueColours[] = {kChartWhite, kChartYellow, kChartMagenta};
  std::vector<ChartText> row;
  if (title != nullptr) row.push_back({title, kChartCyan});
  for (std::size_t i = 0; i < values.size() && i < 3; ++i) row.push_back({std::move(values[i]), kValueColours[i]});
  return row;
}

std::vector<std::u16string> RangeAxis(double maximum, double minimum) {
  return {PrintfText("%.1f", maximum), PrintfText("%.1f", (maximum + minimum) / 2), PrintfText("%.1f", minimum)};
}

const std::vector<std::u16string> kPercentAxis{u"100", u"50", u"0"};

std::u16string MissingText(const QuoteSnapshot& quote, std::u16string_view zeroForm) {
  return ZeroFieldText(quote.last, zeroForm);
}

}  // namespace

ChartText HeaderQuote(const QuoteSnapshot& quote, std::uint8_t priceDecimals) {
  if (quote.last == 0) return {u"0.00     0.00%       0.00", kChartWhite};
  const double scale = Scale(priceDecimals);
  const double change = (quote.last - static_cast<double>(quote.prevClose)) / scale;
  const double percent =
      quote.prevClose == 0 ? 0 : (quote.last - static_cast<double>(quote.prevClose)) / quote.prevClose * 100;
  const char* format = DecimalsOf(priceDecimals) == 3 ? "%.3f   %.2f%%   %.3f" : "%.2f   %.2f%%   %.2f";
  return {PrintfText(format, quote.last / scale, percent, change),
          CompareColour(quote.last, quote.prevClose, kChartWhite)};
}

std::array<ChartText, 3> AverageLabels(const KLineBar& bar, std::uint8_t priceDecimals) {
  return {{{u"MA5:" + AverageText(bar.ma5, priceDecimals), kChartWhite},
           {u"MA10:" + AverageText(bar.ma10, priceDecimals), kChartYellow},
           {u"MA20:" + AverageText(bar.ma20, priceDecimals), kChartMagenta}}};
}

std::array<std::u16string, 4> PriceAxisLabels(const IndicatorRanges& ranges, std::uint8_t priceDecimals) {
  std::array<std::u16string, 4> labels;
  const double scale = Scale(priceDecimals);
  const double span = static_cast<double>(ranges.priceHigh) - ranges.priceFloor;
  for (int i = 0; i < 4; ++i) {
    const double value = (ranges.priceHigh - i * span / 3) / scale;
    labels[i] = ranges.priceHigh >= 100001 ? PrintfText("%.0f", value) : Fixed(value, priceDecimals);
  }
  return labels;
}

std::u16string BarDateText(std::int32_t date, KLinePeriod period) {
  if (!IsMinutePeriod(period)) return PrintfText("%d", date);
  const auto packed = static_cast<std::uint32_t>(date);
  return TwoDigits((packed >> 16) & 0xF) + TwoDigits((packed >> 11) & 0x1F) + u" " + TwoDigits((packed >> 6) & 0x1F) +
         u":" + TwoDigits(packed & 0x3F);
}

std::array<std::u16string, 2> DateRowTexts(std::span<const KLineBar> bars, int first, int end, KLinePeriod period) {
  const int total = static_cast<int>(bars.size());
  if (first < 0 || end > total || first >= end) return {u"< 0", u"0 >"};
  return {u"< " + BarDateText(bars[first].date, period), BarDateText(bars[end - 1].date, period) + u" >"};
}

IndicatorTexts IndicatorTextsFor(KLineIndicator indicator, const KLineBar& bar, const IndicatorRanges& ranges,
                                 std::uint8_t priceDecimals) {
  IndicatorTexts texts;
  switch (indicator) {
    case KLineIndicator::kVol:
      return VolumeTexts(bar);
    case KLineIndicator::kMacd:
      texts.row = Row(u"MACD(12,26,9):", {One("DIF:", bar.dif), One("DEA:", bar.dea), One("M:", bar.macd)});
      texts.axis = RangeAxis(ranges.macdMax, ranges.macdMin);
      break;
    case KLineIndicator::kKdj:
      texts.row = Row(u"KDJ(9,3,3):", {One("K:", bar.k), One("D:", bar.d), One("J:", bar.j)});
      texts.axis = kPercentAxis;
      break;
    case KLineIndicator::kRsi:
      texts.row = Row(u"RSI(6,12):", {One("RSI1:", bar.rsi6), One("RSI2:", bar.rsi12)});
      texts.axis = kPercentAxis;
      break;
    case KLineIndicator::kBias:
      texts.row = Row(u"BIAS(5,10):", {One("BIAS1:", bar.bias5), One("BIAS2:", bar.bias10)});
      texts.axis = {u"15", u"0", u"-15"};
      break;
    case KLineIndicator::kCci:
      texts.row = Row(nullptr, {One("CCI:", bar.cci)});
      texts.axis = RangeAxis(ranges.cciMax, ranges.cciMin);
      break;
    case KLineIndicator::kBoll: {
      // The band is in raw price units; shown, like every price, in true units.
      const double scale = Scale(priceDecimals);
      texts.row = Row(u"BOLL(20):", {One("MB:", bar.bollMid / scale), One("UP:", bar.bollUp / scale),
                                     One("DN:", bar.bollDown / scale)});
      texts.axis = RangeAxis(ranges.bollMax / scale, ranges.bollMin / scale);
      break;
    }
    case KLineIndicator::kWr:
      texts.row = Row(u"WR(6,10):", {One("WR1:", bar.wr6), One("WR2:", bar.wr10)});
      texts.axis = kPercentAxis;
      break;
  }
  return texts;
}

std::array<InfoRow, 9> InfoBoxRows(std::span<const KLineBar> bars, int index, const QuoteSnapshot& quote,
                                   std::uint8_t priceDecimals, KLinePeriod period) {
  const KLineBar& bar = bars[static_cast<std::size_t>(index)];
  const std::int32_t before = index > 0 ? bars[static_cast<std::size_t>(index) - 1].close : bar.open;
  const auto price = [&](std::int32_t value, ColorRef flat) -> ChartText {
    if (value == 0) return {MissingText(quote, u"0.00"), kChartGrey};
    return {PriceText(value, priceDecimals), CompareColour(value, before, flat)};
  };
  ChartText change{MissingText(quote, u"0.00%"), kChartWhite};
  if (bar.close != 0 && before != 0) {
    change = {PrintfText("%.2f%%", (bar.close - static_cast<double>(before)) / before * 100),
              CompareColour(bar.close, before, kChartWhite)};
  }
  const std::u16string volume =
      bar.volume > kPlainUpTo ? PrintfText("%.2f万", bar.volume * 0.0001) : PrintfText("%d", bar.volume);
  const std::u16string amount =
      bar.amount > kPlainUpTo ? PrintfText("%.2f亿", bar.amount * 0.0001) : PrintfText("%d万", bar.amount);
  const std::u16string turnover = quote.turnoverBase == 0
                                      ? MissingText(quote, u"0.000%")
                                      : PrintfText("%.3f%%", static_cast<double>(bar.volume) / quote.turnoverBase);
  return {{{u"时", {BarDateText(bar.date, period), kChartWhite}},
           {u"开", price(bar.open, kChartGrey)},
           {u"高", price(bar.high, kChartGrey)},
           {u"低", price(bar.low, kChartGrey)},
           {u"收", price(bar.close, kChartWhite)},
           {u"幅", change},
           {u"量", {volume, kChartYellow}},
           {u"额", {amount, kChartYellow}},
           {u"换", {turnover, kChartWhite}}}};
}

}  // namespace tarvello
