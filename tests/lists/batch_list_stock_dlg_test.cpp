#include "lists/batch_list_stock_dlg.h"

#include <gtest/gtest.h>

#include "lists/list_codes.h"
#include "lists/list_screen_fixture.h"
#include "market/display_colours.h"
#include "platform/scripted_prompter.h"

namespace tarvello {
namespace {

using testing::MarketCode;
using testing::ProcessEventsUntil;

// The batch panel over the list screen; its taps are pen events of the panel's own window.
class BatchListStockDlgTest : public testing::ListScreenFixture {
 protected:
  BatchListStockDlgTest() { InstallPrompter(&prompter_); }
  ~BatchListStockDlgTest() override { InstallPrompter(nullptr); }

  CBatchListStockDlg& Panel() { return *screen_.batch_panel(); }
  RecordingCanvas PaintPanel() {
    RecordingCanvas canvas(Size{Panel().width(), Panel().height()});
    Panel().PaintOn(canvas);
    return canvas;
  }
  // Taps the middle of the first text drawn equal to text on the panel.
  void TapPanelText(std::u16string_view text) {
    const std::optional<DrawCall> call = PaintPanel().FindText(text);
    ASSERT_TRUE(call.has_value()) << std::string(text.begin(), text.end());
    testing::TapAt(Panel(), call->box.left + call->box.Width() / 2, call->box.top + call->box.Height() / 2);
  }
  void ConfirmAndWaitForTheMessage() {
    const std::size_t asked = prompter_.asked().size();
    TapPanelText(u"确 定");
    ASSERT_TRUE(ProcessEventsUntil([&] { return prompter_.asked().size() > asked; }));
  }

  ScriptedPrompter prompter_;
};

TEST_F(BatchListStockDlgTest, AddingFromACategoryPageOffersTheRowsNotSelfSelectedAndReportsTheCount) {
  for (const int i : {0, 3, 5}) ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(i))));
  OpenAndWait(kTargetQuoteList, -60);
  const std::size_t rows = screen_.view()->rows.quotes.size();
  screen_.RunCommand(32862);
  ASSERT_TRUE(screen_.batch_panel() != nullptr && !screen_.batch_panel()->isHidden());
  EXPECT_EQ(Panel().model().items().size(), rows - 3);
  EXPECT_EQ(Panel().y(), 640 / 4);
  EXPECT_FALSE(PaintPanel().FindText(u"SH/SZ").has_value());

  TapPanelText(u"N0001");
  TapPanelText(u"N0004");
  ConfirmAndWaitForTheMessage();
  const Prompt& told = prompter_.asked().back();
  EXPECT_EQ(told.text, u"已添加2只个股至我的自选.");
  EXPECT_EQ(told.caption, u"批量管理自选");
  EXPECT_TRUE(Panel().isHidden());
  EXPECT_TRUE(Panel().model().items().empty());
  EXPECT_TRUE(self_.Contains(SecurityCode(MarketCode(4))));
  EXPECT_TRUE(Paint().DrewText(u"N0004", kVolumeYellow));
}

TEST_F(BatchListStockDlgTest, DeletingTheWholeLastPageShowsThePreviousPage) {
  OpenAndWait(kTargetQuoteList, -60);
  const int rows = screen_.query().rowsPerPage;
  for (int i = 0; i < rows + 2; ++i) ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(i))));
  OpenAndWait(kTargetQuoteListOtherPage, 0);
  const int perPage = screen_.query().rowsPerPage;
  int before = server_.count();
  screen_.SendKey(kKeyUp);  // not past the first row of the first page
  for (int i = 0; i < perPage; ++i) screen_.SendKey(kKeyDown);
  WaitForFetch(before);
  ASSERT_EQ(screen_.query().page, 1);
  const std::size_t onLastPage = screen_.view()->rows.quotes.size();
  ASSERT_GE(onLastPage, 1u);

  screen_.RunCommand(32862);
  ASSERT_EQ(Panel().model().items().size(), onLastPage);
  for (const BatchItem& item : std::vector<BatchItem>(Panel().model().items())) TapPanelText(item.name);
  before = server_.count();
  ConfirmAndWaitForTheMessage();
  EXPECT_EQ(prompter_.asked().back().text,
            u"已从我的自选删除" + std::u16string(1, static_cast<char16_t>(u'0' + onLastPage)) + u"只个股.");
  WaitForFetch(before);
  EXPECT_EQ(screen_.query().page, 0);
  EXPECT_EQ(screen_.selected_row(), 1);
  EXPECT_EQ(self_.Codes().size(), static_cast<std::size_t>(rows + 2) - onLastPage);
  EXPECT_EQ(screen_.view()->rows.quotes.size(), std::min<std::size_t>(perPage, self_.Codes().size()));
}

TEST_F(BatchListStockDlgTest, TypedCodesCycleTheirMarketStopAtEightCharactersAndAreAddedByName) {
  ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(1))));
  OpenAndWait(kTargetQuoteListOtherPage, 0);
  screen_.RunCommand(32866);
  ASSERT_TRUE(Panel().model().typing());
  const RecordingCanvas panel = PaintPanel();
  EXPECT_TRUE(panel.FindText(u"SH/SZ").has_value());
  EXPECT_TRUE(panel.DrewText(u"股票名称", 0x808080));  // the blank item's placeholder

  TapPanelText(u"SH");  // the code cell
  ASSERT_EQ(Panel().edit_row(), 0);
  for (const char16_t* key : {u"6", u"0", u"0", u"0", u"0", u"7", u"9"}) TapPanelText(key);
  EXPECT_EQ(Panel().edit_text(), u"SH600007");  // the ninth character is refused

  for (const char16_t* expected : {u"SZ600007", u"HK600007", u"SH600007"}) {
    TapPanelText(u"SH/SZ");
    ASSERT_TRUE(ProcessEventsUntil([&] { return Panel().edit_text() == expected; }));
  }
  TapPanelText(u"↵");
  ASSERT_EQ(Panel().model().items().size(), 2u);
  ASSERT_TRUE(ProcessEventsUntil([&] { return Panel().model().items()[0].name == u"N0007"; }));

  // The next code, unknown to the server, is typed through the keypad alone and shown unknown.
  for (const char16_t* key : {u"9", u"9", u"9", u"9", u"9", u"9"}) TapPanelText(key);
  ConfirmAndWaitForTheMessage();
  EXPECT_EQ(prompter_.asked().back().text, u"已添加1只个股至我的自选.");
  EXPECT_EQ(self_.Codes(), (std::vector<SecurityCode>{SecurityCode(MarketCode(1)), SecurityCode(MarketCode(7))}));
}

}  // namespace
}  // namespace tarvello
