// The argument of the quote list target (1126) when the menu page opens one of its categories.
// A category menu asks for the category's ranking with the category code itself as the argument.
// The fund-flow menu asks for the big-order ranking of a category: its argument is the category
// moved into a range of its own (-1000 and below), so that it never meets a category code or one
// of the list's other arguments (1125, 105, -1 ... -104). Pure functions.
#pragma once

#include <optional>

namespace tarvello {

inline constexpr int kFundFlowArgumentBase = -1000;

constexpr int FundFlowListArgument(int category) { return kFundFlowArgumentBase - category; }

// The category of a fund-flow argument; nothing for any other argument.
constexpr std::optional<int> FundFlowCategory(int argument) {
  if (argument > kFundFlowArgumentBase) return std::nullopt;
  return kFundFlowArgumentBase - argument;
}

}  // namespace tarvello
