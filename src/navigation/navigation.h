// Navigation between screens: the target ids of message 2026 and the title each target shows.
// Pure functions.
#pragma once

#include <optional>
#include <string>

#include "base/message.h"

namespace tarvello {

// Navigation target ids (first parameter of 2026).
enum NavigationTarget : int {
  kTargetMainMenu = 1124,
  kTargetMenuPage = 1125,
  kTargetQuoteList = 1126,
  kTargetKLine = 1127,
  kTargetSettings = 1128,
  kTargetStockDetail = 1129,
  kTargetQuoteListOwnPage = 1130,
  kTargetBrokers = 1131,
  kTargetQuoteListOtherPage = 1132,
  kTargetListScreen = 1135,
  kTargetLiveList = 1136,
  kTargetFuturesMode1 = 1142,
  kTargetFuturesMode2 = 1143,
  kTargetFuturesMode3 = 1149,
  kTargetUserData = 1145,
  kTargetLogin = 1146,
  kTargetSwitchUser = 1147,
  kTargetRecommendFriend = 1148,
  kTargetAlerts = 1160,  // the alerts page; the argument names the screen to go back to
  kTargetTraffic = 1161,  // the traffic statistics page, from the settings menu
};

struct NavigationRequest {
  int target = kTargetMainMenu;
  int argument = 0;
  bool operator==(const NavigationRequest&) const = default;
};

// The title shown for a target and its argument; nothing for a target whose screen keeps its own
// title (the stock detail screen, for one).
std::optional<std::u16string> NavigationTitle(int target, int argument);

// The account menu and the login reach the account screens as arguments of the quote list
// target (1126 with 1145, 1146 or 1147); they are the account screens' own targets.
NavigationRequest RoutedRequest(int target, int argument);

}  // namespace tarvello
