// RecordingNavigator: a Navigator for screen tests. It records every screen change and step a
// screen asks for and every keyboard request, and keeps a real browse state, so that the next
// and previous security step through the list the test (or the screen) set.
#pragma once

#include <vector>

#include "navigation/browse_state.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"

namespace tarvello::testing {

class RecordingNavigator : public Navigator {
 public:
  std::vector<NavigationRequest> visits;
  std::vector<int> steps;
  std::vector<SecurityCode> browse;  // the last list a screen set
  int keyboard_toggles = 0;
  std::vector<ShortSpellReceiver*> short_spell_asks;

  void GoTo(int target, int argument) override { visits.push_back({target, argument}); }
  SecurityCode CurrentSecurity() const override { return state_.Current(); }
  void SetCurrentSecurity(const SecurityCode& code) override { state_.SetCurrent(code); }
  void SetBrowseList(std::vector<SecurityCode> codes) override {
    browse = codes;
    state_.SetList(std::move(codes));
  }
  std::optional<SecurityCode> StepSecurity(int step) override {
    steps.push_back(step);
    return state_.Step(step);
  }
  void ToggleKeyboard() override { ++keyboard_toggles; }
  void AskShortSpell(ShortSpellReceiver& receiver) override { short_spell_asks.push_back(&receiver); }

 private:
  BrowseState state_;
};

}  // namespace tarvello::testing
