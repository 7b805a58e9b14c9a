#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "market/own_stock_list.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

SecurityCode CodeOf(char16_t market, int number) {
  const std::string digits = std::to_string(600000 + number);
  return SecurityCode(std::u16string(u"S") + market + std::u16string(digits.begin(), digits.end()));
}

// Two screens adding and removing at the same time through their own list objects must leave
// every code of the other in place.
TEST(OwnStockListConcurrencyTest, ScreensChangingOneListTogetherLoseNothing) {
  const testing::TempFolder folder;
  constexpr int kCodesPerScreen = 12;
  auto screen = [&folder](char16_t market) {
    OwnStockList list = OwnStockList::SelfSelected(folder.path());
    for (int i = 0; i < kCodesPerScreen; ++i) list.Add(CodeOf(market, i));
    for (int i = 0; i < kCodesPerScreen; i += 2) list.Remove(CodeOf(market, i));
  };
  {
    std::jthread shanghai(screen, u'H');
    std::jthread shenzhen(screen, u'Z');
  }
  const OwnStockList list = OwnStockList::SelfSelected(folder.path());
  const std::vector<SecurityCode> codes = list.Codes();
  EXPECT_EQ(codes.size(), static_cast<std::size_t>(kCodesPerScreen));
  for (int i = 1; i < kCodesPerScreen; i += 2) {
    EXPECT_TRUE(list.Contains(CodeOf(u'H', i)));
    EXPECT_TRUE(list.Contains(CodeOf(u'Z', i)));
  }
}

}  // namespace
}  // namespace tarvello
