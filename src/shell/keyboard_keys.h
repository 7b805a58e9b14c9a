// The keys of the code keyboard: four rows of eleven equal cells, each row one and a half text
// lines high. Row 1 holds the digits and backspace ("删"); rows 2 and 3 the letters with "300",
// "00" and "600", which type three or two characters at once; row 4 the last letters and "确定"
// over its four right-hand cells. KeyAt finds the key under a point of the key area. Constant
// tables and pure functions; safe from any thread.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "base/geometry.h"

namespace tarvello {

enum class KeyAction { kType, kBackspace, kConfirm };

struct KeyboardKey {
  std::u16string_view caption;
  std::u16string_view typed;  // what a kType key sends to the edit line
  KeyAction action = KeyAction::kType;
  int row = 0;         // 0-3
  int first_cell = 0;  // 0-10
  int last_cell = 0;
};

inline constexpr int kKeyboardRows = 4;
inline constexpr int kKeyboardCells = 11;

std::span<const KeyboardKey> KeyboardKeys();
// The key's rectangle inside the key area.
Rect KeyRect(const KeyboardKey& key, const Rect& keys);
// The key under at, or none (outside the area, or an empty cell).
std::optional<KeyboardKey> KeyAt(const Rect& keys, Point at);

}  // namespace tarvello
