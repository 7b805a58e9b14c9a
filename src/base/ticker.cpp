#include "base/ticker.h"

#include <utility>

namespace tarvello {

Ticker::Ticker(std::chrono::milliseconds period, std::function<void()> tick)
    : thread_([this, period, tick = std::move(tick)] {
        while (!stop_.SleepUnlessClosed(period)) tick();
      }) {}

Ticker::~Ticker() {
  stop_.Close();
  thread_.join();
}

}  // namespace tarvello
