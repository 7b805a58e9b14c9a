// CAlertsPageDlg: the alerts page ("预警设置", target kTargetAlerts). It opens on the current
// security with its four conditions, each with an entry for the figure, and lists every alert of
// the book below. Digits, point and minus come from the keypad or from the on-screen keys;
// "设置" (the key, the left soft key or Enter) sets the chosen condition's alert, "删除" (the key
// or a row's delete cell) removes the chosen alert, and a refused figure or a failed write is
// said in a message box. The right soft key and Back return to the screen the page came from
// (the argument of its target: the detail screen or the self-selected list).
// User-interface thread only.
#pragma once

#include <optional>
#include <string_view>

#include "alerts/alert_form.h"
#include "alerts/alert_page_layout.h"
#include "platform/window.h"

namespace tarvello {

class Navigator;

struct AlertsPageParts {
  Navigator* navigator = nullptr;
  AlertBook book{"Alerts.ini"};
};

class CAlertsPageDlg : public Window {
 public:
  explicit CAlertsPageDlg(AlertsPageParts parts, QWidget* parent = nullptr);

  // Opens on the navigator's current security; caller is the target to go back to.
  void Open(int caller);
  const AlertForm& form() const { return form_; }
  // Presses on-screen key i of kAlertKeys.
  void PressKey(int key);
  SoftKeyCaptions SoftKeys() const override;

 protected:
  void OnPaint(Canvas& canvas) override;
  void OnKeyDown(KeyCode key) override;
  void OnPenDown(Point at) override;

 private:
  AlertPageLayout Layout() const;
  void Say(std::optional<std::u16string_view> message);
  void GoBack();
  void Changed();
  void PaintConditions(Canvas& canvas, const AlertPageLayout& layout);
  void PaintKeys(Canvas& canvas, const AlertPageLayout& layout);
  void PaintList(Canvas& canvas, const AlertPageLayout& layout);

  AlertsPageParts parts_;
  AlertForm form_;
  int caller_ = 0;
  int first_shown_ = 0;  // the alert in the list's first row
};

}  // namespace tarvello
