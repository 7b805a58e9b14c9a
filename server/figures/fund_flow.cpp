#include "server/figures/fund_flow.h"

#include <algorithm>
#include <cmath>

#include "protocol/wire_writer.h"
#include "server/market/wire_limits.h"

namespace tarvello::server {

namespace {

constexpr int kFlowDecimals = 2;

std::int32_t WireAmount(double yuan) { return Clamp32(FlowAmount(yuan)); }
// The large orders' net ratio in percent at two decimals.
std::int32_t WireRatio(const FlowSplit& split) {
  return Clamp32(std::llround(split.NetRatio() * 100.0));
}

}  // namespace

std::int64_t FlowAmount(double yuan) { return static_cast<std::int64_t>(std::floor(yuan / 100.0)); }

FlowFigures FlowFiguresOf(std::span<const FlowSplit> spans) {
  FlowFigures flow;
  if (spans.empty()) return flow;
  for (std::size_t k = 0; k < flow.ratios.size() && k < spans.size(); ++k)
    flow.ratios[k] = WireRatio(spans[k]);
  const FlowSplit& today = spans.front();
  for (std::size_t k = 0; k < 3; ++k) {
    flow.inflow[k] = WireAmount(today.inflow[k]);
    flow.outflow[k] = WireAmount(today.outflow[k]);
  }
  // The pie's other slice is what the six flows leave of the day's amount (what rounding down
  // leaves, and trades at neither side), so that the seven slices make the whole amount.
  std::int64_t other = WireAmount(today.amount);
  for (std::size_t k = 0; k < 3; ++k) other -= static_cast<std::int64_t>(flow.inflow[k]) + flow.outflow[k];
  flow.other = Clamp32(std::max<std::int64_t>(other, 0));
  return flow;
}

Bytes FundFlowBody(const FlowFigures& flow) {
  WireWriter body;
  body.U8(kFlowDecimals);
  for (const int ratio : flow.ratios) body.I32(ratio);
  for (const int in : flow.inflow) body.I32(in);
  for (const int out : flow.outflow) body.I32(out);
  body.I32(flow.other);
  for (const int rank : flow.ranks) body.I16(Clamp16(rank));
  return body.Take();
}

}  // namespace tarvello::server
