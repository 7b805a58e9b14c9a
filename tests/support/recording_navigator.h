// RecordingNavigator: a Navigator for screen tests. It records every screen change a screen asks
// for, and applies the security a request brings at once (there is no progress window to drop
// it), so that the next and previous security step through the list the test (or the screen) set.
#pragma once

#include <vector>

#include "navigation/browse_state.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"

namespace tarvello::testing {

class RecordingNavigator : public Navigator {
 public:
  std::vector<NavigationRequest> visits;

  void GoTo(int target, int argument) override { visits.push_back({target, argument}); }
  void GoTo(int target, int argument, BrowseChange change) override {
    visits.push_back({target, argument});
    state_.Apply(change);
  }
  bool Navigating() const override { return false; }
  SecurityCode CurrentSecurity() const override { return state_.Current(); }
  bool OpenedFromList() const override { return state_.FromList(); }
  std::optional<SecurityCode> Neighbour(int step) const override { return state_.Neighbour(step); }
  void ToggleKeyboard() override {}
  void AskShortSpell(ShortSpellReceiver&) override {}

  // Makes a security current as a navigation from elsewhere, or from a list, would.
  void Browse(BrowseChange change) { state_.Apply(change); }

 private:
  BrowseState state_;
};

}  // namespace tarvello::testing
