// FlingMotion: what a fling does after the finger has left: the content goes on at the speed it
// was thrown with and slows down evenly until it stops. The window asks it, on each frame, how far
// the content moves in the time since the last frame.
// A plain value used on one thread.
#pragma once

#include "base/geometry.h"

namespace tarvello {

class FlingMotion {
 public:
  FlingMotion() = default;
  // velocity in pixels a second; deceleration in pixels a second per second.
  FlingMotion(Point velocity, int deceleration);

  // The movement over the next elapsed_ms milliseconds; nothing once stopped.
  Point Step(int elapsed_ms);
  bool Moving() const { return speed_ > 0; }
  void Stop() { speed_ = 0; }

 private:
  double dir_x_ = 0;
  double dir_y_ = 0;
  double speed_ = 0;         // pixels a second along the direction
  double deceleration_ = 1;  // pixels a second per second
  double rest_x_ = 0;        // movement below a whole pixel, carried to the next frame
  double rest_y_ = 0;
};

}  // namespace tarvello
