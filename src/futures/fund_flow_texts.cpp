#include "futures/fund_flow_texts.h"

#include "market/printf_text.h"

namespace tarvello {
namespace {

ColorRef BySign(std::int64_t value) { return value > 0 ? kRiseRed : value < 0 ? kOutflowTeal : kPlainWhite; }

std::u16string Amount(std::int64_t value) { return PrintfText("%lld", static_cast<long long>(value)); }

FlowCell Net(std::int64_t in, std::int64_t out) { return {Amount(in - out), BySign(in - out)}; }

FlowCell Ratio(std::int32_t value, std::uint8_t decimals) {
  double scaled = value;
  for (std::uint8_t i = 0; i < decimals; ++i) scaled /= 10;
  return {PrintfText(decimals == 3 ? "%.3f%%" : "%.2f%%", scaled), BySign(value)};
}

FlowCell Position(std::int32_t position) { return {PrintfText("%d", position), kVolumeYellow}; }

}  // namespace

FlowTotals FundFlowTotals(const SecurityFundFlow& flow) {
  const std::int64_t in = flow.TotalIn();
  const std::int64_t out = flow.TotalOut();
  const std::int64_t net = in - out;
  return {{Amount(in), kRiseRed},
          {Amount(out), kOutflowTeal},
          in < out ? u"净流出(万元)" : u"净流入(万元)",
          {Amount(net < 0 ? -net : net), BySign(net)}};
}

std::array<FlowTableRow, 3> FundFlowTable(const SecurityFundFlow& f) {
  const auto row = [](const char16_t* label, std::int64_t in, std::int64_t out) {
    return FlowTableRow{label, {Amount(in), kRiseRed}, {Amount(out), kOutflowTeal}, Net(in, out)};
  };
  return {row(u"大单", f.largeIn, f.largeOut), row(u"中单", f.mediumIn, f.mediumOut),
          row(u"小单", f.smallIn, f.smallOut)};
}

std::array<RatioTableRow, 3> FundFlowRatios(const SecurityFundFlow& f) {
  return {RatioTableRow{u"当日", Ratio(f.ratioToday, f.decimals), Position(f.positionToday)},
          RatioTableRow{u"3日", Ratio(f.ratio3Days, f.decimals), Position(f.position3Days)},
          RatioTableRow{u"10日", Ratio(f.ratio10Days, f.decimals), Position(f.position10Days)}};
}

}  // namespace tarvello
