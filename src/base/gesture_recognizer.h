// GestureRecognizer: turns one finger's or the stylus's track (pen-down, moves, pen-up, each with its
// time in milliseconds) into a tap, a long press, a drag or a fling. Its distances are in units of
// the screen's text line so that a gesture feels the same on a small and a large screen: a track
// that stays within the slop is a tap (or a long press when held), one that leaves it is a drag
// from then on, and a drag still moving fast when the pen lifts is a fling.
// A plain value used on one thread; times only ever go forward (a time before the last is taken as
// the last).
#pragma once

#include <cstdint>
#include <deque>

#include "base/geometry.h"

namespace tarvello {

struct GestureThresholds {
  int slop = 8;                 // pixels a tap may wander
  int fling_speed = 200;        // pixels a second at pen-up that make a drag a fling
  int long_press_ms = 600;      // a tap held this long is a long press
  int max_speed = 3000;         // a fling's speed is capped here
  int deceleration = 600;       // pixels a second per second that slow a fling's content down

  // The thresholds for a screen whose text line is line_height pixels high.
  static GestureThresholds ForLineHeight(int line_height);
};

enum class GestureKind { kNone, kTap, kLongPress, kDrag, kFling };

struct Gesture {
  GestureKind kind = GestureKind::kNone;
  Point from;      // where the pen came down
  Point to;        // where it lifted
  Point velocity;  // pixels a second at pen-up; non-zero only for a fling

  // The larger of the two movements decides a drag's direction.
  bool Horizontal() const;
  // The page a vertical swipe turns to, as content that follows the finger: up is the next page
  // (+1), down the previous one (-1); 0 for a horizontal swipe.
  int PageStep() const;
  // The same for a horizontal swipe: to the left is the next (+1); 0 for a vertical one.
  int SideStep() const;
};

class GestureRecognizer {
 public:
  explicit GestureRecognizer(GestureThresholds thresholds = {}) : thresholds_(thresholds) {}

  void SetThresholds(const GestureThresholds& thresholds) { thresholds_ = thresholds; }
  void Down(Point at, std::int64_t ms);
  // The movement since the last move once the track has become a drag; nothing before that (the
  // move that leaves the slop returns the whole way from the pen-down point).
  Point Move(Point at, std::int64_t ms);
  // Ends the track; a pen-up without a pen-down is no gesture.
  Gesture Up(Point at, std::int64_t ms);
  // Forgets the track (a second finger came down, the window lost the pen).
  void Cancel();

  bool Tracking() const { return tracking_; }
  bool Dragging() const { return dragging_; }

 private:
  struct Sample {
    Point at;
    std::int64_t ms;
  };
  std::int64_t Clamp(std::int64_t ms) const;
  void Record(Point at, std::int64_t ms);
  Point Velocity() const;

  GestureThresholds thresholds_;
  bool tracking_ = false;
  bool dragging_ = false;
  Point down_;
  Point last_;
  std::int64_t down_ms_ = 0;
  std::deque<Sample> recent_;  // the samples of the last moments, for the speed at pen-up
};

}  // namespace tarvello
