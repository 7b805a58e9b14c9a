// RunLoad: N persistent connections to a quote port, each sending the same request container
// and reading its answer, either in a closed loop (the next request as soon as the answer is
// in) or at a set rate per connection, for a set time. It counts exchanges and answer bytes and
// records every exchange's latency. Runs its own io_context on the calling thread plus
// `threads - 1` more; returns when the time is up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/bytes.h"

namespace tarvello::load {

struct LoadSettings {
  std::string host = "127.0.0.1";
  std::uint16_t port = 2860;
  int connections = 200;
  double seconds = 10;
  double rate = 0;  // exchanges per second per connection; 0 = closed loop
  int threads = 1;
  Bytes request;
};

struct LoadResult {
  std::uint64_t exchanges = 0;
  std::uint64_t bytes = 0;
  double seconds = 0;
  int failed = 0;  // connections that could not connect or broke
  std::vector<double> latencies_us;
  double Percentile(double p) const;  // of the latencies, in microseconds
};

LoadResult RunLoad(const LoadSettings& settings);

}  // namespace tarvello::load
