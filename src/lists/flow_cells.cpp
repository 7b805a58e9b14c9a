#include "lists/flow_cells.h"

#include "market/display_colours.h"
#include "market/price_text.h"
#include "market/printf_text.h"

namespace tarvello {
namespace {

constexpr std::u16string_view kSectorPrefix = u"BI";
constexpr std::u16string_view kMoreOrders = u"...";

ColorRef SignColour(std::int64_t value) {
  if (value > 0) return kRiseRed;
  if (value < 0) return kFallGreen;
  return kPlainWhite;
}

// A ratio in the row's decimals; a zero has nothing to say and shows "--".
CellText Ratio(std::int32_t value, std::uint8_t decimals) {
  if (value == 0) return {std::u16string(kNoDataText), kPlainWhite};
  return {PriceText(value, decimals), SignColour(value)};
}

CellText CodeCell(const SecurityCode& code) { return {code.text(), kPlainWhite}; }

// Net amount in 万: the value is in hundreds of yuan at two decimals, in tens at three.
std::int32_t TenThousands(std::int32_t value, std::uint8_t decimals) {
  return DecimalsOf(decimals) == 3 ? value / 1000 : value / 100;
}

}  // namespace

CellText BigOrderCell(const BigOrderRow& row, int column) {
  switch (column) {
    case 1: return Ratio(row.netRatio, row.decimals);
    case 2: {
      const ColorRef colour = row.code.text().starts_with(kSectorPrefix) ? kHeaderCyan : kPlainWhite;
      return {row.rank == 0 ? std::u16string(kNoDataText) : PrintfText("%d", row.rank), colour};
    }
    case 3: return Ratio(row.changeRatio, row.decimals);
    case 4: return CodeCell(row.code);
    default: return {};
  }
}

CellText FundCell(const FundRow& row, int column) {
  switch (column) {
    case 1: {
      if (row.latest == 0) return {std::u16string(kNoDataText), kPlainWhite};
      return {PriceText(row.latest, row.decimals), SignColour(std::int64_t{row.latest} - row.prevClose)};
    }
    case 2: {
      if (row.latest == 0) return {std::u16string(kNoDataText), kPlainWhite};
      const std::int32_t amount = TenThousands(row.netAmount, row.decimals);
      return {PrintfText("%d", amount), SignColour(amount)};
    }
    case 3: return Ratio(row.netRatio, row.decimals);
    case 4: return CodeCell(row.code);
    default: return {};
  }
}

BucketLine SectorFundLine(const BucketRow& row) {
  return {{PrintfText("%.2f", row.value1 * 0.01), SignColour(row.value1)},
          {PrintfText("%.4f", row.value2 * 0.0001), SignColour(row.value2)}};
}

BucketLine TradeAnalysisLine(const BucketRow& row) {
  return {{PrintfText("%d", row.value1), SignColour(row.value1)},
          {PrintfText("%d", row.value2), SignColour(row.value2)}};
}

// An order price (hundredths) against the reference in its own decimals, compared in one scale.
ColorRef AgainstReference(std::int32_t hundredths, std::int32_t reference, int decimals) {
  std::int64_t price = hundredths;
  std::int64_t scaledReference = reference;
  for (int d = decimals; d > kOrderPriceDecimals; --d) price *= 10;
  for (int d = decimals; d < kOrderPriceDecimals; ++d) scaledReference *= 10;
  return SignColour(price - scaledReference);
}

std::array<CellText, kGridCells> OrderGrid(const OrderSide& side, std::int32_t reference, int referenceDecimals) {
  std::array<CellText, kGridCells> cells{};
  const ColorRef colour = AgainstReference(side.price, reference, referenceDecimals);
  const std::size_t shown = std::min<std::size_t>(side.orders.size(), static_cast<std::size_t>(std::max(0, side.count)));
  for (std::size_t i = 0; i < shown && i < cells.size(); ++i) cells[i] = {PrintfText("%d", side.orders[i]), colour};
  if (side.count >= kGridCells) cells.back() = {std::u16string(kMoreOrders), kFlatGrey};
  return cells;
}

OrderSummary SideSummary(const OrderSide& side, std::int32_t reference, int referenceDecimals) {
  return {{PrintfText("%.2f", side.price * 0.01), AgainstReference(side.price, reference, referenceDecimals)},
          PrintfText("%d手", side.volume), PrintfText("%d笔", side.count)};
}

}  // namespace tarvello
