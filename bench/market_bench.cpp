// The full simulated market: how long it takes to build (the simulator's start-up), to gather
// the figures of the whole A-share list at one moment, and to sort that list by each sort field
// the quote lists use and cut one page (the work behind one ranked-list answer), against copying
// the same rows.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"
#include "server/figures/market_figures.h"
#include "server/market/market.h"
#include "server/market/quote_state.h"
#include "server/wire/list_sorting.h"

namespace {

using namespace tarvello::server;

MarketConfig Config() {
  MarketConfig config;
  config.start = *ParseSimTime("2026-12-04 10:30");
  return config;
}

const Market& TheMarket() {
  static const Market market(Config());
  return market;
}

std::vector<int> AShares() {
  std::vector<int> shares;
  for (int i = 0; i < TheMarket().size(); ++i) {
    if (TheMarket().security(i).kind == Kind::kAShare) shares.push_back(i);
  }
  return shares;
}

const std::vector<ListFigures>& Rows() {
  static const std::vector<ListFigures> rows = BuildMarketFigures(TheMarket(), MinuteOf(Config().start))->rows;
  return rows;
}

// Building the market and asking the first quotes of the two indices the ticker shows.
void BM_BuildMarketAndFirstTicker(benchmark::State& state) {
  for (auto _ : state) {
    const Market market(Config());
    for (const char* code : {"SH000001", "SZ399001"}) {
      const int index = market.Find(code);
      benchmark::DoNotOptimize(QuoteAt(market, index, market.PositionAt(index, Config().start)));
    }
  }
}

// The list answers gather these once a simulated minute for the whole catalogue.
// The first minute draws the past days the flow figures keep, once; it is not timed.
void BM_FiguresOfTheWholeMarket(benchmark::State& state) {
  Rows();
  for (auto _ : state) benchmark::DoNotOptimize(BuildMarketFigures(TheMarket(), MinuteOf(Config().start)));
}

// Copying the A-share rows: the floor a sorted page is measured against.
void BM_CopyAllRows(benchmark::State& state) {
  const std::vector<ListFigures>& rows = Rows();
  const std::vector<int> shares = AShares();
  for (auto _ : state) {
    std::vector<ListFigures> copy;
    copy.reserve(shares.size());
    for (int m : shares) copy.push_back(rows[static_cast<std::size_t>(m)]);
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetLabel(std::to_string(shares.size()) + " rows");
}

void BM_SortedPage(benchmark::State& state) {
  const std::vector<ListFigures>& rows = Rows();
  const std::vector<int> shares = AShares();
  const ListOrder order{static_cast<int>(state.range(0)), kDescending};
  for (auto _ : state) benchmark::DoNotOptimize(SortedPage(rows, shares, order, 200, 20));
}

constexpr int kFields[] = {1, 4, 5, 6, 7, 8, 10, 12, 15, 16, 21, 22};

BENCHMARK(BM_BuildMarketAndFirstTicker)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FiguresOfTheWholeMarket)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CopyAllRows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SortedPage)->Unit(benchmark::kMicrosecond)->Apply([](benchmark::internal::Benchmark* b) {
  for (int field : kFields) b->Arg(field);
});

}  // namespace

int main(int argc, char** argv) {
  std::vector<tarvello::bench::RatioTarget> ratios;
  // One ranked page should stay under a millisecond; copying the list takes some tens of microseconds.
  for (int field : kFields) ratios.push_back({"BM_SortedPage/" + std::to_string(field), "BM_CopyAllRows", 25.0});
  return tarvello::bench::RunAndPrintRatios(argc, argv, ratios);
}
