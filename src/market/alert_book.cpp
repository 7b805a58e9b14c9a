#include "market/alert_book.h"

#include <algorithm>
#include <mutex>
#include <optional>

#include "market/alert_figure.h"
#include "storage/profile_text.h"
#include "storage/utf16le.h"
#include "storage/whole_file.h"

namespace tarvello {

namespace {

constexpr std::u16string_view kSection = u"ALERTS";
constexpr std::u16string_view kNumberKey = u"NUMBER";
// Keys probed past the last one found before the list is taken to have ended, and the last key
// ever probed, so that a hostile file cannot make the reader search for ever.
constexpr std::size_t kProbeSlack = 16;
constexpr std::size_t kProbeLimit = 1024;
// A file the book writes stays far below this; bytes past it are not read.
constexpr std::size_t kReadLimit = 256 * 1024;

// Serialises every read-change-write of an alerts file in the process.
std::mutex g_bookMutex;

std::u16string Number(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string EntryKey(std::size_t index) { return u"ALERT" + Number(static_cast<std::int64_t>(index)); }

std::optional<Alert> ParseEntry(std::u16string_view value) {
  const std::size_t first = value.find(u',');
  const std::size_t second = first == std::u16string_view::npos ? first : value.find(u',', first + 1);
  if (second == std::u16string_view::npos) return std::nullopt;
  const std::u16string_view condition = value.substr(first + 1, second - first - 1);
  if (condition.size() != 1 || condition[0] < u'0' || condition[0] >= u'0' + kAlertConditionCount) {
    return std::nullopt;
  }
  Alert alert{SecurityCode(std::u16string(value.substr(0, first))), static_cast<AlertCondition>(condition[0] - u'0')};
  const std::optional<std::int64_t> figure = ParseAlertFigure(value.substr(second + 1));
  if (!figure || !alert.code.IsWellFormed()) return std::nullopt;
  if (IsPriceCondition(alert.condition) && *figure <= 0) return std::nullopt;
  alert.figure = *figure;
  return alert;
}

bool SameSlot(const Alert& a, const Alert& b) { return a.code == b.code && a.condition == b.condition; }

std::u16string EntryText(const Alert& alert) {
  return alert.code.text() + u"," + Number(alert.condition) + u"," + AlertFigureText(alert.figure);
}

struct FileAlerts {
  bool readable = true;
  std::vector<Alert> alerts;
};

FileAlerts ReadAlerts(const std::filesystem::path& file) {
  std::string bytes;
  const ReadResult result = ReadWholeFile(file, bytes);
  if (result != ReadResult::kRead) return {result != ReadResult::kFailed, {}};
  if (bytes.size() > kReadLimit) bytes.resize(kReadLimit);
  return {true, alert_file::ParseAlerts(DecodeUtf16Le(bytes))};
}

bool WriteAlerts(const std::filesystem::path& file, const std::vector<Alert>& alerts) {
  const std::optional<std::u16string> text = alert_file::AlertsText(alerts);
  return text && ReplaceFile(file, EncodeUtf16Le(*text));
}

}  // namespace

std::u16string_view AlertConditionText(AlertCondition condition) {
  switch (condition) {
    case kAlertPriceAbove: return u"价格高于";
    case kAlertPriceBelow: return u"价格低于";
    case kAlertRatioAbove: return u"涨幅高于";
    case kAlertRatioBelow: return u"涨幅低于";
  }
  return u"";
}

bool IsPriceCondition(AlertCondition condition) {
  return condition == kAlertPriceAbove || condition == kAlertPriceBelow;
}

namespace alert_file {

std::vector<Alert> ParseAlerts(std::u16string_view text) {
  std::vector<Alert> alerts;
  std::size_t missesInARow = 0;
  for (std::size_t index = 0; index < kProbeLimit && missesInARow < kProbeSlack && alerts.size() < AlertBook::kLimit;
       ++index) {
    const std::optional<std::u16string> value = profile_text::GetValue(text, kSection, EntryKey(index));
    missesInARow = value ? 0 : missesInARow + 1;
    const std::optional<Alert> alert = value ? ParseEntry(*value) : std::nullopt;
    if (!alert) continue;
    const bool taken = std::any_of(alerts.begin(), alerts.end(), [&](const Alert& a) { return SameSlot(a, *alert); });
    if (!taken) alerts.push_back(*alert);
  }
  return alerts;
}

std::optional<std::u16string> AlertsText(const std::vector<Alert>& alerts) {
  // Each new entry goes directly after the section header, so the entries are set last first and
  // the count last of all, leaving NUMBER, ALERT0, ALERT1, ... in reading order.
  std::optional<std::u16string> text = std::u16string();
  for (std::size_t i = alerts.size(); i-- > 0 && text;) {
    text = profile_text::SetValue(*text, kSection, EntryKey(i), EntryText(alerts[i]));
  }
  if (text) text = profile_text::SetValue(*text, kSection, kNumberKey, Number(static_cast<std::int64_t>(alerts.size())));
  return text;
}

}  // namespace alert_file

AlertBook AlertBook::InFolder(const std::filesystem::path& programFolder) {
  return AlertBook(programFolder / "Alerts.ini");
}

std::vector<Alert> AlertBook::All() const {
  const std::lock_guard<std::mutex> guard(g_bookMutex);
  return ReadAlerts(file_).alerts;
}

std::vector<SecurityCode> AlertCodes(const std::vector<Alert>& alerts) {
  std::vector<SecurityCode> codes;
  for (const Alert& alert : alerts) {
    if (std::find(codes.begin(), codes.end(), alert.code) == codes.end()) codes.push_back(alert.code);
  }
  return codes;
}

AlertChange AlertBook::Set(const Alert& alert) {
  const std::lock_guard<std::mutex> guard(g_bookMutex);
  FileAlerts current = ReadAlerts(file_);
  if (!current.readable || ParseEntry(EntryText(alert)) != alert) return AlertChange::kRefused;
  const auto slot = std::find_if(current.alerts.begin(), current.alerts.end(),
                                 [&](const Alert& a) { return SameSlot(a, alert); });
  if (slot != current.alerts.end()) {
    slot->figure = alert.figure;
  } else if (current.alerts.size() >= kLimit) {
    return AlertChange::kFull;
  } else {
    current.alerts.push_back(alert);
  }
  return WriteAlerts(file_, current.alerts) ? AlertChange::kDone : AlertChange::kWriteFailed;
}

AlertChange AlertBook::Remove(const SecurityCode& code, AlertCondition condition) {
  const std::lock_guard<std::mutex> guard(g_bookMutex);
  FileAlerts current = ReadAlerts(file_);
  const auto slot = std::find_if(current.alerts.begin(), current.alerts.end(), [&](const Alert& a) {
    return a.code == code && a.condition == condition;
  });
  if (!current.readable || slot == current.alerts.end()) return AlertChange::kRefused;
  current.alerts.erase(slot);
  return WriteAlerts(file_, current.alerts) ? AlertChange::kDone : AlertChange::kWriteFailed;
}

}  // namespace tarvello
