// The fund flow of one security (answer 2109), from the money-flow split of its trades: today's
// inflow and outflow by order size in ten thousands of yuan, the large-order net ratio over 1, 3,
// 5 and 10 trading days, and the security's position among its peers by each ratio. A sector's
// flow is its members' flow. Peers: a sector is ranked among the sectors of its class, a share
// among the members of its industry, anything else among the securities of its kind.
// Safe from any thread (the FlowBook guards its own cache).
#pragma once

#include <vector>

#include "protocol/bytes.h"
#include "server/market.h"
#include "server/money_flow.h"

namespace tarvello::server {

Bytes SecurityFundFlowBody(const FlowBook& flows, const Market& market, int index, const Position& position);

// The securities a security is ranked among (itself included).
std::vector<int> FundFlowPeers(const Market& market, int index);

}  // namespace tarvello::server
