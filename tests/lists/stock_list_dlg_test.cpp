#include "lists/stock_list_dlg.h"

#include <gtest/gtest.h>

#include "lists/list_codes.h"
#include "lists/list_screen_fixture.h"
#include "market/display_colours.h"
#include "navigation/navigation.h"
#include "protocol/packet_codec.h"

namespace tarvello {
namespace {

using testing::MarketCode;
using StockListDlgTest = testing::ListScreenFixture;

TEST_F(StockListDlgTest, SelfSelectedCodesAreYellowAndTheOwnListIsFetchedByCode) {
  ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(2))));
  OpenAndWait(kTargetQuoteList, -60);
  EXPECT_TRUE(Paint().DrewText(u"N0002", kVolumeYellow));
  EXPECT_TRUE(Paint().DrewText(u"N0003", kPlainWhite));
  screen_.SendKey(kKeyDown);
  screen_.SendKey(kKeyDown);
  screen_.SendKey(kKeyDown);
  screen_.RunCommand(32791);  // "加入自选" on row 4
  EXPECT_TRUE(self_.Contains(SecurityCode(MarketCode(3))));
  EXPECT_TRUE(Paint().DrewText(u"N0003", kVolumeYellow));

  OpenAndWait(kTargetQuoteListOtherPage, 0);
  const Bytes request = server_.Last();
  EXPECT_EQ(request[7], 2);       // by code list
  EXPECT_EQ(request[12], 2);      // the page ends after the second code
  EXPECT_EQ(request[14], 2);      // both codes
  const RecordingCanvas canvas = Paint();
  EXPECT_TRUE(canvas.DrewText(u"N0002", kPlainWhite));  // no yellow in the own list itself
  EXPECT_TRUE(canvas.FindText(u"(1/1)").has_value());
  EXPECT_TRUE(canvas.FindText(u"管理").has_value());

  const int before = server_.count();
  screen_.RunCommand(32794);  // "删除自选" on row 1
  EXPECT_FALSE(self_.Contains(SecurityCode(MarketCode(2))));
  EXPECT_EQ(screen_.view()->rows.quotes.size(), 1u);
  WaitForFetch(before);
}

}  // namespace
}  // namespace tarvello
