// Navigator: what a screen may ask of the screen that owns every screen, without knowing any other
// screen's class: go to a target with an argument, the security the data screens show, and the
// neighbours of that security in the list it was opened from. The main screen implements it; a
// screen receives a Navigator* when the program is put together.
//
// Every call is safe from any thread.
#pragma once

#include <optional>
#include <vector>

#include "market/security_code.h"
#include "navigation/short_spell.h"

namespace tarvello {

class Navigator {
 public:
  virtual ~Navigator() = default;

  // Asks for the target's screen with the argument (message 2026). The request is dropped while
  // the progress window is up, as a double tap must not queue two screen changes.
  virtual void GoTo(int target, int argument) = 0;

  virtual SecurityCode CurrentSecurity() const = 0;
  virtual void SetCurrentSecurity(const SecurityCode& code) = 0;

  // The list the user opens securities from, in screen order; the next and previous security
  // step through it.
  virtual void SetBrowseList(std::vector<SecurityCode> codes) = 0;
  // Makes the security step places away in the browse list (wrapping at its ends) current and
  // returns it; none, and nothing changes, when the current security is not in that list.
  virtual std::optional<SecurityCode> StepSecurity(int step) = 0;

  // Shows the code keyboard over the current screen, or hides it when it is up (the keyboard
  // spot of the data screens and the main menu's keyboard key).
  virtual void ToggleKeyboard() = 0;
  // Shows the keyboard in short-spell mode; "确定" hands the typed initials to the receiver,
  // which must stay alive while the keyboard is up.
  virtual void AskShortSpell(ShortSpellReceiver& receiver) = 0;
};

}  // namespace tarvello
