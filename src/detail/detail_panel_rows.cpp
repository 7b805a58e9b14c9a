#include "detail/detail_panel_rows.h"

#include "market/price_text.h"
#include "market/printf_text.h"
#include "market/quote_field_text.h"
#include "market/volume_text.h"

namespace tarvello {
namespace {

constexpr std::uint8_t kFuturesDecimals = 2;

PanelRow Separator() { return PanelRow{{}, {}, kRiseRed, true}; }

PanelRow PriceRow(std::u16string label, std::int32_t value, std::int32_t reference, std::int32_t last,
                  std::uint8_t decimals) {
  return {std::move(label), PriceFieldText(value, last, decimals), PriceColour(value, reference, last)};
}

// 均价 from the newest minute's average, which carries one decimal more than the snapshot.
PanelRow AverageRow(const DetailRecords& records) {
  const QuoteSnapshot& quote = records.quote;
  const auto& minutes = records.minutes.records;
  const std::int64_t average = minutes.empty() ? 0 : minutes.back().avgPrice;
  if (average == 0) return {u"均价", ZeroFieldText(quote.last), kFlatGrey};
  const std::int64_t reference = static_cast<std::int64_t>(quote.prevClose) * 10;
  const ColorRef colour = average > reference ? kRiseRed : (average < reference ? kFallGreen : kFlatGrey);
  return {u"均价", PrintfText(DecimalsOf(records.security.priceDecimals) == 3 ? "%.3f" : "%.2f",
                              ScaledPrice(average, records.security.priceDecimals) / 10.0),
          colour};
}

void AddOpenHighLow(std::vector<PanelRow>& rows, const DetailRecords& records) {
  const QuoteSnapshot& q = records.quote;
  const std::uint8_t d = records.security.priceDecimals;
  rows.push_back(PriceRow(u"今开", q.open, q.prevClose, q.last, d));
  rows.push_back(PriceRow(u"最高", q.high, q.prevClose, q.last, d));
  rows.push_back(PriceRow(u"最低", q.low, q.prevClose, q.last, d));
  rows.push_back({u"昨收", PriceFieldText(q.prevClose, q.last, d), kPlainWhite});
  rows.push_back(AverageRow(records));
}

void AddInnerOuter(std::vector<PanelRow>& rows, std::int32_t inner, std::int32_t outer, std::int32_t last) {
  rows.push_back({u"内盘", ShareVolumeText(inner, last), kFallGreen});
  rows.push_back({u"外盘", ShareVolumeText(outer, last), kRiseRed});
}

}  // namespace

DetailPanel InitialPanelFor(std::uint8_t securityType) {
  if (securityType == kSecurityTypeIndex) return kPanelIndexFigures;
  if (securityType == kSecurityTypeIndexFuture) return kPanelQuoteFigures;
  return kPanelFiveLevelBook;
}

std::vector<PanelRow> ShareFigureRows(const DetailRecords& records) {
  const QuoteSnapshot& q = records.quote;
  const std::uint8_t d = records.security.priceDecimals;
  std::vector<PanelRow> rows;
  AddOpenHighLow(rows, records);
  rows.push_back({u"涨停", PriceFieldText(records.security.limitUp, q.last, d), kRiseRed});
  rows.push_back({u"跌停", PriceFieldText(records.security.limitDown, q.last, d), kFallGreen});
  rows.push_back(Separator());
  rows.push_back({u"量比", VolumeRatioText(q.volumeRatio, q.last), kVolumeYellow});
  rows.push_back({u"振幅", AmplitudeText(q.high, q.low, d), kVolumeYellow});
  AddInnerOuter(rows, records.extra.innerVolume, records.extra.outerVolume, q.last);
  rows.push_back({u"市盈(动)", PeRatioText(records.extra.peRatio, q.last), kFlatGrey});
  rows.push_back({EarningsLabel(records.extra.earningsQuarter), EarningsText(records.extra.earnings, q.last), kFlatGrey});
  return rows;
}

std::vector<PanelRow> IndexFigureRows(const DetailRecords& records) {
  const QuoteSnapshot& q = records.quote;
  std::vector<PanelRow> rows;
  AddOpenHighLow(rows, records);
  rows.push_back({u"量比", VolumeRatioText(q.volumeRatio, q.last), kVolumeYellow});
  rows.push_back({u"振幅", AmplitudeText(q.high, q.low, records.security.priceDecimals), kVolumeYellow});
  rows.push_back(Separator());
  rows.push_back({u"上涨", BreadthText(records.breadth.up), kRiseRed});
  rows.push_back({u"平盘", BreadthText(records.breadth.flat), kFlatGrey});
  rows.push_back({u"下跌", BreadthText(records.breadth.down), kFallGreen});
  rows.push_back(Separator());
  rows.push_back({u"换手", TurnoverRateText(records.extra.turnoverRate, q.last), kVolumeYellow});
  AddInnerOuter(rows, records.extra.innerVolume, records.extra.outerVolume, q.last);
  return rows;
}

std::vector<PanelRow> FutureFigureRows(const FuturesQuote& f) {
  const auto price = [&f](std::u16string label, std::int32_t value) {
    return PriceRow(std::move(label), value, f.prevSettle, f.last, kFuturesDecimals);
  };
  const auto count = [](std::u16string label, std::int32_t value) {
    return PanelRow{std::move(label), PrintfText("%d", value), kVolumeYellow};
  };
  std::vector<PanelRow> rows{price(u"卖价", f.ask), count(u"卖量", f.askVolume), price(u"买价", f.bid),
                             count(u"买量", f.bidVolume), Separator(), price(u"今开", f.open),
                             price(u"最高", f.high), price(u"最低", f.low), price(u"均价", f.average),
                             {u"昨结", PriceFieldText(f.prevSettle, f.last, kFuturesDecimals), kPlainWhite},
                             count(u"持仓", f.openInterest), count(u"日增", f.interestChange)};
  AddInnerOuter(rows, f.innerVolume, f.outerVolume, f.last);
  return rows;
}

std::vector<int> BookLevelCaptions(std::size_t entries) {
  const int count = static_cast<int>(entries);
  int level = count / 2;
  std::vector<int> captions;
  bool rising = false;
  for (int i = 0; i < count; ++i) {
    captions.push_back(level);
    if (!rising && level == 1) {
      rising = true;
    } else {
      level += rising ? 1 : -1;
    }
  }
  return captions;
}

std::vector<BookRow> BookRows(const std::vector<BookLevel>& book, const DetailRecords& records) {
  const QuoteSnapshot& q = records.quote;
  const std::vector<int> captions = BookLevelCaptions(book.size());
  std::vector<BookRow> rows;
  for (std::size_t i = 0; i < book.size(); ++i) {
    const BookLevel& level = book[i];
    BookRow row;
    row.caption = PrintfText("%d", captions[i]);
    row.price = level.price == 0 ? std::u16string(kNoDataText) : PriceText(level.price, records.security.priceDecimals);
    row.priceColour = PriceColour(level.price, q.prevClose, q.last);
    if (level.price == 0 && level.volume == 0) {
      row.volume = std::u16string(kNoDataText);
    } else {
      row.volume = PrintfText("%d", level.volume);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<TickRow> TickRows(const TickList& ticks, std::uint8_t priceDecimals) {
  std::vector<TickRow> rows;
  for (const TickRecord& tick : ticks.ticks) {
    const ColorRef colour = tick.price > ticks.referencePrice   ? kRiseRed
                            : tick.price < ticks.referencePrice ? kFallGreen
                                                                : kFlatGrey;
    rows.push_back({TimeOfDayText(tick.time), PriceText(tick.price, priceDecimals), PrintfText("%d", tick.volume), colour});
  }
  return rows;
}

BookColumns FitBookColumns(int left, int right, int widestPrice, int widestVolume, int gap) {
  const int natural = left + (right - left) * 3 / 5;
  const int priceRight = std::max(left + widestPrice, std::min(natural, right - gap - widestVolume));
  return BookColumns{priceRight, std::max(0, right - gap - priceRight)};
}

}  // namespace tarvello
