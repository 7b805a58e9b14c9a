#include "kline/kline_commands.h"

#include <algorithm>
#include <array>

namespace tarvello {
namespace {

struct PeriodEntry {
  KLinePeriod period;
  int command;
  std::u16string_view suffix;
};

constexpr std::array<PeriodEntry, 12> kPeriods{{
    {KLinePeriod::kOneMinute, 32819, u"-1分钟线"},
    {KLinePeriod::kFiveMinutes, 32820, u"-5分钟线"},
    {KLinePeriod::kFifteenMinutes, 32822, u"-15分钟线"},
    {KLinePeriod::kThirtyMinutes, 32824, u"-30分钟线"},
    {KLinePeriod::kSixtyMinutes, 32826, u"-60分钟线"},
    {KLinePeriod::kCode6, 32835, u""},
    {KLinePeriod::kDay, 32827, u"-日线"},
    {KLinePeriod::kWeek, 32828, u"-周线"},
    {KLinePeriod::kMonth, 32829, u"-月线"},
    {KLinePeriod::kCode10, 32833, u""},
    {KLinePeriod::kCode11, 32834, u""},
    {KLinePeriod::kYear, 32832, u"-年线"},
}};

struct IndicatorEntry {
  KLineIndicator indicator;
  int command;
};

constexpr std::array<IndicatorEntry, 8> kIndicators{{
    {KLineIndicator::kMacd, 32876},
    {KLineIndicator::kKdj, 32877},
    {KLineIndicator::kRsi, 32800},
    {KLineIndicator::kBias, 32801},
    {KLineIndicator::kCci, 32802},
    {KLineIndicator::kVol, 32796},
    {KLineIndicator::kBoll, 32804},
    {KLineIndicator::kWr, 32923},
}};

constexpr int kFirstAdjustmentCommand = 32886;

}  // namespace

std::optional<KLinePeriod> PeriodForCommand(int command) {
  const auto* found = std::find_if(kPeriods.begin(), kPeriods.end(),
                                   [command](const PeriodEntry& entry) { return entry.command == command; });
  if (found == kPeriods.end()) return std::nullopt;
  return found->period;
}

std::optional<PriceAdjustment> AdjustmentForCommand(int command) {
  const int code = command - kFirstAdjustmentCommand;
  if (code < 0 || code > 2) return std::nullopt;
  return static_cast<PriceAdjustment>(code);
}

std::optional<KLineIndicator> IndicatorForCommand(int command) {
  const auto* found = std::find_if(kIndicators.begin(), kIndicators.end(),
                                   [command](const IndicatorEntry& entry) { return entry.command == command; });
  if (found == kIndicators.end()) return std::nullopt;
  return found->indicator;
}

std::u16string_view PeriodTitleSuffix(KLinePeriod period) {
  const auto* found = std::find_if(kPeriods.begin(), kPeriods.end(),
                                   [period](const PeriodEntry& entry) { return entry.period == period; });
  return found == kPeriods.end() ? std::u16string_view() : found->suffix;
}

std::u16string TitleWithPeriod(std::u16string_view title, KLinePeriod period) {
  std::u16string result(title.substr(0, title.find(u'-')));
  result += PeriodTitleSuffix(period);
  return result;
}

}  // namespace tarvello
