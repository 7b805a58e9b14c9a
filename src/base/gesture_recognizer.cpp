#include "base/gesture_recognizer.h"

#include <algorithm>
#include <cstdlib>

namespace tarvello {
namespace {

// The speed at pen-up is taken over this much of the track's end; a pen that rested longer than
// this before lifting has no speed.
constexpr std::int64_t kSpeedWindowMs = 100;

std::int64_t Distance(Point a, Point b) {
  return std::max(std::llabs(std::int64_t{a.x} - b.x), std::llabs(std::int64_t{a.y} - b.y));
}

int Saturate(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, -(1 << 30), 1 << 30));
}

}  // namespace

GestureThresholds GestureThresholds::ForLineHeight(int line_height) {
  const int line = std::clamp(line_height, 4, 1000);
  GestureThresholds t;
  t.slop = std::max(3, line * 2 / 3);
  t.fling_speed = line * 12;
  t.max_speed = line * 150;
  t.deceleration = line * 40;
  return t;
}

bool Gesture::Horizontal() const {
  return std::llabs(std::int64_t{to.x} - from.x) >= std::llabs(std::int64_t{to.y} - from.y);
}

int Gesture::PageStep() const {
  if (Horizontal() || to.y == from.y) return 0;
  return to.y < from.y ? 1 : -1;
}

int Gesture::SideStep() const {
  if (!Horizontal() || to.x == from.x) return 0;
  return to.x < from.x ? 1 : -1;
}

std::int64_t GestureRecognizer::Clamp(std::int64_t ms) const {
  return recent_.empty() ? ms : std::max(ms, recent_.back().ms);
}

void GestureRecognizer::Record(Point at, std::int64_t ms) {
  recent_.push_back({at, ms});
  while (recent_.size() > 1 && recent_.front().ms < ms - kSpeedWindowMs) recent_.pop_front();
  last_ = at;
}

void GestureRecognizer::Down(Point at, std::int64_t ms) {
  recent_.clear();
  tracking_ = true;
  dragging_ = false;
  down_ = at;
  down_ms_ = ms;
  Record(at, ms);
}

Point GestureRecognizer::Move(Point at, std::int64_t ms) {
  if (!tracking_) return {};
  const Point before = dragging_ ? last_ : down_;
  Record(at, Clamp(ms));
  if (!dragging_ && Distance(at, down_) <= thresholds_.slop) return {};
  dragging_ = true;
  return Point{Saturate(std::int64_t{at.x} - before.x), Saturate(std::int64_t{at.y} - before.y)};
}

Point GestureRecognizer::Velocity() const {
  const Sample& first = recent_.front();
  const Sample& last = recent_.back();
  const std::int64_t span = last.ms - first.ms;
  if (span <= 0) return {};
  const auto speed = [&](int from, int to) {
    const std::int64_t v = (std::int64_t{to} - from) * 1000 / span;
    return static_cast<int>(std::clamp<std::int64_t>(v, -thresholds_.max_speed, thresholds_.max_speed));
  };
  return Point{speed(first.at.x, last.at.x), speed(first.at.y, last.at.y)};
}

Gesture GestureRecognizer::Up(Point at, std::int64_t ms) {
  if (!tracking_) return {};
  const std::int64_t when = Clamp(ms);
  Move(at, when);
  tracking_ = false;
  Gesture gesture{GestureKind::kTap, down_, at, {}};
  if (!dragging_) {
    if (when - down_ms_ >= thresholds_.long_press_ms) gesture.kind = GestureKind::kLongPress;
    return gesture;
  }
  gesture.kind = GestureKind::kDrag;
  const Point v = Velocity();
  if (std::max(std::abs(v.x), std::abs(v.y)) >= thresholds_.fling_speed) {
    gesture.kind = GestureKind::kFling;
    gesture.velocity = v;
  }
  return gesture;
}

void GestureRecognizer::Cancel() {
  tracking_ = false;
  dragging_ = false;
  recent_.clear();
}

}  // namespace tarvello
