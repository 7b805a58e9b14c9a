// The crossing rule of the price alerts: an alert fires when its security's figure passes its
// line, once per crossing. Past the line means at or above the figure for the "above" conditions
// and at or below it for the "below" ones, taking the latest price or the change ratio of the
// security's list row. A security that has not traded today (latest 0) tells nothing, and neither
// does a check whose answer lacks the security: the alert keeps what it knew.
//
// The first look at an alert (after start-up, or after it was set or its figure changed) that
// finds the figure already past the line counts as one crossing: the user set the alert to hear
// about that state and has not heard of it yet. After that it fires again only once the figure
// has been seen back on the near side of the line.
//
// Thread rules: AlertCrossings is plain state for the one worker that checks; the functions are
// pure.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "market/alert_book.h"
#include "market/quote_row.h"

namespace tarvello {

struct AlertFiring {
  Alert alert;
  QuoteRow quote;  // the row that crossed the line
};

// Whether the row is past the alert's line; nothing while the security has no trade.
std::optional<bool> IsPastLine(const Alert& alert, const QuoteRow& quote);

class AlertCrossings {
 public:
  // The alerts that crossed since the last check, in the order of alerts. Alerts no longer
  // listed are forgotten.
  std::vector<AlertFiring> Check(const std::vector<Alert>& alerts, const std::vector<QuoteRow>& quotes);

 private:
  struct Seen {
    Alert alert;
    bool past = false;
  };
  std::vector<Seen> seen_;
};

// The message box text of a fired alert: the name and code, the condition with its figure, and
// the figure now ("示例银行 SZ000001\n价格高于 12.30\n现价 12.35").
std::u16string AlertMessage(const AlertFiring& firing);

}  // namespace tarvello
