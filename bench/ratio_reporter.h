// A console reporter that also remembers each benchmark's time per iteration, so that a benchmark
// program can print its figures as ratios against a floor measured in the same run. It keeps CPU
// time by default, so that other work on a shared machine does not skew the ratio; benchmarks whose
// time is mostly waiting on another thread or process (a network exchange) keep wall time instead.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tarvello::bench {

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
