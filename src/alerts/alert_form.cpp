#include "alerts/alert_form.h"

#include <algorithm>

#include "market/alert_figure.h"

namespace tarvello {

std::u16string AlertRowText(const Alert& alert) {
  return alert.code.text() + u" " + std::u16string(AlertConditionText(alert.condition)) + u" " +
         AlertFigureText(alert.figure) + (IsPriceCondition(alert.condition) ? u"" : u"%");
}

void AlertForm::Open(const SecurityCode& code) {
  code_ = code;
  selected_ = 0;
  Reload();
  for (int condition = 0; condition < kAlertConditionCount; ++condition) {
    const auto found = std::find_if(alerts_.begin(), alerts_.end(), [&](const Alert& a) {
      return a.code == code_ && a.condition == condition;
    });
    entries_[static_cast<std::size_t>(condition)] = found == alerts_.end() ? u"" : AlertFigureText(found->figure);
  }
}

void AlertForm::Reload() {
  alerts_ = book_.All();
  selected_ = std::clamp(selected_, 0, rows() - 1);
}

void AlertForm::Select(int row) {
  if (row >= 0 && row < rows()) selected_ = row;
}

void AlertForm::Step(int rows) { Select(std::clamp(selected_ + rows, 0, this->rows() - 1)); }

void AlertForm::Type(char16_t c) {
  const bool allowed = (c >= u'0' && c <= u'9') || c == u'.' || c == u'-';
  if (selected_ >= kAlertConditionCount || !allowed) return;
  std::u16string& entry = entries_[static_cast<std::size_t>(selected_)];
  if (entry.size() < kEntryLength) entry.push_back(c);
}

void AlertForm::Erase() {
  if (selected_ >= kAlertConditionCount) return;
  std::u16string& entry = entries_[static_cast<std::size_t>(selected_)];
  if (!entry.empty()) entry.pop_back();
}

std::optional<std::u16string_view> AlertForm::Outcome(AlertChange change) {
  Reload();
  switch (change) {
    case AlertChange::kDone: return std::nullopt;
    case AlertChange::kFull: return kFullText;
    case AlertChange::kRefused: return kBadFigureText;
    case AlertChange::kWriteFailed: return kWriteFailedText;
  }
  return kWriteFailedText;
}

std::optional<std::u16string_view> AlertForm::Commit() {
  if (selected_ >= kAlertConditionCount) return std::nullopt;
  if (!code_.IsWellFormed()) return kNoSecurityText;
  const auto condition = static_cast<AlertCondition>(selected_);
  std::u16string& entry = entries_[static_cast<std::size_t>(selected_)];
  const std::optional<std::int64_t> figure = ParseAlertFigure(entry);
  if (!figure) return kBadFigureText;
  if (IsPriceCondition(condition) && *figure <= 0) return kBadPriceText;
  entry = AlertFigureText(*figure);
  return Outcome(book_.Set({code_, condition, *figure}));
}

std::optional<std::u16string_view> AlertForm::DeleteSelected() {
  if (selected_ < kAlertConditionCount) {
    entries_[static_cast<std::size_t>(selected_)].clear();
    const auto condition = static_cast<AlertCondition>(selected_);
    const bool listed = std::any_of(alerts_.begin(), alerts_.end(), [&](const Alert& a) {
      return a.code == code_ && a.condition == condition;
    });
    return listed ? Outcome(book_.Remove(code_, condition)) : std::nullopt;
  }
  const Alert alert = alerts_[static_cast<std::size_t>(selected_ - kAlertConditionCount)];
  if (alert.code == code_) entries_[static_cast<std::size_t>(alert.condition)].clear();
  return Outcome(book_.Remove(alert.code, alert.condition));
}

}  // namespace tarvello
