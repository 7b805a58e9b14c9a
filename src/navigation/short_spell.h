// ShortSpellReceiver: a screen that asks the code keyboard for the initials of a name receives
// the letters the user typed here when "确定" is pressed, instead of a security search. The
// broker directory finds branch offices this way.
//
// Called on the user-interface thread.
#pragma once

#include <string_view>

namespace tarvello {

class ShortSpellReceiver {
 public:
  virtual ~ShortSpellReceiver() = default;
  virtual void OnShortSpell(std::u16string_view initials) = 0;
};

}  // namespace tarvello
