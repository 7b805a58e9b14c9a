#include "platform/window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QThread>
#include <QTimerEvent>
#include <QTouchEvent>
#include <QWheelEvent>
#include <algorithm>
#include <optional>

#include "base/text_metrics.h"
#include "platform/qt_canvas.h"

namespace tarvello {
namespace {

const QEvent::Type kMessageEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

class MessageEvent : public QEvent {
 public:
  explicit MessageEvent(const Message& message, std::optional<unsigned> while_hidden = std::nullopt)
      : QEvent(kMessageEventType), message_(message), while_hidden_(while_hidden) {}
  const Message& message() const { return message_; }
  // Whether a window hidden times so far takes the message.
  bool DeliveredTo(const QWidget& window, unsigned hidden) const {
    return !while_hidden_ || (*while_hidden_ == hidden && window.isVisible());
  }

 private:
  Message message_;
  std::optional<unsigned> while_hidden_;  // delivered only while shown and hidden this many times
};

Point PenPoint(const QSinglePointEvent* event) {
  QPoint p = event->position().toPoint();
  return Point{p.x(), p.y()};
}

// Taken from the screen position, which every touch event carries however it was delivered.
Point TouchPoint(const QWidget& widget, const QEventPoint& point) {
  QPoint p = widget.mapFromGlobal(point.globalPosition()).toPoint();
  return Point{p.x(), p.y()};
}

// A fling's content moves in frames of about 60 a second.
constexpr int kFlingFrameMs = 16;
constexpr int kMostNotches = 10;

}  // namespace

Window::Window(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_AcceptTouchEvents);
}

bool Window::OnOwnThread() const { return QThread::currentThread() == thread(); }

void Window::PostMessage(int id, std::intptr_t wparam, std::intptr_t lparam) {
  QCoreApplication::postEvent(this, new MessageEvent(Message{id, wparam, lparam}));
}

void Window::PostMessageWhileShown(const Message& message, unsigned hidden) {
  QCoreApplication::postEvent(this, new MessageEvent(message, hidden));
}

void Window::SetTimer(unsigned id, unsigned period_ms) {
  if (OnOwnThread()) {
    StartTimerHere(id, period_ms);
  } else {
    QMetaObject::invokeMethod(
        this, [this, id, period_ms] { StartTimerHere(id, period_ms); }, Qt::QueuedConnection);
  }
}

void Window::KillTimer(unsigned id) {
  if (OnOwnThread()) {
    KillTimerHere(id);
  } else {
    QMetaObject::invokeMethod(this, [this, id] { KillTimerHere(id); }, Qt::QueuedConnection);
  }
}

// A worker's request reaches the window after the events queued before it; when a paint of the
// whole window has drawn everything invalidated up to it by then, the request has nothing left to
// show and asks for no second paint.
void Window::Invalidate() { InvalidateAfter(nullptr); }

void Window::InvalidateAfter(std::function<void()> before_paint) {
  const unsigned invalidation = ++invalidations_;
  dirty_ = true;
  if (OnOwnThread()) {
    if (before_paint) before_paint();
    update();
    return;
  }
  QMetaObject::invokeMethod(
      this,
      [this, invalidation, before_paint = std::move(before_paint)] {
        if (before_paint) before_paint();
        if (painted_whole_ < invalidation) update();
      },
      Qt::QueuedConnection);
}

// Only this part is redrawn, unless the whole was invalidated meanwhile.
void Window::Invalidate(const Rect& part) {
  if (!OnOwnThread()) {
    Invalidate();
    return;
  }
  ++invalidations_;
  part_dirty_ = true;
  update(QRect(part.left, part.top, part.Width(), part.Height()));
}

void Window::StartTimerHere(unsigned id, unsigned period_ms) {
  KillTimerHere(id);
  int qt_id = startTimer(static_cast<int>(period_ms));
  if (qt_id != 0) timers_[id] = qt_id;
}

void Window::KillTimerHere(unsigned id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  killTimer(it->second);
  timers_.erase(it);
}

unsigned Window::TrackPopupMenu(const std::vector<MenuItem>& items, Point at, MenuAnchor anchor) {
  const QPoint global = mapToGlobal(QPoint(at.x, at.y));
  const QRect screen = window()->geometry();
  return ActivePrompter().PopupMenu(
      items, MenuPlacement{Point{global.x(), global.y()}, anchor,
                           Rect{screen.left(), screen.top(), screen.left() + screen.width(), screen.top() + screen.height()}});
}

void Window::SoftKeysChanged() {
  if (auto* frame = dynamic_cast<Window*>(window()); frame != nullptr && frame != this) frame->ScreenSoftKeysChanged();
}

void Window::RepeatKey(int count, KeyCode away, KeyCode toward) {
  for (int i = 0; i < count; ++i) OnKeyDown(away);
  for (int i = 0; i > count; --i) OnKeyDown(toward);
}

void Window::OnMessage(const Message&) {}
void Window::OnTimer(unsigned) {}
void Window::OnPaint(Canvas&) {}
void Window::OnKeyDown(KeyCode) {}
void Window::OnPenDown(Point) {}
void Window::OnPenMove(Point) {}
void Window::OnPenUp(Point) {}

void Window::customEvent(QEvent* event) {
  if (event->type() == kMessageEventType) {
    const auto* posted = static_cast<MessageEvent*>(event);
    if (posted->DeliveredTo(*this, times_hidden_.load())) OnMessage(posted->message());
  } else {
    QWidget::customEvent(event);
  }
}

void Window::timerEvent(QTimerEvent* event) {
  if (event->timerId() == fling_timer_.timerId()) {
    FlingFrame();
    return;
  }
  for (const auto& [id, qt_id] : timers_) {
    if (qt_id == event->timerId()) {
      OnTimer(id);
      return;
    }
  }
  QWidget::timerEvent(event);
}

