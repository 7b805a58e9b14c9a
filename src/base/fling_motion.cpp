#include "base/fling_motion.h"

#include <algorithm>
#include <cmath>

namespace tarvello {

FlingMotion::FlingMotion(Point velocity, int deceleration) : deceleration_(std::max(1, deceleration)) {
  speed_ = std::hypot(static_cast<double>(velocity.x), static_cast<double>(velocity.y));
  if (speed_ <= 0) return;
  dir_x_ = velocity.x / speed_;
  dir_y_ = velocity.y / speed_;
}

Point FlingMotion::Step(int elapsed_ms) {
  if (speed_ <= 0 || elapsed_ms <= 0) return {};
  const double seconds = std::min(elapsed_ms, 1000) / 1000.0;
  const double slowed = std::max(0.0, speed_ - deceleration_ * seconds);
  const double moving = (speed_ - slowed) / deceleration_;  // the part of the time still moving
  const double distance = (speed_ + slowed) / 2 * moving;
  speed_ = slowed;
  rest_x_ += dir_x_ * distance;
  rest_y_ += dir_y_ * distance;
  const Point whole{static_cast<int>(std::trunc(rest_x_)), static_cast<int>(std::trunc(rest_y_))};
  rest_x_ -= whole.x;
  rest_y_ -= whole.y;
  return whole;
}

}  // namespace tarvello
