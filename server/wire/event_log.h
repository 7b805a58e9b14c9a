// EventLog: the simulator's log of what clients told it (device registrations, error reports)
// and of its own start and stop. Each line goes to the output stream given (stderr in the
// program, none in tests) and the latest lines are kept for tests to read. Safe from any
// thread: one mutex guards the kept lines and the writes.
#pragma once

#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace tarvello::server {

class EventLog {
 public:
  explicit EventLog(std::FILE* out = nullptr) : out_(out) {}
  void Write(const std::string& line);
  std::vector<std::string> Lines() const;

 private:
  static constexpr std::size_t kKept = 256;
  std::FILE* const out_;
  mutable std::mutex mutex_;
  std::deque<std::string> lines_;  // guarded by mutex_
};

}  // namespace tarvello::server
