// CDlgRecommendFriend: the screen "推荐好友" (target 1148). The user types friends' mobile
// numbers, or picks them from the phone book ("电话薄" lists the contacts; choosing one is the
// pick, which adds its number to the line), and "确认" checks and sends them as request 2908 on
// an errand thread; every outcome ends in a message box.
// User-interface thread only; the errand only posts a message back.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "account/account_parts.h"
#include "account/errand.h"
#include "platform/window.h"

class QLineEdit;
class QPushButton;

namespace tarvello {

class CDlgRecommendFriend : public Window {
 public:
  enum Button { kPhoneBook = 0, kSend = 1 };

  explicit CDlgRecommendFriend(AccountParts parts, QWidget* parent = nullptr);

  void Open();
  void Press(Button button);
  void Type(const std::u16string& text);
  std::u16string Text() const;
  bool busy() const { return errand_.busy(); }
  SoftKeyCaptions SoftKeys() const override;

 protected:
  void OnMessage(const Message& message) override;
  void OnPaint(Canvas& canvas) override;
  void OnKeyDown(KeyCode key) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PickFromPhoneBook();
  void Send();
  void Layout();
  Rect PromptArea() const;

  AccountParts parts_;
  QLineEdit* numbers_;
  std::array<QPushButton*, 2> buttons_{};
  Errand<std::optional<std::uint8_t>> errand_;  // last: joined before the rest goes
};

}  // namespace tarvello
