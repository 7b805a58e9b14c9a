// The fund flow of one security in the units its view and the lists show it in, worked out from
// the flow book's splits, and the body of the view's answer (2109): decimals 2, the large orders'
// net ratio over 1, 3, 5 and 10 days, today's inflows and outflows by order size, the pie's other
// slice, and the security's four places among its peers. Pure functions; safe from any thread.
#pragma once

#include <cstdint>
#include <span>

#include "protocol/bytes.h"
#include "server/figures/list_figures.h"
#include "server/market/money_flow.h"

namespace tarvello::server {

// Yuan in ten-thousands at two decimals, rounded down, as the fund flows carry amounts: rounded
// down, the parts of an amount never add up to more than the amount.
std::int64_t FlowAmount(double yuan);

// `spans` holds the splits over each of kFlowPeriods, today's first. The ranks stay 0: a place
// among the peers needs every peer's figures (see MarketFigures).
FlowFigures FlowFiguresOf(std::span<const FlowSplit> spans);

Bytes FundFlowBody(const FlowFigures& flow);

}  // namespace tarvello::server
