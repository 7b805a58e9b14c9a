// Test support for the soak: what the running process holds (resident memory, open descriptors,
// threads, CPU time used) sampled now and then, the bounds the samples after a warm-up must keep
// against the first of them, and a table of all of them for the log.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace tarvello::testing {

struct SoakSample {
  std::chrono::seconds at{0};  // since the soak began
  long resident_kb = 0;
  int descriptors = 0;
  int threads = 0;
  double cpu_seconds = 0;  // user and system time of the whole process so far
  long log_bytes = 0;      // the size of the communication log
  int rounds = 0;          // walks through every menu cell finished so far
  std::string fault;       // what the link did to answers at that moment
};

// This process as it stands; the log is the file at log_path (0 bytes while it is missing).
SoakSample SampleThisProcess(std::chrono::seconds at, const std::filesystem::path& log_path);

// One line per bound a sample from `baseline` on breaks against samples[baseline]: resident memory
// up more than 48 MB, 16 more descriptors, 8 more threads, a log past its ring, or a CPU share in
// the last third of those samples more than half again that of the first third plus 10 %.
std::vector<std::string> BrokenBounds(const std::vector<SoakSample>& samples, std::size_t baseline);

// The samples as a plain text table, one line each under a heading.
std::string SampleTable(const std::vector<SoakSample>& samples);

}  // namespace tarvello::testing
