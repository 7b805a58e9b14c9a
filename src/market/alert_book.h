// AlertBook: the user's price alerts, kept in "Alerts.ini" in the program folder. An alert
// watches one security for one of four conditions against a figure; a security has at most one
// alert per condition, and the book holds at most kLimit alerts.
//
// The file goes through the INI engine's text rules: section "ALERTS" with "NUMBER" holding the
// count n and keys ALERT0 to ALERT<n-1>, each "code,condition,figure" ("SH600001,0,12.34"; the
// condition is its number below, the figure as alert_figure.h writes it). Every change builds
// the whole new text and replaces the file by rename, so a failed write leaves the old file as
// it was. Reading is forgiving: keys are probed past NUMBER and past gaps, an entry that does not
// read as a sane alert (no well-formed code, unknown condition, bad figure, a price figure not
// above zero) is passed over, a second entry for a security and condition is ignored, and no
// more than kLimit alerts are taken; the next change writes the file back in its clean form. An
// unreadable file is never rewritten.
//
// Thread rules: safe from any thread; one process-wide lock serialises every read-change-write
// of the file (the background check reads while the alerts page changes it).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "market/security_code.h"

namespace tarvello {

enum AlertCondition : int {
  kAlertPriceAbove = 0,
  kAlertPriceBelow = 1,
  kAlertRatioAbove = 2,
  kAlertRatioBelow = 3,
};
inline constexpr int kAlertConditionCount = 4;

// "价格高于", "价格低于", "涨幅高于", "涨幅低于".
std::u16string_view AlertConditionText(AlertCondition condition);
bool IsPriceCondition(AlertCondition condition);

struct Alert {
  SecurityCode code;
  AlertCondition condition = kAlertPriceAbove;
  std::int64_t figure = 0;  // thousandths of a price, or of a percent for the change ratio
  friend bool operator==(const Alert&, const Alert&) = default;
};

// The securities of alerts, each once, in the alerts' order.
std::vector<SecurityCode> AlertCodes(const std::vector<Alert>& alerts);

enum class AlertChange { kDone, kFull, kRefused, kWriteFailed };

class AlertBook {
 public:
  static constexpr std::size_t kLimit = 100;

  static AlertBook InFolder(const std::filesystem::path& programFolder);
  explicit AlertBook(std::filesystem::path file) : file_(std::move(file)) {}

  const std::filesystem::path& file() const { return file_; }

  // Every alert in file order; empty for a missing or unreadable file.
  std::vector<Alert> All() const;

  // Sets the alert, replacing the figure of the same security and condition. kFull when it would
  // be alert kLimit + 1, kRefused for an alert that would not read back as sane or a file that
  // cannot be read, kWriteFailed when the file could not be replaced (it is then unchanged).
  AlertChange Set(const Alert& alert);
  // Removes the alert of the security and condition; kRefused when there is none.
  AlertChange Remove(const SecurityCode& code, AlertCondition condition);

 private:
  std::filesystem::path file_;
};

namespace alert_file {

// The sane alerts of a file's text, as the book reads them.
std::vector<Alert> ParseAlerts(std::u16string_view text);
// The clean text of alerts, built through the INI engine; nothing when it refuses an entry.
std::optional<std::u16string> AlertsText(const std::vector<Alert>& alerts);

}  // namespace alert_file

}  // namespace tarvello
