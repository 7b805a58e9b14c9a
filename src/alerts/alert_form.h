// AlertForm: what the alerts page edits, decided without a window. For the security the page is
// open on it holds one entry per condition (filled from its alerts when opened), the row the
// user is on (the four conditions first, then every alert of the book), and turns typing, "设置"
// and "删除" into changes of the alert book and the message the page shows about them.
//
// User-interface thread only (the book itself may be shared with the background check).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "market/alert_book.h"

namespace tarvello {

inline constexpr std::u16string_view kAlertPageTitle = u"预警设置";
inline constexpr std::u16string_view kBadFigureText = u"请输入正确的数值:数字,可带小数点和负号,最多三位小数";
inline constexpr std::u16string_view kBadPriceText = u"价格须大于0";
inline constexpr std::u16string_view kFullText = u"预警已满,最多100条";
inline constexpr std::u16string_view kWriteFailedText = u"预警保存失败";
inline constexpr std::u16string_view kNoSecurityText = u"请先选择股票";

// An entry holds at most this many characters.
inline constexpr std::size_t kEntryLength = 12;

// "SH600001 价格高于 12.34", with "%" after a change ratio.
std::u16string AlertRowText(const Alert& alert);

class AlertForm {
 public:
  explicit AlertForm(AlertBook book) : book_(std::move(book)) {}

  // Opens on code: each entry shows the figure of its alert, or nothing; the first row is chosen.
  void Open(const SecurityCode& code);
  const SecurityCode& code() const { return code_; }
  const std::u16string& entry(int condition) const { return entries_[static_cast<std::size_t>(condition)]; }
  const std::vector<Alert>& alerts() const { return alerts_; }

  // Rows: 0-3 the conditions, 4 on the alerts of the book in their order.
  int rows() const { return kAlertConditionCount + static_cast<int>(alerts_.size()); }
  int selected() const { return selected_; }
  void Select(int row);
  void Step(int rows);

  // Typing goes to the chosen condition's entry: digits, point and minus; other characters and
  // characters past the entry's length are ignored.
  void Type(char16_t c);
  void Erase();

  // Sets the chosen condition's alert from its entry. Nothing on success, otherwise the message
  // that says why it was refused.
  std::optional<std::u16string_view> Commit();
  // Deletes the alert of the chosen condition, or the chosen alert of the list.
  std::optional<std::u16string_view> DeleteSelected();

 private:
  void Reload();
  std::optional<std::u16string_view> Outcome(AlertChange change);

  AlertBook book_;
  SecurityCode code_;
  std::array<std::u16string, kAlertConditionCount> entries_;
  std::vector<Alert> alerts_;
  int selected_ = 0;
};

}  // namespace tarvello
