// The gesture recognizer replays recorded pen tracks, on a small and a large screen alike; the
// step counters for drags, the wheel and two-finger pinches; a fling's slowing down.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "base/fling_motion.h"
#include "base/gesture_recognizer.h"
#include "base/gesture_steps.h"

namespace tarvello {
namespace {

// One event of a track: 'd' down, 'm' move, 'u' up, at a point and a time, in the units of a
// screen whose text line is 16 pixels high.
struct PenEvent {
  char what;
  int x;
  int y;
  int ms;
};

struct Track {
  std::string name;
  std::vector<PenEvent> events;
  GestureKind expected;
};

Gesture Replay(const std::vector<PenEvent>& events, int scale) {
  GestureRecognizer recognizer(GestureThresholds::ForLineHeight(16 * scale));
  Gesture last;
  for (const PenEvent& e : events) {
    const Point at{e.x * scale, e.y * scale};
    if (e.what == 'd') recognizer.Down(at, e.ms);
    if (e.what == 'm') recognizer.Move(at, e.ms);
    if (e.what == 'u') last = recognizer.Up(at, e.ms);
  }
  return last;
}

// Tracks recorded with a mouse and a stylus: a tap never becomes a drag, a drag never a tap.
TEST(GestureRecognizerTest, RecordedTracksOnSmallAndLargeScreensAndDragsReportTheirMoves) {
  const std::vector<Track> tracks = {
      {"quick tap", {{'d', 50, 50, 0}, {'u', 50, 50, 80}}, GestureKind::kTap},
      {"tap with a shaky hand", {{'d', 50, 50, 0}, {'m', 53, 48, 30}, {'m', 46, 54, 60}, {'u', 52, 51, 120}},
       GestureKind::kTap},
      {"tap lifted at the slop's edge", {{'d', 50, 50, 0}, {'u', 60, 50, 90}}, GestureKind::kTap},
      {"held still", {{'d', 50, 50, 0}, {'m', 51, 50, 300}, {'u', 51, 50, 700}}, GestureKind::kLongPress},
      {"slow drag down", {{'d', 50, 50, 0}, {'m', 50, 60, 200}, {'m', 50, 75, 400}, {'m', 50, 90, 600}, {'u', 50, 90, 800}},
       GestureKind::kDrag},
      {"drag that rests before lifting",
       {{'d', 50, 50, 0}, {'m', 50, 20, 60}, {'m', 50, 0, 120}, {'u', 50, 0, 400}}, GestureKind::kDrag},
      {"drag back to where it started", {{'d', 50, 50, 0}, {'m', 90, 50, 300}, {'m', 50, 50, 700}, {'u', 50, 50, 900}},
       GestureKind::kDrag},
      {"flick up", {{'d', 50, 150, 0}, {'m', 50, 130, 30}, {'m', 50, 100, 60}, {'u', 50, 80, 90}}, GestureKind::kFling},
      {"flick left", {{'d', 150, 50, 0}, {'m', 120, 52, 40}, {'u', 80, 55, 80}}, GestureKind::kFling},
      {"times going backwards", {{'d', 50, 50, 500}, {'m', 90, 50, 400}, {'u', 90, 50, 100}}, GestureKind::kDrag},
      {"pen-up without a pen-down", {{'u', 50, 50, 0}}, GestureKind::kNone},
  };
  for (int scale : {1, 2}) {
    for (const Track& track : tracks) {
      EXPECT_EQ(Replay(track.events, scale).kind, track.expected) << track.name << " at scale " << scale;
    }
  }
  // A drag reports each move once it leaves the slop, and a fling its speed.
  GestureRecognizer recognizer(GestureThresholds::ForLineHeight(16));
  recognizer.Down({100, 100}, 0);
  EXPECT_EQ(recognizer.Move({100, 105}, 10), (Point{0, 0}));
  EXPECT_EQ(recognizer.Move({100, 80}, 20), (Point{0, -20}));
  EXPECT_EQ(recognizer.Move({102, 60}, 30), (Point{2, -20}));
  const Gesture fling = recognizer.Up({102, 40}, 40);
  EXPECT_EQ(std::tuple(fling.kind, fling.from), std::tuple(GestureKind::kFling, Point{100, 100}));
  EXPECT_TRUE(!fling.Horizontal() && fling.velocity.y < -1000) << fling.velocity.y;
  recognizer.Down({0, 0}, 100);
  recognizer.Move({100, 0}, 110);
  recognizer.Cancel();
  EXPECT_EQ(recognizer.Up({100, 0}, 120).kind, GestureKind::kNone);
  // Extreme coordinates and times neither overflow nor turn into taps.
  GestureRecognizer extreme(GestureThresholds::ForLineHeight(16));
  extreme.Down({-2147483647, -2147483647}, 0);
  EXPECT_GT(extreme.Move({2147483647, 2147483647}, 50).x, 0);
  const Gesture g = extreme.Up({2147483647, 2147483647}, 60);
  EXPECT_EQ(g.kind, GestureKind::kFling);
  EXPECT_LE(g.velocity.x, GestureThresholds::ForLineHeight(16).max_speed);
}

TEST(GestureStepsTest, MovementsAndPinchesAddUpToWholeStepsAndAFlingSlowsDownToAStop) {
  StepAccumulator wheel(kWheelNotch);
  EXPECT_EQ(wheel.Add(40), 0);  // a touchpad's small increments
  EXPECT_EQ(wheel.Add(40), 0);
  EXPECT_EQ(wheel.Add(40), 1);
  EXPECT_EQ(wheel.Add(-360), -3);
  EXPECT_EQ(wheel.Add(2147483647), 17895697);
  StepAccumulator lines(16);
  lines.Reset();
  EXPECT_EQ(lines.Add(-10), 0);
  EXPECT_EQ(lines.Add(-10), -1);
  EXPECT_EQ(lines.Add(14), 0);
  // A pinch steps at each quarter apart or together.
  PinchSteps pinch;
  pinch.Start({100, 100}, {200, 100});
  EXPECT_EQ(pinch.Centre(), (Point{150, 100}));
  EXPECT_EQ(pinch.Move({95, 100}, {205, 100}), 0);
  EXPECT_EQ(pinch.Move({80, 100}, {210, 100}), 1);   // 130 from 100
  EXPECT_EQ(pinch.Move({60, 100}, {220, 100}), 0);   // 160 from 130
  EXPECT_EQ(pinch.Move({40, 100}, {240, 100}), 1);   // 200
  EXPECT_EQ(pinch.Move({100, 100}, {200, 100}), -1); // 100 from 200: one step a gesture event
  EXPECT_EQ(pinch.Move({150, 100}, {150, 100}), -1); // fingers meet
  EXPECT_EQ(pinch.Centre(), (Point{150, 100}));
  // A fling goes on and slows down until it stops.
  FlingMotion fling(Point{0, -1000}, 2000);  // stops after half a second, 250 pixels on
  int travelled = 0;
  int previous_step = 1 << 30;
  int frames = 0;
  while (fling.Moving() && frames < 100) {
    const int step = -fling.Step(16).y;
    EXPECT_LE(step, previous_step + 1);
    previous_step = step;
    travelled += step;
    ++frames;
  }
  EXPECT_NEAR(travelled, 250, 1);
  EXPECT_EQ(frames, 32);
  EXPECT_EQ(fling.Step(16), (Point{0, 0}));
}

}  // namespace
}  // namespace tarvello
