// Indicator recomputation over 123 bars (one full load) and 2,000 bars (about eight years of
// daily bars scrolled into), against the floor of one plain pass over the same bars summing their
// closes. For each indicator: a full Recompute(-1), and the recompute after a one-bar cursor move
// that pushes the window right (stopAt = the cursor). Figures are printed per bar of the series
// and as ratios to the floor, each from the fastest of five repetitions. Most passes cover only
// the visible window and its look-back, so a far longer series only divides the same work by
// more bars; 2,000 bars is where MACD and the CCI average, which run over the whole series,
// still weigh as much as the windowed passes.
//
// Last, a cursor step inside the window through the model: it must not recompute anything, so
// it costs a few nanoseconds however long the series.
#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "kline/kline_indicators.h"
#include "kline/kline_model.h"
#include "kline_answer_bytes.h"
#include "ratio_reporter.h"

namespace tarvello {
namespace {

constexpr int kVisible = 40;  // a 240-pixel screen at the default zoom
constexpr double kTarget = 10.0;
constexpr int kSizes[] = {123, 2000};
constexpr int kRepetitions = 5;

// Keeps the fastest of the repetitions of each benchmark (CPU time): on a machine shared with
// other work the least disturbed run is the one that measures the code.
class FastestRunReporter : public bench::RatioReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
      const std::string name = run.run_name.function_name + "/" + run.run_name.args;
      const double nanoseconds = run.GetAdjustedCPUTime() *
                                 benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
                                 benchmark::GetTimeUnitMultiplier(run.time_unit);
      const auto [slot, inserted] = fastest_.try_emplace(name, nanoseconds);
      if (!inserted) slot->second = std::min(slot->second, nanoseconds);
    }
    RatioReporter::ReportRuns(runs);
  }
  double Fastest(const std::string& name) const {
    const auto it = fastest_.find(name);
    return it == fastest_.end() ? 0 : it->second;
  }

 private:
  std::map<std::string, double> fastest_;
};

struct Named {
  KLineIndicator indicator;
  const char* name;
};
constexpr Named kIndicators[] = {{KLineIndicator::kVol, "VOL"},   {KLineIndicator::kMacd, "MACD"},
                                 {KLineIndicator::kKdj, "KDJ"},   {KLineIndicator::kRsi, "RSI"},
                                 {KLineIndicator::kBias, "BIAS"}, {KLineIndicator::kCci, "CCI"},
                                 {KLineIndicator::kBoll, "BOLL"}, {KLineIndicator::kWr, "WR"}};

std::vector<KLineBar> Series(int count) {
  std::vector<KLineBar> bars(static_cast<std::size_t>(count));
  std::uint32_t seed = 12345;
  std::int32_t close = 100000;
  for (KLineBar& bar : bars) {
    seed = seed * 1103515245u + 12345u;
    const auto step = static_cast<std::int32_t>((seed >> 16) % 201) - 100;
    bar.open = close;
    close = std::max(close + step, 100);
    bar.close = close;
    bar.high = std::max(bar.open, close) + static_cast<std::int32_t>((seed >> 8) % 50);
    bar.low = std::min(bar.open, close) - static_cast<std::int32_t>((seed >> 4) % 50);
    bar.volume = 10000 + static_cast<std::int32_t>(seed % 90000);
  }
  return bars;
}

void BM_SumCloses(benchmark::State& state) {
  const std::vector<KLineBar> bars = Series(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::int64_t sum = 0;
    for (const KLineBar& bar : bars) sum += bar.close;
    benchmark::DoNotOptimize(sum);
  }
}

void BM_Recompute(benchmark::State& state) {
  const KLineIndicator indicator = kIndicators[state.range(0)].indicator;
  std::vector<KLineBar> bars = Series(static_cast<int>(state.range(1)));
  const IndicatorView view{static_cast<int>(bars.size()) - kVisible, kVisible, 2};
  for (auto _ : state) {
    const IndicatorRanges ranges = RecomputeIndicators(bars, view, indicator, -1);
    benchmark::DoNotOptimize(ranges);
  }
}

