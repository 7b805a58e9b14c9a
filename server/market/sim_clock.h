// The simulated clock: a start moment (a day and a time of day) that advances with the host's
// steady clock multiplied by a speed. Tests use a clock that stands still (speed 0). Immutable
// after construction; safe from any thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace tarvello::server {

struct SimTime {
  std::int64_t day = 0;     // day number, days since 1970-01-01
  int seconds_of_day = 0;   // 0 .. 86399
  int Date() const;         // YYYYMMDD
  int Hhmmss() const;
  // Whole simulated seconds since the epoch; the tick that answers are cached for.
  std::int64_t Tick() const { return day * 86400 + seconds_of_day; }
};

class SimClock {
 public:
  SimClock(SimTime start, double speed);
  SimTime Now() const;
  const SimTime& start() const { return start_; }

 private:
  SimTime start_;
  double speed_;
  std::chrono::steady_clock::time_point origin_;
};

// "YYYY-MM-DD HH:MM" as a simulated time; nothing when the text is not such a moment.
std::optional<SimTime> ParseSimTime(const std::string& text);
// The default start: the host's current date (the latest trading day on a weekend) at a moment
// of the morning session taken from the host's time of day, so that a demo always moves.
SimTime DefaultStart();

}  // namespace tarvello::server
