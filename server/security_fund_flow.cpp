#include "server/security_fund_flow.h"

#include <array>
#include <cmath>

#include "protocol/wire_writer.h"
#include "server/wire_limits.h"

namespace tarvello::server {

namespace {

constexpr std::uint8_t kDecimals = 2;
constexpr double kScale = 100.0;             // 10^kDecimals
constexpr double kYuanPerUnit = 10000.0;     // amounts go out in ten thousands of yuan
constexpr std::array<int, 4> kRatioDays = {1, 3, 5, 10};

FlowSplit SplitOver(const FlowBook& flows, const Market& market, int index, const Position& position, int days) {
  return market.security(index).kind == Kind::kSector ? flows.SectorOver(index, position, days)
                                                       : flows.Over(index, position, days);
}

std::int32_t Amount(double yuan) { return Clamp32(std::llround(yuan / kYuanPerUnit * kScale)); }

int Rank(const FlowBook& flows, const Market& market, int index, const Position& position, int days,
         const std::vector<int>& peers) {
  const double mine = SplitOver(flows, market, index, position, days).NetRatio();
  int rank = 1;
  for (int other : peers) {
    if (other == index) continue;
    const double ratio = SplitOver(flows, market, other, position, days).NetRatio();
    rank += ratio > mine || (ratio == mine && other < index) ? 1 : 0;
  }
  return rank;
}

}  // namespace

std::vector<int> FundFlowPeers(const Market& market, int index) {
  const Security& me = market.security(index);
  if (me.kind != Kind::kSector && !me.sectors.empty()) return market.security(me.sectors.front()).members;
  std::vector<int> peers;
  for (int i = 0; i < market.size(); ++i) {
    const Security& s = market.security(i);
    if (s.kind == me.kind && (me.kind != Kind::kSector || s.sector_class == me.sector_class)) peers.push_back(i);
  }
  return peers;
}

Bytes SecurityFundFlowBody(const FlowBook& flows, const Market& market, int index, const Position& position) {
  const FlowSplit today = SplitOver(flows, market, index, position, 1);
  WireWriter body;
  body.U8(kDecimals);
  for (int days : kRatioDays) {
    body.I32(Clamp32(std::llround(SplitOver(flows, market, index, position, days).NetRatio() * kScale)));
  }
  double traded = 0;
  for (const std::array<double, 3>* side : {&today.inflow, &today.outflow}) {
    for (double yuan : *side) {
      body.I32(Amount(yuan));
      traded += yuan;
    }
  }
  // What the split does not place on either side (rounding of the lots, in practice).
  body.I32(Amount(std::max(0.0, today.amount - traded)));
  const std::vector<int> peers = FundFlowPeers(market, index);
  for (int days : kRatioDays) {
    body.I16(static_cast<std::int16_t>(std::min(Rank(flows, market, index, position, days, peers), 32767)));
  }
  return body.Take();
}

}  // namespace tarvello::server
