// The big-order and fund rankings' popup choices: "今日大单", "3日大单" and "10日大单" show the
// big-order ranking over 1, 3 or 10 days, "今日资金" the fund ranking over the days in force. A
// choice that shows what is already shown only moves the check mark and asks for nothing. Pure.
#pragma once

#include <optional>

namespace tarvello {

struct RankingState {
  int days = 1;
  bool fundView = false;
  unsigned checked = 0;  // the menu command carrying the check mark
  friend bool operator==(const RankingState&, const RankingState&) = default;
};

struct RankingStep {
  RankingState state;
  bool fetch = false;
};

// The state opening a ranking starts in: today's big orders.
RankingState FirstRanking();
// Nothing for a command that is none of the four choices.
std::optional<RankingStep> ChooseRanking(const RankingState& now, unsigned command);

}  // namespace tarvello
