// A console reporter that also remembers each benchmark's time per iteration, so that a benchmark
// program can print its figures as ratios against a floor measured in the same run. It keeps CPU
// time by default, so that other work on a shared machine does not skew the ratio; benchmarks whose
// time is mostly waiting on another thread or process (a network exchange) keep wall time instead.
//
// Every figure a benchmark program judges is also printed as one tab-separated line starting with
// "FIGURE", which scripts/bench.sh gathers from all programs into the summary table of `make bench`.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tarvello::bench {

// A duration in the unit that keeps it readable: "850 ns", "12.3 us", "4.56 ms".
inline std::string Duration(double nanoseconds) {
  char text[32];
  if (nanoseconds < 1e4) {
    std::snprintf(text, sizeof text, "%.1f ns", nanoseconds);
  } else if (nanoseconds < 1e7) {
    std::snprintf(text, sizeof text, "%.1f us", nanoseconds / 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.2f ms", nanoseconds / 1e6);
  }
  return text;
}

// One judged figure for the summary table: its value, the floor it is measured against (empty
// when it stands alone), their ratio, the target it is held to (empty when it is shown for
// information only) and whether it holds.
struct SummaryRow {
  std::string name;
  std::string value;
  std::string floor;
  std::string floor_value;
  double ratio = 0;  // 0 when there is no floor
  std::string target;
  bool holds = true;
};

inline void EmitFigure(const SummaryRow& figure) {
  const auto or_dash = [](const std::string& text) { return text.empty() ? std::string("-") : text; };
  char ratio[32] = "-";
  if (figure.ratio > 0) std::snprintf(ratio, sizeof ratio, figure.ratio < 100 ? "%.3g" : "%.0f", figure.ratio);
  std::printf("FIGURE\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n", figure.name.c_str(), figure.value.c_str(),
              or_dash(figure.floor).c_str(), or_dash(figure.floor_value).c_str(), ratio,
              or_dash(figure.target).c_str(), figure.target.empty() ? "-" : figure.holds ? "yes" : "NO");
}

// A figure held to a ratio against its floor; nothing when either was not run.
inline void EmitRatio(const std::string& name, double nanoseconds, const std::string& floor,
                      double floor_nanoseconds, double target) {
  if (nanoseconds <= 0 || floor_nanoseconds <= 0) return;
  const double ratio = nanoseconds / floor_nanoseconds;
  char limit[32];
  std::snprintf(limit, sizeof limit, "ratio <= %.3g", target);
  EmitFigure({name, Duration(nanoseconds), floor, Duration(floor_nanoseconds), ratio, limit,
              ratio <= target});
}

// A figure held to a duration of its own; the floor, when given, is shown for scale.
inline void EmitDuration(const std::string& name, double nanoseconds, double target_nanoseconds,
                         const std::string& floor = "", double floor_nanoseconds = 0) {
  EmitFigure({name, Duration(nanoseconds), floor,
              floor.empty() ? std::string() : Duration(floor_nanoseconds),
              floor_nanoseconds > 0 ? nanoseconds / floor_nanoseconds : 0,
              "<= " + Duration(target_nanoseconds), nanoseconds <= target_nanoseconds});
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  enum class Clock { kCpu, kWall };
  explicit RatioReporter(Clock clock = Clock::kCpu) : clock_(clock) {}

  // With --benchmark_repetitions the median of the repetitions stands for the benchmark.
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      // The median comes after the repetitions it sums up, so it replaces their figures.
      if (median || (run.run_type == Run::RT_Iteration && run.iterations > 0)) {
        const double time =
            clock_ == Clock::kCpu ? run.GetAdjustedCPUTime() : run.GetAdjustedRealTime();
        nanoseconds_[run.run_name.str()] = time *
                                           benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
                                           benchmark::GetTimeUnitMultiplier(run.time_unit);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // Prints "name: X ns, floor: Y ns, ratio Z (target T)"; false when either was not run.
  bool PrintRatio(const std::string& name, const std::string& floor, double target) const {
    const auto a = nanoseconds_.find(name);
    const auto b = nanoseconds_.find(floor);
    if (a == nanoseconds_.end() || b == nanoseconds_.end() || b->second <= 0) return false;
    const double ratio = a->second / b->second;
    std::printf("%s: %.0f ns, floor %s: %.0f ns, ratio %.3f (target <= %.2f)%s\n", name.c_str(), a->second,
                floor.c_str(), b->second, ratio, target, ratio <= target ? "" : "  ABOVE TARGET");
    EmitRatio(name, a->second, floor, b->second, target);
    return true;
  }

  double Nanoseconds(const std::string& name) const {
    const auto it = nanoseconds_.find(name);
    return it == nanoseconds_.end() ? 0 : it->second;
  }

 private:
  Clock clock_;
  std::map<std::string, double> nanoseconds_;
};

// One figure to print: a benchmark against its floor, with the target ratio.
struct RatioTarget {
  std::string name;
  std::string floor;
  double target;
};

// The main of a ratio benchmark: runs the registered benchmarks and prints each ratio.
inline int RunAndPrintRatios(int argc, char** argv, const std::vector<RatioTarget>& ratios,
                             RatioReporter::Clock clock = RatioReporter::Clock::kCpu) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter(clock);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const RatioTarget& ratio : ratios) reporter.PrintRatio(ratio.name, ratio.floor, ratio.target);
  benchmark::Shutdown();
  return 0;
}

}  // namespace tarvello::bench
