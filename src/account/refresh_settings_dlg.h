// CDlgRecommend: the settings screen (target 1128) with the three refresh periods. Each period
// has a drop-down list of the seven choices; opening the screen selects the current period's
// entry, or the first when the period is not among them. "保 存" writes the three periods to
// "Configuration.ini", hands them to the program (each data screen takes its new period when it
// next arms its timer), says "保存成功!" and goes back to the main menu; "取 消" goes back without
// saving. The lists and buttons are Qt widgets styled to the dark screen.
// User-interface thread only.
#pragma once

#include <array>
#include <filesystem>
#include <functional>

#include "platform/window.h"
#include "settings/refresh_settings.h"

class QComboBox;
class QPushButton;

namespace tarvello {

class Navigator;

struct RefreshSettingsParts {
  Navigator* navigator = nullptr;
  std::filesystem::path folder;
  std::function<RefreshSettings()> current;
  std::function<void(const RefreshSettings&)> saved;
};

class CDlgRecommend : public Window {
 public:
  static constexpr std::u16string_view kSaved = u"保存成功!";
  static constexpr std::u16string_view kNotSaved = u"保存失败!";
  enum Period { kList = 0, kIntraday = 1, kKLine = 2 };
  enum Button { kSave = 0, kCancel = 1 };

  explicit CDlgRecommend(RefreshSettingsParts parts, QWidget* parent = nullptr);

  // Selects each list's entry for the current periods.
  void Open();
  // Chooses entry index of a list, as the user would.
  void Choose(Period period, int index);
  int chosen(Period period) const;
  void Press(Button button);
  SoftKeyCaptions SoftKeys() const override;

 protected:
  void OnPaint(Canvas& canvas) override;
  void OnKeyDown(KeyCode key) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Layout();
  Rect LabelRect(int period) const;

  RefreshSettingsParts parts_;
  std::array<QComboBox*, 3> lists_{};
  std::array<QPushButton*, 2> buttons_{};
};

}  // namespace tarvello
