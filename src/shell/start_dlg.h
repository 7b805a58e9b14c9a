// CStartDlg: the start dialog. It is what the user sees when the main screen could not bring the
// network up: the no-network text, the carrier choice and the buttons "拨号" (set up the chosen
// carrier's connection and start the main screen again), "不拨号" (start it again as it is) and
// "退出". Two more buttons, "服务器" and "接入点", switch the combo box to the server list or the
// access point list and back (StartChoiceLists). The combo box and buttons are Qt widgets styled
// to the dark screen.
// User-interface thread only.
#pragma once

#include <functional>
#include <string_view>

#include "platform/window.h"
#include "shell/start_choice_lists.h"

class QComboBox;
class QPushButton;

namespace tarvello {

struct StartChoices {
  std::function<void(int carrier)> dial;  // 0 China Mobile, 1 China Unicom, 2 China Telecom
  std::function<void()> no_dial;
  std::function<void()> exit;
};

class CStartDlg : public Window {
 public:
  static constexpr std::u16string_view kNoNetworkText =
      u"当前没有可用的网络，请确保手机未欠费，选择正确的运营商进行拨号!";

  explicit CStartDlg(StartChoices choices, QWidget* parent = nullptr);

  // Shows or hides the no-network text (shown after a failed start).
  void SetNoNetwork(bool shown);
  bool no_network() const { return no_network_; }
  int carrier() const;
  // Presses a button as the user would: 0 "拨号", 1 "不拨号", 2 "退出", 3 "服务器", 4 "接入点".
  void Press(int button);
  StartChoiceLists::List shown_list() const { return lists_.shown(); }

 protected:
  void OnPaint(Canvas& canvas) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Layout();
  void FillList();
  Rect TextArea() const;

  StartChoices choices_;
  bool no_network_ = false;
  StartChoiceLists lists_;
  QComboBox* carriers_;
  QPushButton* buttons_[5];
};

}  // namespace tarvello
