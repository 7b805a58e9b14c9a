#include "pen_events.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include "platform/recording_canvas.h"

namespace tarvello::testing {

void Pen(QWidget& window, QEvent::Type type, int x, int y) {
  QMouseEvent event(type, QPointF(x, y), QPointF(x, y), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &event);
}

void Tap(QWidget& window, Point at) {
  Pen(window, QEvent::MouseButtonPress, at.x, at.y);
  Pen(window, QEvent::MouseButtonRelease, at.x, at.y);
}

Point CentreOf(Window& screen, std::u16string_view text) {
  RecordingCanvas canvas(Size{screen.width(), screen.height()});
  screen.PaintOn(canvas);
  const std::optional<DrawCall> call = canvas.FindText(text);
  if (!call) return {-1, -1};
  return {(call->box.left + call->box.right) / 2, (call->box.top + call->box.bottom) / 2};
}

}  // namespace tarvello::testing
