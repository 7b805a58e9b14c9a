// ScreenTour: visits the terminal's screens one after the other and saves one PNG of the frame per
// screen, for the README's pictures and for tests that look at what a screen shows. Each stop
// brings its screen up, the tour runs the event loop until the stop says its data has arrived (or
// a time limit passes), then saves "<dir>/<name>.png" in one piece (written beside and renamed).
// User-interface thread only.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace tarvello {

class ScreenTour {
 public:
  static constexpr std::chrono::milliseconds kDataTimeLimit{10000};

  // ready: true once the screen shows its data; none means at once.
  void AddStop(std::string name, std::function<void()> enter,
               std::function<bool()> ready = nullptr);
  // Saves every stop's picture of target into dir (created when missing). Returns the number of
  // pictures saved, or -1 when one could not be written. A stop whose data did not arrive in
  // time is saved as it stands and named on standard error.
  int Run(QWidget& target, const std::string& dir) const;

 private:
  struct Stop {
    std::string name;
    std::function<void()> enter;
    std::function<bool()> ready;
  };
  std::vector<Stop> stops_;
};

}  // namespace tarvello
