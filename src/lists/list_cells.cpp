#include "lists/list_cells.h"

#include "market/price_text.h"
#include "market/printf_text.h"

namespace tarvello {
namespace {

constexpr std::int32_t kPlainVolumeLimit = 100000;
constexpr std::int32_t kTenThousandLimit = 100000000;
constexpr std::int32_t kTwoDecimalYiLimit = 1215752192;

ColorRef SignColour(std::int64_t value) {
  if (value > 0) return kRiseRed;
  if (value < 0) return kFallGreen;
  return kPlainWhite;
}

std::u16string PriceCellText(std::int32_t value, std::uint8_t decimals, bool traded) {
  if (value == 0) return std::u16string(traded ? kZeroText : kNoDataText);
  return PriceText(value, decimals);
}

CellText Price(std::int32_t value, const QuoteRow& row, bool traded, ColorRef colour) {
  return {PriceCellText(value, row.decimals, traded), colour};
}

CellText CodeCell(const SecurityCode& code) { return {code.text(), kPlainWhite}; }

CellText StockCell(const QuoteRow& row, int column) {
  const bool traded = row.volume != 0;
  const ColorRef byChange = SignColour(row.change);
  switch (column) {
    case 1: return Price(row.latest, row, traded, byChange);
    case 2: return Price(row.changeRatio, row, traded, byChange);
    case 3: return Price(row.change, row, traded, byChange);
    case 4: return {ListVolumeText(row.volume), kVolumeYellow};
    case 5: return Price(row.high, row, traded, SignColour(std::int64_t{row.high} - row.prevClose));
    case 6: return Price(row.low, row, traded, SignColour(std::int64_t{row.low} - row.prevClose));
    case 7: return Price(row.turnover, row, traded, kPlainWhite);
    case 8: return Price(row.speed, row, traded, byChange);
    case 9: return Price(row.pe, row, traded, kHeaderCyan);
    case 10: return CodeCell(row.code);
    default: return {};
  }
}

CellText SectorCell(const QuoteRow& row, int column) {
  const bool traded = row.latest != 0;
  switch (column) {
    case 1: return Price(row.changeRatio, row, traded, SignColour(row.changeRatio));
    case 2: return Price(row.high, row, traded, SignColour(row.high));
    case 3: return {row.leaderName, kHeaderCyan};
    case 4: return {ListAmountText(row.change, traded), kVolumeYellow};
    case 5: return {ListVolumeText(row.volume), kVolumeYellow};
    case 6: return Price(row.latest, row, traded, SignColour(row.changeRatio));
    case 7: return Price(row.turnover, row, traded, kPlainWhite);
    case 8: return Price(row.low, row, traded, kPlainWhite);
    case 9: return CodeCell(row.code);
    default: return {};
  }
}

}  // namespace

std::u16string ListVolumeText(std::int32_t volume) {
  if (volume <= kPlainVolumeLimit) return PrintfText("%d", volume);
  return PrintfText("%.2f万", volume * 0.0001);
}

std::u16string ListAmountText(std::int32_t amount, bool traded) {
  if (amount == 0) return std::u16string(traded ? kZeroText : kNoDataText);
  if (amount <= kTenThousandLimit) return PrintfText("%.1f万", amount * 0.0001);
  if (amount <= kTwoDecimalYiLimit) return PrintfText("%.2f亿", amount * 0.00000001);
  return PrintfText("%d亿", amount / 100000000);
}

CellText QuoteCell(const QuoteRow& row, ListKind kind, int column) {
  return kind == ListKind::kSectors ? SectorCell(row, column) : StockCell(row, column);
}

CellText FuturesCell(const FuturesRow& row, int column) {
  const ColorRef byChange = SignColour(row.change);
  const bool traded = row.latest != 0;
  const auto price = [&](std::int32_t value) {
    return CellText{PriceCellText(value, row.decimals, traded), byChange};
  };
  switch (column) {
    case 1: return price(row.latest);
    case 2: return price(row.changeRatio);
    case 3: return price(row.change);
    case 4: return {PrintfText("%d", row.interestChange), kVolumeYellow};
    case 5: return {PrintfText("%d", row.openInterest), kVolumeYellow};
    case 6: return price(row.presettle);
    case 7: return price(row.prevClose);
    case 8: return CodeCell(row.code);
    default: return {};
  }
}

}  // namespace tarvello
