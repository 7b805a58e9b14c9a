#include "qt_test_app.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QThread>
#include <cstdlib>

namespace tarvello::testing {

void EnsureQtApp() {
  if (QApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives until the test program ends
}

bool ProcessEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
  return true;
}

namespace {

void SendPen(QWidget& widget, QEvent::Type type, int x, int y) {
  const QPointF at(x, y);
  QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton,
                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

}  // namespace

void PressAt(QWidget& widget, int x, int y) { SendPen(widget, QEvent::MouseButtonPress, x, y); }

void TapAt(QWidget& widget, int x, int y) {
  PressAt(widget, x, y);
  SendPen(widget, QEvent::MouseButtonRelease, x, y);
}

}  // namespace tarvello::testing
