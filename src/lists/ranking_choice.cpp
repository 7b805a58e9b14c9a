#include "lists/ranking_choice.h"

#include "lists/list_commands.h"

namespace tarvello {

RankingState FirstRanking() { return {1, false, kCmdBigOrderToday}; }

std::optional<RankingStep> ChooseRanking(const RankingState& now, unsigned command) {
  RankingState next = now;
  next.checked = command;
  switch (command) {
    case kCmdBigOrderToday: next.days = 1; break;
    case kCmdBigOrder3: next.days = 3; break;
    case kCmdBigOrder10: next.days = 10; break;
    case kCmdFundToday: next.fundView = true; break;
    default: return std::nullopt;
  }
  if (command != kCmdFundToday) next.fundView = false;
  const bool same = next.days == now.days && next.fundView == now.fundView;
  return RankingStep{next, !same};
}

}  // namespace tarvello
