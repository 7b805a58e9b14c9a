// Feeds arbitrary bytes to the fund-flow reader as the server's 2109 answer, then formats the
// three blocks and builds the pie, so that hostile amounts reach the sums and the slice angles.
#include <cstddef>
#include <cstdint>

#include "futures/fund_flow_pie.h"
#include "futures/fund_flow_texts.h"
#include "futures/futures_answer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tarvello::SecurityFundFlow flow = tarvello::ReadSecurityFundFlowAnswer({data, size}).value_or(tarvello::SecurityFundFlow{});
  tarvello::FundFlowTotals(flow);
  tarvello::FundFlowTable(flow);
  tarvello::FundFlowRatios(flow);
  tarvello::FundFlowPie(flow, {120, 120}, 100);
  return 0;
}
