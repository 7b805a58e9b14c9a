#include "platform/window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QThread>
#include <QTimerEvent>

#include "platform/qt_canvas.h"

namespace tarvello {
namespace {

const QEvent::Type kMessageEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

class MessageEvent : public QEvent {
 public:
  explicit MessageEvent(const Message& message) : QEvent(kMessageEventType), message_(message) {}
  const Message& message() const { return message_; }

 private:
  Message message_;
};

Point PenPoint(const QMouseEvent* event) {
  QPoint p = event->position().toPoint();
  return Point{p.x(), p.y()};
}

}  // namespace

Window::Window(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

bool Window::OnOwnThread() const { return QThread::currentThread() == thread(); }

void Window::PostMessage(int id, std::intptr_t wparam, std::intptr_t lparam) {
  QCoreApplication::postEvent(this, new MessageEvent(Message{id, wparam, lparam}));
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

void Window::Invalidate() {
  dirty_ = true;
  if (OnOwnThread()) {
    update();
  } else {
    QMetaObject::invokeMethod(this, [this] { update(); }, Qt::QueuedConnection);
  }
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
  if (auto* frame = dynamic_cast<Window*>(window()); frame != nullptr && frame != this) frame->Invalidate();
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
    OnMessage(static_cast<MessageEvent*>(event)->message());
  } else {
    QWidget::customEvent(event);
  }
}

void Window::timerEvent(QTimerEvent* event) {
  for (const auto& [id, qt_id] : timers_) {
    if (qt_id == event->timerId()) {
      OnTimer(id);
      return;
    }
  }
  QWidget::timerEvent(event);
}

void Window::RenderCache() {
  qreal ratio = devicePixelRatioF();
  QSize pixels = size() * ratio;
  if (cache_.size() != pixels) cache_ = QImage(pixels, QImage::Format_RGB32);
  cache_.setDevicePixelRatio(ratio);
  cache_.fill(Qt::black);
  QtCanvas canvas(cache_);
  PaintOn(canvas);
}

void Window::paintEvent(QPaintEvent*) {
  bool stale = cache_.size() != size() * devicePixelRatioF();
  if (dirty_.exchange(false) || stale) RenderCache();
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), cache_);
}

void Window::keyPressEvent(QKeyEvent* event) {
  if (auto key = KeyCodeFromQt(event->key())) {
    OnKeyDown(*key);
  } else {
    QWidget::keyPressEvent(event);
  }
}

void Window::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnPenDown(PenPoint(event));
}

void Window::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) OnPenMove(PenPoint(event));
}

void Window::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnPenUp(PenPoint(event));
}

}  // namespace tarvello
