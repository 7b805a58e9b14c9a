// Key codes of the handheld's keypad as screens receive them in OnKeyDown: the virtual-key numbers
// of the handheld (arrows, Enter, the two soft keys, Back), digits and letters as their upper-case
// character codes. The desktop keys that stand in for them are mapped by KeyCodeFromQt.
#pragma once

#include <optional>

namespace tarvello {

using KeyCode = unsigned;

inline constexpr KeyCode kKeyEnter = 0x0D;
inline constexpr KeyCode kKeyBack = 0x1B;  // Esc: back, or exit on the main screen
inline constexpr KeyCode kKeyLeft = 0x25;
inline constexpr KeyCode kKeyUp = 0x26;
inline constexpr KeyCode kKeyRight = 0x27;
inline constexpr KeyCode kKeyDown = 0x28;
inline constexpr KeyCode kKeySoftLeft = 0x70;   // F1
inline constexpr KeyCode kKeySoftRight = 0x71;  // F2
// Entering figures: the erase key before the cursor, the decimal point and the minus sign.
inline constexpr KeyCode kKeyErase = 0x08;  // Backspace
inline constexpr KeyCode kKeyPoint = u'.';
inline constexpr KeyCode kKeyMinus = u'-';

// The handheld key for a Qt key number (Qt::Key), or nothing for keys the handheld lacks.
std::optional<KeyCode> KeyCodeFromQt(int qt_key);

}  // namespace tarvello
