// Small counters that turn continuous input into the whole steps screens act on.
//
// StepAccumulator adds up movements (pixels of a drag, eighths of a degree of the wheel) and hands
// out whole steps of a given size, keeping the rest for the next movement, so that slow movements
// add up and a fast one is not cut short.
// PinchSteps follows the distance between two fingers and hands out a zoom step each time it has
// grown or shrunk by a set ratio since the last step.
// Plain values used on one thread.
#pragma once

#include <cstdint>

#include "base/geometry.h"

namespace tarvello {

class StepAccumulator {
 public:
  explicit StepAccumulator(int unit) : unit_(unit > 0 ? unit : 1) {}
  // The whole steps the movement completes: positive for movements the same way as the unit.
  int Add(int movement);
  void Reset() { rest_ = 0; }
  int Unit() const { return unit_; }

 private:
  int unit_;
  std::int64_t rest_ = 0;
};

// One notch of a mouse wheel, in Qt's eighths of a degree.
inline constexpr int kWheelNotch = 120;

class PinchSteps {
 public:
  void Start(Point a, Point b);
  // +1 when the fingers have moved apart by the ratio since the last step, -1 when they have come
  // together by it, 0 otherwise.
  int Move(Point a, Point b);
  Point Centre() const { return centre_; }

 private:
  std::int64_t base_ = 0;  // the distance at the last step, in pixels
  Point centre_;
};

}  // namespace tarvello
