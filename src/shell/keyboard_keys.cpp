#include "shell/keyboard_keys.h"

#include <array>

namespace tarvello {
namespace {

constexpr KeyboardKey Char(std::u16string_view c, int row, int cell) {
  return KeyboardKey{c, c, KeyAction::kType, row, cell, cell};
}

constexpr std::u16string_view kDigits = u"0123456789";
constexpr std::u16string_view kRow2 = u"QWERTYUIOP";
constexpr std::u16string_view kRow3 = u"ASDFGHJKL";
constexpr std::u16string_view kRow4 = u"ZXCVBNM";

// Every cell's key in reading order: the single characters, then the keys that do more.
constexpr std::array<KeyboardKey, 41> kKeys = [] {
  std::array<KeyboardKey, 41> keys{};
  std::size_t n = 0;
  const std::u16string_view rows[] = {kDigits, kRow2, kRow3, kRow4};
  for (int row = 0; row < kKeyboardRows; ++row) {
    for (std::size_t i = 0; i < rows[row].size(); ++i) {
      keys[n++] = Char(rows[row].substr(i, 1), row, static_cast<int>(i));
    }
  }
  keys[n++] = KeyboardKey{u"删", u"", KeyAction::kBackspace, 0, 10, 10};
  keys[n++] = KeyboardKey{u"300", u"300", KeyAction::kType, 1, 10, 10};
  keys[n++] = KeyboardKey{u"00", u"00", KeyAction::kType, 2, 9, 9};
  keys[n++] = KeyboardKey{u"600", u"600", KeyAction::kType, 2, 10, 10};
  keys[n++] = KeyboardKey{u"确定", u"", KeyAction::kConfirm, 3, 7, 10};
  return keys;
}();

}  // namespace

std::span<const KeyboardKey> KeyboardKeys() { return kKeys; }

Rect KeyRect(const KeyboardKey& key, const Rect& keys) {
  const int w = keys.Width();
  const int h = keys.Height();
  return Rect{keys.left + key.first_cell * w / kKeyboardCells, keys.top + key.row * h / kKeyboardRows,
              keys.left + (key.last_cell + 1) * w / kKeyboardCells, keys.top + (key.row + 1) * h / kKeyboardRows};
}

std::optional<KeyboardKey> KeyAt(const Rect& keys, Point at) {
  if (!keys.Contains(at)) return std::nullopt;
  for (const KeyboardKey& key : kKeys) {
    if (KeyRect(key, keys).Contains(at)) return key;
  }
  return std::nullopt;
}

}  // namespace tarvello