// The window draws straight into the top-level window's backing store, which keeps what was
// drawn until it is drawn over: a second image of the window's own would cost a copy of every
// pixel on every paint. Qt clips the painter to the part the event asks for, which holds every
// part invalidated; that part is filled black first, since the screens draw on black. Only a
// paint of the whole settles a whole invalidation. A held paint draws nothing, and the backing
// store goes on showing what was there, the screen the user came from.
void Window::paintEvent(QPaintEvent* event) {
  if (PaintHeld()) return;
  const unsigned invalidations = invalidations_.load();
  // Whole: all of the window that shows, whatever stands over the rest (a keyboard, a control).
  const bool whole = (visibleRegion() - event->region()).isEmpty();
  if (whole) dirty_ = false;
  part_dirty_ = false;
  QtCanvas canvas(*this);
  if (!PaintsEveryPixel()) {
    for (const QRect& area : event->region()) {
      canvas.FillRect({area.left(), area.top(), area.right() + 1, area.bottom() + 1}, kBlack);
    }
  }
  PaintOn(canvas);
  if (whole) painted_whole_ = invalidations;
}

void Window::hideEvent(QHideEvent* event) {
  ++times_hidden_;
  dirty_ = true;
  QWidget::hideEvent(event);
}

void Window::keyPressEvent(QKeyEvent* event) {
  if (auto key = KeyCodeFromQt(event->key())) {
    OnKeyDown(*key);
  } else {
    QWidget::keyPressEvent(event);
  }
}

void Window::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) PenPressed(PenPoint(event), static_cast<std::int64_t>(event->timestamp()));
}

void Window::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) PenMoved(PenPoint(event), static_cast<std::int64_t>(event->timestamp()));
}

void Window::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) PenReleased(PenPoint(event), static_cast<std::int64_t>(event->timestamp()));
}

void Window::PenPressed(Point at, std::int64_t ms) {
  StopFling();
  gestures_.SetThresholds(GestureThresholds::ForLineHeight(SharedTextMetrics().LineHeight()));
  gestures_.Down(at, ms);
  pen_held_back_ = SwipesAt(at);
  if (!pen_held_back_) OnPenDown(at);
}

void Window::PenMoved(Point at, std::int64_t ms) {
  if (!gestures_.Tracking()) return;
  const Point moved = gestures_.Move(at, ms);
  if (!pen_held_back_) {
    OnPenMove(at);
  } else if (moved != Point{}) {
    OnDrag(moved);
  }
}

void Window::PenReleased(Point at, std::int64_t ms) {
  if (!gestures_.Tracking()) return;
  const Gesture gesture = gestures_.Up(at, ms);
  if (!pen_held_back_) {
    OnPenUp(at);
    return;
  }
  pen_held_back_ = false;
  if (gesture.kind == GestureKind::kTap || gesture.kind == GestureKind::kLongPress) {
    OnPenDown(gesture.from);
    OnPenUp(at);
    return;
  }
  if (!OnSwipe(gesture) || gesture.kind != GestureKind::kFling) return;
  fling_ = FlingMotion(gesture.velocity, GestureThresholds::ForLineHeight(SharedTextMetrics().LineHeight()).deceleration);
  fling_clock_.start();
  fling_timer_.start(kFlingFrameMs, this);
}

void Window::StopFling() {
  fling_.Stop();
  fling_timer_.stop();
}

void Window::FlingFrame() {
  const Point moved = fling_.Step(static_cast<int>(fling_clock_.restart()));
  if (moved != Point{}) OnDrag(moved);
  if (!fling_.Moving()) fling_timer_.stop();
}

void Window::wheelEvent(QWheelEvent* event) {
  // A wheel turned hard still moves a bounded number of steps at once.
  const int notches = std::clamp(wheel_.Add(event->angleDelta().y()), -kMostNotches, kMostNotches);
  const bool zoom = (event->modifiers() & Qt::ControlModifier) != 0;
  if (notches == 0 || OnWheel(notches, zoom, PenPoint(event))) {
    event->accept();
  } else {
    wheel_.Reset();
    event->ignore();
  }
}

bool Window::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
      Touch(*static_cast<QTouchEvent*>(event));
      event->accept();
      return true;
    default:
      return QWidget::event(event);
  }
}

// One finger is the stylus; a second one turns the touch into a pinch until every finger has
// lifted, and the stylus's track is dropped unfinished.
void Window::Touch(const QTouchEvent& touch) {
  const std::int64_t ms = static_cast<std::int64_t>(touch.timestamp());
  const QList<QEventPoint>& points = touch.points();
  const bool ended = touch.type() == QEvent::TouchEnd || touch.type() == QEvent::TouchCancel;
  if (points.size() >= 2 && !ended) {
    const Point a = TouchPoint(*this, points[0]);
    const Point b = TouchPoint(*this, points[1]);
    if (!pinching_) {
      pinching_ = true;
      gestures_.Cancel();
      pen_held_back_ = false;
      StopFling();
      pinch_.Start(a, b);
    } else if (const int steps = pinch_.Move(a, b); steps != 0) {
      OnPinch(steps, pinch_.Centre());
    }
    return;
  }
  if (pinching_ || points.isEmpty()) {
    if (ended) pinching_ = false;
    return;
  }
  const QEventPoint& finger = points.front();
  const Point at = TouchPoint(*this, finger);
  if (touch.type() == QEvent::TouchCancel) {
    gestures_.Cancel();
  } else if (finger.state() == QEventPoint::Pressed) {
    PenPressed(at, ms);
  } else if (finger.state() == QEventPoint::Released) {
    PenReleased(at, ms);
  } else {
    PenMoved(at, ms);
  }
}

}  // namespace tarvello
