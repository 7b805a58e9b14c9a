// BrowseState: the current security and the list it was opened from, as the Navigator keeps them
// for every screen. Any thread; one mutex guards both fields, so a step never sees the list of one
// screen with the current security of another.
#pragma once

#include <mutex>
#include <optional>
#include <vector>

#include "market/security_code.h"

namespace tarvello {

class BrowseState {
 public:
  SecurityCode Current() const;
  void SetCurrent(const SecurityCode& code);
  void SetList(std::vector<SecurityCode> codes);
  // See Navigator::StepSecurity.
  std::optional<SecurityCode> Step(int step);

 private:
  mutable std::mutex mutex_;
  SecurityCode current_;              // guarded by mutex_
  std::vector<SecurityCode> list_;    // guarded by mutex_
};

}  // namespace tarvello