// The cursor steps right past the last visible bar, alternately onto the last two bars.
void BM_CursorMove(benchmark::State& state) {
  const KLineIndicator indicator = kIndicators[state.range(0)].indicator;
  std::vector<KLineBar> bars = Series(static_cast<int>(state.range(1)));
  const int total = static_cast<int>(bars.size());
  int step = 0;
  for (auto _ : state) {
    const int cursor = total - 1 - (step++ & 1);
    const IndicatorView view{cursor - kVisible + 1, kVisible, 2};
    const IndicatorRanges ranges = RecomputeIndicators(bars, view, indicator, cursor);
    benchmark::DoNotOptimize(ranges);
  }
}

// The cursor steps left and right between two bars well inside the window of a loaded model.
void BM_CursorStepInsideWindow(benchmark::State& state) {
  const Bytes answer = bench::KLineFullLoadAnswer(kHistoryChunk);
  KLineModel model(240);
  model.Open(u"SH600001", false, KLineModel::OpenMode::kResetChoices);
  if (const std::optional<KLineModel::Load> load = model.TakeLoad()) {
    model.ApplyLoad(*load, FetchKLineAnswer(bench::FixedAnswer(answer), load->request));
  }
  model.SelectIndicator(kIndicators[state.range(0)].indicator);
  for (int i = 0; i < 10; ++i) model.MoveCursorLeft();
  bool left = true;
  for (auto _ : state) {
    if (left) {
      model.MoveCursorLeft();
    } else {
      model.MoveCursorRight();
    }
    left = !left;
    benchmark::DoNotOptimize(model.viewport());
  }
}

void RegisterAll() {
  for (int size : kSizes) {
    benchmark::RegisterBenchmark("BM_SumCloses", BM_SumCloses)->Arg(size)->Repetitions(kRepetitions);
    for (int i = 0; i < static_cast<int>(std::size(kIndicators)); ++i) {
      benchmark::RegisterBenchmark("BM_Recompute", BM_Recompute)->Args({i, size})->Repetitions(kRepetitions);
      benchmark::RegisterBenchmark("BM_CursorMove", BM_CursorMove)->Args({i, size})->Repetitions(kRepetitions);
    }
  }
  for (int i = 0; i < static_cast<int>(std::size(kIndicators)); ++i) {
    benchmark::RegisterBenchmark("BM_CursorStepInsideWindow", BM_CursorStepInsideWindow)->Arg(i)->Repetitions(kRepetitions);
  }
}

void PrintTable(const FastestRunReporter& reporter) {
  std::printf("\n%-6s %14s %16s\n", "ind", "step ns", "full ns (123)");
  for (int i = 0; i < static_cast<int>(std::size(kIndicators)); ++i) {
    const double step = reporter.Fastest("BM_CursorStepInsideWindow/" + std::to_string(i));
    const double full = reporter.Fastest("BM_Recompute/" + std::to_string(i) + "/123");
    std::printf("%-6s %14.1f %16.1f%s\n", kIndicators[i].name, step, full,
                step * 10 < full ? "" : "  A STEP INSIDE THE WINDOW COSTS LIKE A RECOMPUTE");
  }
  std::printf("\n%-6s %7s %12s %10s %12s %10s\n", "ind", "bars", "full ns/bar", "x floor", "move ns/bar",
              "x floor");
  for (int size : kSizes) {
    const std::string suffix = "/" + std::to_string(size);
    const double floor = reporter.Fastest("BM_SumCloses" + suffix) / size;
    std::printf("%-6s %7d %12.3f\n", "floor", size, floor);
    for (int i = 0; i < static_cast<int>(std::size(kIndicators)); ++i) {
      const std::string args = "/" + std::to_string(i) + suffix;
      const double full = reporter.Fastest("BM_Recompute" + args) / size;
      const double move = reporter.Fastest("BM_CursorMove" + args) / size;
      if (floor <= 0) continue;
      std::printf("%-6s %7d %12.3f %10.2f %12.3f %10.2f%s\n", kIndicators[i].name, size, full, full / floor,
                  move, move / floor, full / floor <= kTarget ? "" : "  ABOVE TARGET");
    }
  }
}

}  // namespace
}  // namespace tarvello

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  tarvello::RegisterAll();
  tarvello::FastestRunReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  tarvello::PrintTable(reporter);
  benchmark::Shutdown();
  return 0;
}
