// The login form's on-screen keyboard: two modes of 36 character keys (26 small letters with
// "#*%/:;@_.!", or 26 capitals with the ten digits) in rows of 9, and a last row with the key
// that switches modes and the key that deletes the character before the cursor. The layout is
// laid over a rectangle of the form; a tap maps to the key under it. Pure functions, any thread.
#pragma once

#include <optional>
#include <string_view>

#include "base/geometry.h"

namespace tarvello {

enum class KeyboardMode { kSmall, kCapitals };

struct LoginKey {
  enum class Kind { kCharacter, kSwitchMode, kDelete };
  Kind kind = Kind::kCharacter;
  char16_t character = 0;  // kCharacter
  friend bool operator==(const LoginKey&, const LoginKey&) = default;
};

inline constexpr int kKeyboardColumns = 9;
inline constexpr int kLoginKeyboardRows = 5;  // four rows of characters, then the mode and delete keys

// The 36 characters of a mode in key order.
std::u16string_view KeyboardCharacters(KeyboardMode mode);
// The rectangle of key i (0-35 characters, 36 mode switch, 37 delete) within area.
Rect KeyboardKeyRect(const Rect& area, int key);
// The caption of the mode key and the delete key.
std::u16string_view SwitchModeCaption(KeyboardMode mode);
inline constexpr std::u16string_view kDeleteCaption = u"删除";
// The key under a tap, if any.
std::optional<LoginKey> KeyboardKeyAt(const Rect& area, Point at, KeyboardMode mode);

inline constexpr int kKeyboardKeys = 38;

}  // namespace tarvello
