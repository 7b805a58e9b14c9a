#include "market/alert_crossing.h"

#include <algorithm>

#include "market/alert_figure.h"

namespace tarvello {

std::optional<bool> IsPastLine(const Alert& alert, const QuoteRow& quote) {
  if (quote.latest <= 0) return std::nullopt;
  const std::int32_t scaled = IsPriceCondition(alert.condition) ? quote.latest : quote.changeRatio;
  const std::int64_t value = FigureInThousandths(scaled, quote.decimals);
  const bool above = alert.condition == kAlertPriceAbove || alert.condition == kAlertRatioAbove;
  return above ? value >= alert.figure : value <= alert.figure;
}

std::vector<AlertFiring> AlertCrossings::Check(const std::vector<Alert>& alerts, const std::vector<QuoteRow>& quotes) {
  std::vector<AlertFiring> fired;
  std::vector<Seen> seen;
  for (const Alert& alert : alerts) {
    const auto before = std::find_if(seen_.begin(), seen_.end(), [&](const Seen& s) { return s.alert == alert; });
    const auto quote = std::find_if(quotes.begin(), quotes.end(), [&](const QuoteRow& q) { return q.code == alert.code; });
    const std::optional<bool> past = quote == quotes.end() ? std::nullopt : IsPastLine(alert, *quote);
    if (!past) {
      if (before != seen_.end()) seen.push_back(*before);
      continue;
    }
    if (*past && (before == seen_.end() || !before->past)) fired.push_back({alert, *quote});
    seen.push_back({alert, *past});
  }
  seen_ = std::move(seen);
  return fired;
}

std::u16string AlertMessage(const AlertFiring& firing) {
  const Alert& alert = firing.alert;
  const bool price = IsPriceCondition(alert.condition);
  const std::int32_t now = price ? firing.quote.latest : firing.quote.changeRatio;
  const std::u16string nowText = AlertFigureText(FigureInThousandths(now, firing.quote.decimals));
  const std::u16string unit = price ? u"" : u"%";
  return firing.quote.name + u" " + alert.code.text() + u"\n" + std::u16string(AlertConditionText(alert.condition)) +
         u" " + AlertFigureText(alert.figure) + unit + u"\n" + (price ? u"现价 " : u"涨幅 ") + nowText + unit;
}

}  // namespace tarvello
