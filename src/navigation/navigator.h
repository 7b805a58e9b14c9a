// Navigator: what a screen may ask of the screen that owns every screen, without knowing any other
// screen's class: go to a target with an argument, the security the data screens show, and the
// neighbours of that security in the list it was opened from. The main screen implements it; a
// screen receives a Navigator* when the program is put together.
//
// A request that the main screen drops (a second tap while a navigation runs) changes nothing:
// the security and the list a request brings become current only when its navigation runs.
//
// Every call is safe from any thread.
#pragma once

#include <optional>

#include "market/security_code.h"
#include "navigation/browse_state.h"
#include "navigation/short_spell.h"

namespace tarvello {

class Navigator {
 public:
  virtual ~Navigator() = default;

  // Asks for the target's screen with the argument (message 2026), on the security now current.
  // The request is dropped while the progress window is up, as a double tap must not queue two
  // screen changes.
  virtual void GoTo(int target, int argument) = 0;
  // The same, for a screen that shows another security: the change takes effect when the
  // navigation runs, and not at all when it is dropped.
  virtual void GoTo(int target, int argument, BrowseChange change) = 0;

  // Whether a navigation or a screen's exchange holds the progress window up now, so that a GoTo
  // would be dropped. User-interface thread only.
  virtual bool Navigating() const = 0;

  virtual SecurityCode CurrentSecurity() const = 0;
  // Whether the current security was opened from a list: its screens step through that list and
  // go back to it; one opened from elsewhere goes back to the recently viewed list.
  virtual bool OpenedFromList() const = 0;
  // The security step places away from the current one in its list (wrapping at the ends); none
  // when it was not opened from a list. Changes nothing: a step is a GoTo with BrowseChange::Step.
  virtual std::optional<SecurityCode> Neighbour(int step) const = 0;

  // Shows the code keyboard over the current screen, or hides it when it is up (the keyboard
  // spot of the data screens and the main menu's keyboard key).
  virtual void ToggleKeyboard() = 0;
  // Shows the keyboard in short-spell mode; "确定" hands the typed initials to the receiver,
  // which must stay alive while the keyboard is up.
  virtual void AskShortSpell(ShortSpellReceiver& receiver) = 0;
};

}  // namespace tarvello
