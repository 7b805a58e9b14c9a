#include "test_screen.h"

namespace tarvello::testing {

void TestScreen::OnPaint(Canvas& canvas) {
  Rect client = ClientRect();
  int line = canvas.Metrics().LineHeight();
  canvas.FillRect(client, kBlack);
  canvas.DrawPicture(missing_, Rect{0, 0, client.right, line});
  canvas.SetTextColor(0x0000FF);
  canvas.DrawText(u"12.34", Rect{0, 0, client.right / 2, line}, kTextLeft | kTextSingleLine);
  canvas.SetTextColor(0x00FFFF);
  canvas.DrawText(u"成交量", Rect{client.right / 2, 0, client.right, line},
                  kTextRight | kTextSingleLine);
}

void TestScreen::OnTimer(unsigned id) {
  ticks.push_back(id);
  if (one_shot_timers) KillTimer(id);
}

bool TestScreen::OnSwipe(const Gesture& swipe) {
  pen.push_back((swipe.kind == GestureKind::kFling ? "fling " : "swipe ") + std::to_string(swipe.PageStep()));
  return false;
}

bool TestScreen::OnWheel(int notches, bool zoom, Point at) {
  Note(zoom ? "zoom" : "wheel", Point{notches, at.y});
  return takes_wheel;
}

void TestScreen::Note(const char* what, Point at) {
  pen.push_back(std::string(what) + " " + std::to_string(at.x) + " " + std::to_string(at.y));
}

}  // namespace tarvello::testing
