#include "account/login_keyboard.h"

namespace tarvello {

namespace {

constexpr std::u16string_view kSmall = u"abcdefghijklmnopqrstuvwxyz#*%/:;@_.!";
constexpr std::u16string_view kCapitals = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr int kCharacterKeys = 36;

}  // namespace

std::u16string_view KeyboardCharacters(KeyboardMode mode) {
  return mode == KeyboardMode::kSmall ? kSmall : kCapitals;
}

std::u16string_view SwitchModeCaption(KeyboardMode mode) {
  return mode == KeyboardMode::kSmall ? u"ABC/123" : u"abc/#*";
}

Rect KeyboardKeyRect(const Rect& area, int key) {
  const int width = area.Width();
  const int height = area.Height();
  auto column_edge = [&](int column) { return area.left + width * column / kKeyboardColumns; };
  auto row_edge = [&](int row) { return area.top + height * row / kLoginKeyboardRows; };
  if (key < kCharacterKeys) {
    const int row = key / kKeyboardColumns;
    const int column = key % kKeyboardColumns;
    return Rect{column_edge(column), row_edge(row), column_edge(column + 1), row_edge(row + 1)};
  }
  // The last row: the mode key over the left half, the delete key over the right.
  const int middle = area.left + width / 2;
  const int top = row_edge(kLoginKeyboardRows - 1);
  return key == kCharacterKeys ? Rect{area.left, top, middle, area.bottom} : Rect{middle, top, area.right, area.bottom};
}

std::optional<LoginKey> KeyboardKeyAt(const Rect& area, Point at, KeyboardMode mode) {
  for (int key = 0; key < kKeyboardKeys; ++key) {
    if (!KeyboardKeyRect(area, key).Contains(at)) continue;
    if (key < kCharacterKeys) return LoginKey{LoginKey::Kind::kCharacter, KeyboardCharacters(mode)[key]};
    return LoginKey{key == kCharacterKeys ? LoginKey::Kind::kSwitchMode : LoginKey::Kind::kDelete, 0};
  }
  return std::nullopt;
}

}  // namespace tarvello
