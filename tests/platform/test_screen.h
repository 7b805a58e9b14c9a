// A small screen for the kernel's tests: a quote header and a record of every message, timer
// tick, key and pen event it received.
#pragma once

#include <QPaintEvent>
#include <QRegion>
#include <string>
#include <utility>
#include <vector>

#include "platform/canvas.h"
#include "platform/picture.h"
#include "platform/window.h"

namespace tarvello::testing {

class TestScreen : public Window {
 public:
  std::vector<Message> messages;
  std::vector<unsigned> ticks;
  std::vector<KeyCode> keys;
  std::vector<std::string> pen;  // "down x y", "move x y", "up x y", and the gestures below
  int swipes_below = 1 << 30;    // tracks that start at or below this line may be swipes
  bool takes_wheel = true;
  int paint_events = 0;  // the paints Qt asked for
  QRegion painted;       // the part the last of them drew
  bool one_shot_timers = false;
  SoftKeyCaptions captions;
  bool holds_keys = false;

  SoftKeyCaptions SoftKeys() const override { return captions; }
  bool HoldsKeys() const override { return holds_keys; }
  void ChangeSoftKeys(SoftKeyCaptions changed) {
    captions = std::move(changed);
    SoftKeysChanged();
  }

 protected:
  void OnPaint(Canvas& canvas) override;
  void paintEvent(QPaintEvent* event) override {
    ++paint_events;
    painted = event->region();
    Window::paintEvent(event);
  }
  void OnMessage(const Message& message) override { messages.push_back(message); }
  void OnTimer(unsigned id) override;
  void OnKeyDown(KeyCode key) override { keys.push_back(key); }
  void OnPenDown(Point at) override { Note("down", at); }
  void OnPenMove(Point at) override { Note("move", at); }
  void OnPenUp(Point at) override { Note("up", at); }
  bool SwipesAt(Point at) const override { return at.y >= swipes_below; }
  void OnDrag(Point moved) override { Note("drag", moved); }
  bool OnSwipe(const Gesture& swipe) override;
  bool OnWheel(int notches, bool zoom, Point at) override;
  void OnPinch(int steps, Point centre) override { Note(steps > 0 ? "apart" : "together", centre); }

 private:
  void Note(const char* what, Point at);
  Picture missing_ = Picture::Load("Picture/not-there.png");
};

}  // namespace tarvello::testing
