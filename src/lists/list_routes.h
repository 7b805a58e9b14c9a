// Where the quote list comes from and goes back to: the list a navigation target and its argument
// open, and the steps of the toolbar's "返回" for the list in force. Pure functions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "navigation/navigation.h"

namespace tarvello {

// Arguments of target 1126 that the list screen understands besides the categories.
inline constexpr int kListArgSelfSelected = 1125;
inline constexpr int kListArgResume = 1135;  // back from a screen opened from the list
// Back from the K-line chart by its Enter key, and from a security's fund flow: the list as it
// was left, like kListArgResume.
inline constexpr int kListArgBackFromChart = 1127;
inline constexpr int kListArgBackFromFundFlow = 1149;
inline constexpr int kListArgIndices = -1;
inline constexpr int kListArgGlobal = -2;
inline constexpr int kListArgStages = -3;
inline constexpr int kListArgSectors = -10;
inline constexpr int kListArgFutures = -11;
inline constexpr int kListArgCsi300 = -101;
inline constexpr int kListArgForex = -104;
inline constexpr int kListArgOrderDetails = 1140;   // of the current security
inline constexpr int kListArgTradeAnalysis = 1141;  // of the current security

struct ListOpening {
  ListOpening(int mode_ = 0, int category_ = 0, bool resume_ = false, std::u16string title_ = {},
              bool bigOrder_ = false)
      : mode(mode_), category(category_), resume(resume_), title(std::move(title_)), bigOrder(bigOrder_) {}
  int mode = 0;      // ListMode
  int category = 0;  // ListCategory
  bool resume = false;  // show the list as it was left
  std::u16string title;  // the list's own title where the target's title does not name it
  bool bigOrder = false;  // the fund-flow menu's lists: the big-order and fund rankings
  friend bool operator==(const ListOpening&, const ListOpening&) = default;
};

// The list for targets 1126, 1130 and 1132; none for what is not a list of this screen.
std::optional<ListOpening> ListOpeningFor(int target, int argument);

// The titles of the views that name their period: "板块资金-5天", "成交透析-10天".
std::u16string SectorFundsTitle(int period);
std::u16string TradeAnalysisTitle(int days);

struct ReturnPlace {
  int mode = 0;
  int category = 0;
  int shownSector = 0;
  bool bigOrderMode = false;
};

struct ListReturn {
  bool toSectorList = false;  // stay on this screen, back on the sector list
  NavigationRequest step;     // otherwise the navigation
};

ListReturn ReturnFrom(const ReturnPlace& place);

}  // namespace tarvello
