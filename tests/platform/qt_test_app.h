// Test support for the Qt tests: one QApplication for the whole test program (offscreen when no
// platform is chosen) and a way to run the event loop until something has happened.
#pragma once

#include <chrono>
#include <functional>

namespace tarvello::testing {

void EnsureQtApp();
// A fixture's first member, so that the application exists before any widget member.
struct QtApp {
  QtApp() { EnsureQtApp(); }
};
// Processes events until done() holds or the time runs out; returns done().
bool ProcessEventsUntil(const std::function<bool()>& done,
                        std::chrono::milliseconds limit = std::chrono::seconds(10));

}  // namespace tarvello::testing
