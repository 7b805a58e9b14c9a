// Indicator recomputation over 123 bars (one full load) and 2,000 bars (about eight years of
// daily bars scrolled into). For each indicator: a full recompute (stopAt -1), and the recompute
// after a one-bar cursor move that pushes the window right (stopAt = the cursor). Before every
// call the last bar's close changes, as a live tick changes it, so that no call can be skipped or
// lifted out of the loop as a repeat of the one before; figures are per call, each the fastest of
// five repetitions.
//
// Ratios are printed only where a floor does the same kind of work:
// - MACD and the typical price average of CCI run over the whole series: their floor is one pass
//   over the same bars summing their closes, at each size (shown for scale, no target);
// - the other passes cover only the visible window and its look-back, so their floor is the same
//   recompute over 123 bars: at 2,000 bars they must cost about the same (at most 1.5 times).
//
// Last, a cursor step inside the window through the model: it must not recompute anything, so it
// costs under a tenth of a full recompute of 123 bars.
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
constexpr double kWindowedGrowth = 1.5;  // a windowed pass over 2,000 bars against 123
constexpr double kStepShare = 0.1;       // a step inside the window against a full recompute
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

// The close of the last bar as a live tick moves it: up and down by one, every call.
void Tick(std::vector<KLineBar>& bars, int& tick) {
  bars.back().close += (tick++ & 1) == 0 ? 1 : -1;
  benchmark::ClobberMemory();
}

void BM_SumCloses(benchmark::State& state) {
  std::vector<KLineBar> bars = Series(static_cast<int>(state.range(0)));
  int tick = 0;
  for (auto _ : state) {
    Tick(bars, tick);
    std::int64_t sum = 0;
    for (const KLineBar& bar : bars) sum += bar.close;
    benchmark::DoNotOptimize(sum);
  }
}

void BM_Recompute(benchmark::State& state) {
  const KLineIndicator indicator = kIndicators[state.range(0)].indicator;
  std::vector<KLineBar> bars = Series(static_cast<int>(state.range(1)));
  const IndicatorView view{static_cast<int>(bars.size()) - kVisible, kVisible, 2};
  int tick = 0;
  for (auto _ : state) {
    Tick(bars, tick);
    const IndicatorRanges ranges = RecomputeIndicators(bars, view, indicator, -1);
    benchmark::DoNotOptimize(ranges);
    benchmark::ClobberMemory();
  }
}

// The cursor steps right past the last visible bar, alternately onto the last two bars.
void BM_CursorMove(benchmark::State& state) {
  const KLineIndicator indicator = kIndicators[state.range(0)].indicator;
  std::vector<KLineBar> bars = Series(static_cast<int>(state.range(1)));
  const int total = static_cast<int>(bars.size());
  int tick = 0;
  for (auto _ : state) {
    Tick(bars, tick);
    const int cursor = total - 1 - (tick & 1);
    const IndicatorView view{cursor - kVisible + 1, kVisible, 2};
    const IndicatorRanges ranges = RecomputeIndicators(bars, view, indicator, cursor);
    benchmark::DoNotOptimize(ranges);
    benchmark::ClobberMemory();
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

bool OverWholeSeries(KLineIndicator indicator) {
  return indicator == KLineIndicator::kMacd || indicator == KLineIndicator::kCci;
}

void PrintTable(const FastestRunReporter& reporter) {
  const auto fastest = [&](const std::string& name, int i, int size) {
    return reporter.Fastest(name + "/" + std::to_string(i) + "/" + std::to_string(size));
  };
  std::printf("\n%-6s %12s %12s %12s %12s\n", "ind", "full 123", "full 2000", "move 123", "move 2000");
  std::printf("%-6s %12.0f %12.0f\n", "floor", reporter.Fastest("BM_SumCloses/123"),
              reporter.Fastest("BM_SumCloses/2000"));
  for (int i = 0; i < static_cast<int>(std::size(kIndicators)); ++i) {
    std::printf("%-6s %12.0f %12.0f %12.0f %12.0f\n", kIndicators[i].name, fastest("BM_Recompute", i, 123),
                fastest("BM_Recompute", i, 2000), fastest("BM_CursorMove", i, 123), fastest("BM_CursorMove", i, 2000));
  }
  std::printf("(ns per call)\n");

  for (int i = 0; i < static_cast<int>(std::size(kIndicators)); ++i) {
    const std::string name = kIndicators[i].name;
    if (OverWholeSeries(kIndicators[i].indicator)) {
      for (int size : kSizes) {
        const std::string floor = "BM_SumCloses/" + std::to_string(size);
        const double full = fastest("BM_Recompute", i, size);
        const double floor_ns = reporter.Fastest(floor);
        bench::EmitFigure({name + " full recompute, " + std::to_string(size) + " bars", bench::Duration(full),
                           floor, bench::Duration(floor_ns), floor_ns > 0 ? full / floor_ns : 0, "", true});
      }
    } else {
      for (const char* kind : {"BM_Recompute", "BM_CursorMove"}) {
        bench::EmitRatio(name + " " + kind + ", 2000 bars", fastest(kind, i, 2000), "the same, 123 bars",
                         fastest(kind, i, 123), kWindowedGrowth);
      }
    }
    bench::EmitRatio(name + " cursor step inside the window",
                     reporter.Fastest("BM_CursorStepInsideWindow/" + std::to_string(i)), "full recompute, 123 bars",
                     fastest("BM_Recompute", i, 123), kStepShare);
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
