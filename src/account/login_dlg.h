// CDlgLogin: the login form (target 1146, and 1147 to switch to another user with empty fields).
// It shows the account summary, the user name and password lines, the buttons "注　册",
// "返　回" and "注  销", the hint, and an on-screen keyboard of two modes whose taps type into
// the line that last had the focus. The left soft key (and Enter) logs in: the exchange runs on
// an errand thread, and its outcome is shown in a message box; an accepted login is stored and,
// after the user's Yes to the congratulation, the form opens itself again (as 1126 with 1146) so
// that it shows the new summary. "注  销" asks and then clears the stored account; "注　册"
// offers the registration page and opens it in the browser.
// User-interface thread only; the errand only posts a message back.
#pragma once

#include <array>
#include <string>

#include "account/account_login.h"
#include "account/account_parts.h"
#include "account/errand.h"
#include "account/login_keyboard.h"
#include "platform/window.h"

class QLineEdit;
class QPushButton;

namespace tarvello {

class CDlgLogin : public Window {
 public:
  enum Button { kRegister = 0, kBack = 1, kLogout = 2 };
  enum Field { kUser = 0, kPassword = 1 };

  explicit CDlgLogin(AccountParts parts, QWidget* parent = nullptr);

  // Shows the form for target 1146 (the stored name filled in) or 1147 (both lines empty).
  void Open(int target);
  void Press(Button button);
  // Logs in with the lines' texts; false while a login is under way.
  bool SubmitLogin();
  void Type(Field field, const std::u16string& text);
  std::u16string Text(Field field) const;
  std::u16string summary() const { return summary_; }
  KeyboardMode keyboard_mode() const { return mode_; }
  bool busy() const { return errand_.busy(); }
  Rect KeyboardArea() const;
  // A stylus tap, as the pen would give it (tests and the tour).
  void Tap(Point at) { OnPenDown(at); }
  SoftKeyCaptions SoftKeys() const override;

 protected:
  void OnMessage(const Message& message) override;
  void OnPaint(Canvas& canvas) override;
  void OnKeyDown(KeyCode key) override;
  void OnPenDown(Point at) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Areas {
    Rect summary;
    std::array<Rect, 2> labels;
    Rect buttons;
    Rect hint;
    Rect keyboard;
  };
  Areas AreasNow() const;
  void Layout();
  void ShowOutcome(const LoginOutcome& outcome, const StoredAccount& typed);
  void Logout();
  void OfferRegistration();
  void PressKey(const LoginKey& key);
  void RefreshSummary();
  void PaintKeyboard(Canvas& canvas, const Rect& area);

  AccountParts parts_;
  std::array<QLineEdit*, 2> fields_{};
  std::array<QPushButton*, 3> buttons_{};
  Field focused_ = kUser;
  bool switching_ = false;  // opened as "切换用户注册": an accepted login asks nothing
  KeyboardMode mode_ = KeyboardMode::kSmall;
  std::u16string summary_;
  StoredAccount sent_;  // what the login under way sent
  Errand<LoginOutcome> errand_;  // last: joined before the rest goes
};

}  // namespace tarvello
