// The login form's keyboard: the characters of each mode, and every key's own rectangle maps a
// tap back to that key.
#include <gtest/gtest.h>

#include <set>

#include "account/login_keyboard.h"

namespace tarvello {
namespace {

TEST(LoginKeyboardTest, EachModeOffersItsCharactersAndEveryKeyAnswersItsTap) {
  const Rect area{0, 200, 240, 290};
  const std::pair<KeyboardMode, std::u16string_view> modes[] = {
      {KeyboardMode::kSmall, u"abcdefghijklmnopqrstuvwxyz#*%/:;@_.!"},
      {KeyboardMode::kCapitals, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"}};
  for (const auto& [mode, characters] : modes) {
    EXPECT_EQ(KeyboardCharacters(mode), characters);
    std::set<char16_t> typed;
    for (int key = 0; key < kKeyboardKeys; ++key) {
      const Rect box = KeyboardKeyRect(area, key);
      const std::optional<LoginKey> hit = KeyboardKeyAt(area, Point{(box.left + box.right) / 2, (box.top + box.bottom) / 2}, mode);
      ASSERT_TRUE(hit.has_value()) << key;
      if (key < 36) {
        EXPECT_EQ(hit->kind, LoginKey::Kind::kCharacter);
        typed.insert(hit->character);
      } else {
        EXPECT_EQ(hit->kind, key == 36 ? LoginKey::Kind::kSwitchMode : LoginKey::Kind::kDelete);
      }
    }
    EXPECT_EQ(typed.size(), 36u);
  }
  EXPECT_FALSE(KeyboardKeyAt(area, Point{10, 100}, KeyboardMode::kSmall).has_value());
}

}  // namespace
}  // namespace tarvello
