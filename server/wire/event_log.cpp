#include "server/wire/event_log.h"

namespace tarvello::server {

void EventLog::Write(const std::string& line) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (out_ != nullptr) {
    std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
  }
  lines_.push_back(line);
  if (lines_.size() > kKept) lines_.pop_front();
}

std::vector<std::string> EventLog::Lines() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return {lines_.begin(), lines_.end()};
}

}  // namespace tarvello::server
