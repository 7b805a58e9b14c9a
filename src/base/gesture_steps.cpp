#include "base/gesture_steps.h"

#include <algorithm>
#include <cmath>

namespace tarvello {
namespace {

// Fingers a quarter further apart (or closer) make one zoom step.
constexpr double kPinchRatio = 1.25;

std::int64_t Spread(Point a, Point b) {
  const double dx = static_cast<double>(a.x) - b.x;
  const double dy = static_cast<double>(a.y) - b.y;
  return static_cast<std::int64_t>(std::hypot(dx, dy));
}

Point Middle(Point a, Point b) {
  return Point{static_cast<int>((std::int64_t{a.x} + b.x) / 2), static_cast<int>((std::int64_t{a.y} + b.y) / 2)};
}

}  // namespace

int StepAccumulator::Add(int movement) {
  rest_ += movement;
  const std::int64_t steps = rest_ / unit_;
  rest_ -= steps * unit_;
  return static_cast<int>(steps);  // the rest is below one unit, so the steps fit an int
}

void PinchSteps::Start(Point a, Point b) {
  base_ = std::max<std::int64_t>(1, Spread(a, b));
  centre_ = Middle(a, b);
}

int PinchSteps::Move(Point a, Point b) {
  const std::int64_t spread = std::max<std::int64_t>(1, Spread(a, b));
  centre_ = Middle(a, b);
  if (spread >= base_ * kPinchRatio) {
    base_ = spread;
    return 1;
  }
  if (spread * kPinchRatio <= base_) {
    base_ = spread;
    return -1;
  }
  return 0;
}

}  // namespace tarvello
