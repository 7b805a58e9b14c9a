// Window: the handheld's window over a QWidget, so that screen code reads like the behaviour it
// implements. Messages are posted by number with two parameters; timers are kept by number; the
// screen paints on a Canvas in logical pixels, straight into the top-level window's backing store,
// after Invalidate and whenever Qt asks for a part of it. Keys arrive as the
// handheld's key codes; the mouse's left button and a single finger are the stylus (pen down,
// move, up). Beyond the stylus a screen may take gestures: swipes and flings over the parts it
// names, the mouse wheel, and two fingers pinching; the recognizer that tells them from taps lives
// in base/gesture_recognizer.h.
//
// Thread rules: PostMessage, SetTimer, KillTimer and Invalidate may be called from any thread
// (work for the user-interface thread is posted to it). Everything else, and every handler, runs
// on the user-interface thread. Workers that call in must be stopped before the window is
// destroyed.
#pragma once

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/fling_motion.h"
#include "base/geometry.h"
#include "base/gesture_recognizer.h"
#include "base/gesture_steps.h"
#include "base/message.h"
#include "platform/keys.h"
#include "platform/prompter.h"

class QTouchEvent;

namespace tarvello {

class Canvas;

// The captions of the two soft keys while a screen is in front; an empty caption leaves its key
// unlabelled.
struct SoftKeyCaptions {
  std::u16string left;
  std::u16string right;
  friend bool operator==(const SoftKeyCaptions&, const SoftKeyCaptions&) = default;
};

class Window : public QWidget {
 public:
  explicit Window(QWidget* parent = nullptr);

  void PostMessage(int id, std::intptr_t wparam, std::intptr_t lparam);
  // How many times the window has been hidden: a screen left counts one more. Any thread.
  unsigned times_hidden() const { return times_hidden_.load(); }
  // Posts message, delivered only if the window is shown when it arrives and has not been hidden
  // since times_hidden() read hidden: what an answer asks for after the user left the screen,
  // even to come back to it, counts for nothing. Any thread.
  void PostMessageWhileShown(const Message& message, unsigned hidden);
  // Starts (or restarts) timer id with the given period.
  void SetTimer(unsigned id, unsigned period_ms);
  void KillTimer(unsigned id);
  void Invalidate();
  // Invalidate, with before_paint run on the window's thread first: from another thread both go
  // in one queued call, so the window's thread takes one event for them, not two.
  void InvalidateAfter(std::function<void()> before_paint);
  // Repaints only part of the window: what the windows over the rest show stays as it is. From
  // another thread, the whole.
  void Invalidate(const Rect& part);

  bool HasTimer(unsigned id) const { return timers_.count(id) != 0; }
  // Whether what the window shows was drawn after its last Invalidate (benchmarks wait for it).
  bool Painted() const { return !dirty_ && !part_dirty_; }
  Rect ClientRect() const { return Rect{0, 0, width(), height()}; }
  // Runs the paint handler on canvas; tests pass a RecordingCanvas.
  void PaintOn(Canvas& canvas) {
    OnPaint(canvas);
    OnPaintOver(canvas);
  }
  // Delivers a handheld key as if pressed (the frame's soft-key bar, tests, the tour).
  void SendKey(KeyCode key) { OnKeyDown(key); }
  // Shows items as a pop-up menu at a point of this window through the active prompter, kept
  // inside the device's screen (the top-level window). A menu opened from a bottom bar stands
  // on the bar's top edge (kBottomLeft) so that it covers neither the bar nor the screen's end.
  unsigned TrackPopupMenu(const std::vector<MenuItem>& items, Point at, MenuAnchor anchor = MenuAnchor::kTopLeft);
  // What the soft keys do on this screen, as the device frame shows it; none by default.
  virtual SoftKeyCaptions SoftKeys() const { return {}; }
  // Whether this window, while shown over the screen in front (the code keyboard over every
  // screen, the batch panel over the list), takes the handheld keys from it; no by default.
  virtual bool HoldsKeys() const { return false; }

