// Spreading independent pieces of work over the machine's cores, for the builds that must be
// ready before the ports open. The caller's thread takes a share; it returns when every piece is
// done. Pieces must not depend on each other's order.
#pragma once

#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

namespace tarvello::server {

inline constexpr unsigned kMaxBuildThreads = 4;

// Runs work(i) for every i in [0, count) on at most `most` threads.
inline void ForEachInParallel(int count, const std::function<void(int)>& work,
                              unsigned most = kMaxBuildThreads) {
  const int threads =
      static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, std::max(most, 1u)));
  std::vector<std::jthread> helpers;
  for (int t = 1; t < threads; ++t) {
    helpers.emplace_back([&, t] {
      for (int i = t; i < count; i += threads) work(i);
    });
  }
  for (int i = 0; i < count; i += threads) work(i);
}

}  // namespace tarvello::server
