// Test support for the Qt tests: one QApplication for the whole test program (offscreen when no
// platform is chosen), a way to run the event loop until something has happened, and stylus
// touches sent to a widget as the pen would send them. Call from the user-interface thread only.
#pragma once

#include <chrono>
#include <functional>

class QWidget;

namespace tarvello::testing {

void EnsureQtApp();
// A fixture's first member, so that the application exists before any widget member.
struct QtApp {
  QtApp() { EnsureQtApp(); }
};
// Processes events until done() holds or the time runs out; returns done().
bool ProcessEventsUntil(const std::function<bool()>& done,
                        std::chrono::milliseconds limit = std::chrono::seconds(10));
// A left-button (stylus) press at a point of the widget; TapAt lifts the pen there again.
void PressAt(QWidget& widget, int x, int y);
void TapAt(QWidget& widget, int x, int y);

}  // namespace tarvello::testing
