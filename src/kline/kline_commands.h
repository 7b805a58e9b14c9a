// The K-line screen's command identifiers for periods, price adjustments and indicators, and
// the window title that names the period ("浦江银行-周线"). Pure functions, any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "kline/kline_bar.h"

namespace tarvello {

// Commands of the menus and the toolbar besides periods, adjustments and indicators.
enum KLineCommand : unsigned {
  kCommandAddSelf = 32791,
  kCommandDeleteSelf = 32794,
  kCommandNext = 32903,
  kCommandPrevious = 32904,
  kCommandIntraday = 32795,
  kCommandMenuPage = 32797,
  kCommandFundFlow = 32906,
  kCommandHome = 32774,
  kCommandSidePanel1 = 32798,
  kCommandSidePanel3 = 32871,
  kCommandSidePanel0 = 32799,
};

std::optional<KLinePeriod> PeriodForCommand(int command);
std::optional<PriceAdjustment> AdjustmentForCommand(int command);
std::optional<KLineIndicator> IndicatorForCommand(int command);

// "-日线", "-5分钟线", ...; empty for the periods that have no suffix (codes 6, 10, 11).
std::u16string_view PeriodTitleSuffix(KLinePeriod period);

// The title cut before its first "-", with the period's suffix appended.
std::u16string TitleWithPeriod(std::u16string_view title, KLinePeriod period);

}  // namespace tarvello