 protected:
  virtual void OnMessage(const Message& message);
  virtual void OnTimer(unsigned id);
  // Paints the window on a canvas already filled black, unless PaintsEveryPixel.
  virtual void OnPaint(Canvas& canvas);
  // Whether OnPaint sets every pixel of the window itself: the black fill before it would only be
  // painted over, and on a screen-sized window costs a tenth of a millisecond. No by default.
  virtual bool PaintsEveryPixel() const { return false; }
  // Whether a paint now would only draw what is about to change: the window then keeps what the
  // screen shows under it and is painted when it asks again. No by default.
  virtual bool PaintHeld() const { return false; }
  // Drawn over what OnPaint drew; nothing by default.
  virtual void OnPaintOver(Canvas&) {}
  virtual void OnKeyDown(KeyCode key);
  virtual void OnPenDown(Point at);
  virtual void OnPenMove(Point at);
  virtual void OnPenUp(Point at);
  // Whether a track that starts at this point may be a swipe. There the pen's down and up reach
  // the screen only once the track is known to be a tap (or a long press); a drag comes as OnDrag
  // while it moves and as OnSwipe when it ends. Elsewhere the pen reaches the screen as it moves.
  // No point by default.
  virtual bool SwipesAt(Point) const { return false; }
  // The movement of a drag since the last one, and after a fling the content's own movement.
  virtual void OnDrag(Point) {}
  // A drag or fling has ended; returns whether the content goes on moving (a fling's OnDrag
  // movements follow until it stops). No by default.
  virtual bool OnSwipe(const Gesture&) { return false; }
  // Wheel notches at a point: positive turned away from the user; zoom when Ctrl is held.
  // Returns whether the screen used them; those it leaves go to the window it stands in.
  virtual bool OnWheel(int, bool /*zoom*/, Point) { return false; }
  // Two fingers apart (+1 a step) or together (-1 a step) around a point.
  virtual void OnPinch(int, Point) {}
  // Sends away once for each step of count above zero and toward once for each step below it, so
  // that wheel notches and pinch steps do what the screen's keys do.
  void RepeatKey(int count, KeyCode away, KeyCode toward);
  // Tells the top-level window this one is shown in (the device frame) that SoftKeys changed.
  void SoftKeysChanged();
  // The screen in front says its soft keys changed; a frame redraws them, others redraw whole.
  virtual void ScreenSoftKeysChanged() { Invalidate(); }

  void customEvent(QEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  // A hidden window is drawn afresh when it shows again.
  void hideEvent(QHideEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool event(QEvent* event) override;

 private:
  bool OnOwnThread() const;
  void StartTimerHere(unsigned id, unsigned period_ms);
  void KillTimerHere(unsigned id);
  void PenPressed(Point at, std::int64_t ms);
  void PenMoved(Point at, std::int64_t ms);
  void PenReleased(Point at, std::int64_t ms);
  void Touch(const QTouchEvent& touch);
  void StopFling();
  void FlingFrame();

  std::map<unsigned, int> timers_;  // user-interface thread only: our id -> Qt timer id
  std::atomic<bool> dirty_{true};   // the whole window waits for a paint
  std::atomic<unsigned> invalidations_{0};  // how many times the window was invalidated
  unsigned painted_whole_ = 0;  // user-interface thread: invalidations_ as of the last whole paint
  std::atomic<unsigned> times_hidden_{0};
  bool part_dirty_ = false;  // user-interface thread: a part invalidated alone waits for a paint
  // User-interface thread only, as are the members below: the stylus's track and what it became.
  GestureRecognizer gestures_;
  bool pen_held_back_ = false;  // the track started where the screen takes swipes
  bool pinching_ = false;       // two fingers are down; the pen waits for all of them to lift
  PinchSteps pinch_;
  StepAccumulator wheel_{kWheelNotch};
  FlingMotion fling_;
  QBasicTimer fling_timer_;
  QElapsedTimer fling_clock_;
};

}  // namespace tarvello
