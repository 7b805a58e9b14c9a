// CDlgUserData: the user data screen (target 1145): the account summary, the notices of the last
// version check, and the buttons "推荐好友" (the recommendation screen), "检查更新" (the version
// check, on an errand thread: a newer version is offered with its download page, otherwise the
// program is up to date) and "返　回".
// User-interface thread only; the errand only posts a message back.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "account/account_parts.h"
#include "account/errand.h"
#include "account/version_check.h"
#include "platform/window.h"

class QPushButton;

namespace tarvello {

class CDlgUserData : public Window {
 public:
  enum Button { kRecommend = 0, kCheckVersion = 1, kBack = 2 };

  explicit CDlgUserData(AccountParts parts, QWidget* parent = nullptr);

  void Open();
  void Press(Button button);
  bool busy() const { return errand_.busy(); }
  const std::u16string& summary() const { return summary_; }
  SoftKeyCaptions SoftKeys() const override;

 protected:
  void OnMessage(const Message& message) override;
  void OnPaint(Canvas& canvas) override;
  void OnKeyDown(KeyCode key) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CheckVersion();
  void ShowVersion(const std::optional<VersionAnswer>& answer);
  void Layout();
  Rect ButtonRow() const;

  AccountParts parts_;
  std::array<QPushButton*, 3> buttons_{};
  std::u16string summary_;
  Errand<std::optional<VersionAnswer>> errand_;  // last: joined before the rest goes
};

}  // namespace tarvello
