#include "soak_probe.h"

#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <system_error>

#include "protocol/comm_log.h"

namespace tarvello::testing {
namespace {

constexpr long kResidentGrowthKb = 48 * 1024;
constexpr int kDescriptorGrowth = 16;
constexpr int kThreadGrowth = 8;
constexpr double kCpuShareFactor = 1.5;
constexpr double kCpuShareSlack = 0.10;
// The ring's limit plus the longest entry that may start just under it.
constexpr long kLogLimit = CommLog::kRingLimit + 4096;

// The number after "name:" in /proc/self/status.
long StatusField(const std::string& name) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with(name + ":")) return std::stol(line.substr(name.size() + 1));
  }
  return -1;
}

int OpenDescriptors() {
  std::error_code error;
  int count = 0;
  for (std::filesystem::directory_iterator it("/proc/self/fd", error), end; !error && it != end; it.increment(error)) {
    ++count;
  }
  return count - 1;  // the iterator's own
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// CPU seconds per wall second from sample `from` to sample `to`.
double CpuShare(const std::vector<SoakSample>& samples, std::size_t from, std::size_t to) {
  const auto wall = (samples[to].at - samples[from].at).count();
  return wall > 0 ? (samples[to].cpu_seconds - samples[from].cpu_seconds) / static_cast<double>(wall) : 0;
}

std::string Line(const char* format, auto... values) {
  char text[160];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

}  // namespace

SoakSample SampleThisProcess(std::chrono::seconds at, const std::filesystem::path& log_path) {
  std::error_code error;
  const auto log_size = std::filesystem::file_size(log_path, error);
  SoakSample sample;
  sample.at = at;
  sample.resident_kb = StatusField("VmRSS");
  sample.descriptors = OpenDescriptors();
  sample.threads = static_cast<int>(StatusField("Threads"));
  sample.cpu_seconds = CpuSeconds();
  sample.log_bytes = error ? 0 : static_cast<long>(log_size);
  return sample;
}

std::vector<std::string> BrokenBounds(const std::vector<SoakSample>& samples, std::size_t baseline) {
  std::vector<std::string> broken;
  if (baseline >= samples.size()) return {"no sample after the warm-up"};
  const SoakSample& base = samples[baseline];
  for (std::size_t i = baseline; i < samples.size(); ++i) {
    const SoakSample& s = samples[i];
    const long minute = s.at.count() / 60;
    if (s.resident_kb > base.resident_kb + kResidentGrowthKb) {
      broken.push_back(Line("minute %ld: resident %ld kB, %ld kB at the baseline", minute, s.resident_kb, base.resident_kb));
    }
    if (s.descriptors > base.descriptors + kDescriptorGrowth) {
      broken.push_back(Line("minute %ld: %d descriptors, %d at the baseline", minute, s.descriptors, base.descriptors));
    }
    if (s.threads > base.threads + kThreadGrowth) {
      broken.push_back(Line("minute %ld: %d threads, %d at the baseline", minute, s.threads, base.threads));
    }
    if (s.log_bytes > kLogLimit) broken.push_back(Line("minute %ld: the log holds %ld bytes", minute, s.log_bytes));
  }
  const std::size_t third = (samples.size() - 1 - baseline) / 3;
  if (third > 0) {
    const double first = CpuShare(samples, baseline, baseline + third);
    const double last = CpuShare(samples, samples.size() - 1 - third, samples.size() - 1);
    if (last > first * kCpuShareFactor + kCpuShareSlack) {
      broken.push_back(Line("CPU share %.2f in the last third, %.2f in the first", last, first));
    }
  }
  return broken;
}

std::string SampleTable(const std::vector<SoakSample>& samples) {
  std::string table = "  min:sec  resident kB  fds  threads  cpu s  log bytes  rounds  fault\n";
  for (const SoakSample& s : samples) {
    table += Line("  %4ld:%02ld  %11ld  %3d  %7d  %5.0f  %9ld  %6d  %s\n", static_cast<long>(s.at.count() / 60),
                  static_cast<long>(s.at.count() % 60), s.resident_kb, s.descriptors, s.threads, s.cpu_seconds,
                  s.log_bytes, s.rounds, s.fault.c_str());
  }
  return table;
}

}  // namespace tarvello::testing
