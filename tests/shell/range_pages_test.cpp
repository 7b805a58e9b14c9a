#include "shell/range_pages.h"

#include <gtest/gtest.h>

#include "navigation/list_argument.h"
#include "shell/page_text.h"
#include "shell/range_page_state.h"

namespace tarvello {
namespace {

// The help page is a text with nothing to act on; the fed modes have no page of their own.
TEST(RangePagesTest, TheHelpIsATextAndFedModesHaveNoStaticPage) {
  const std::optional<PageContent> help = StaticPage(kPageHelp);
  ASSERT_TRUE(help && help->is_text);
  EXPECT_TRUE(help->entries.empty());
  EXPECT_EQ(help->text.rfind(u"Tarvello金融终端手机版界面友好，操作便捷。", 0), 0u);
  EXPECT_TRUE(help->text.ends_with(u"021-55507777"));
  for (int fed : {3, 10, 11, 12, 13, 17}) EXPECT_FALSE(StaticPage(fed).has_value()) << fed;
}

struct ActionCase {
  const char* name;
  int mode;
  int line;
  PageAction::Kind kind;
  int mode_or_target;
  int argument;
};

TEST(RangePagesTest, TheActionKeyFollowsTheModeAndTheEntry) {
  const std::vector<PageEntry> switching = {{u"港股", kEntryHongKongPage, {}},
                                            {u"列表", kEntryFetchedListPage, {}}};
  const ActionCase cases[] = {
      {"a category opens its ranking", kPageCategories, 2, PageAction::Kind::kNavigate, 1126, 106},
      {"AH shares", kPageHongKong, 5, PageAction::Kind::kNavigate, 1126, kAhShareCategory},
      {"fund flow of the own list", kPageFundFlow, 0, PageAction::Kind::kNavigate, 1126,
       FundFlowListArgument(1111)},
      {"fund flow of a category", kPageFundFlow, 1, PageAction::Kind::kNavigate, 1126,
       FundFlowListArgument(0)},
      {"account menu", kPageSettingsMenu, 0, PageAction::Kind::kSwitchMode, kPageAccountMenu, 0},
      {"system settings", kPageSettingsMenu, 1, PageAction::Kind::kNavigate, 1128, -2},
      {"traffic statistics", kPageSettingsMenu, 2, PageAction::Kind::kNavigate, kTargetTraffic, 0},
      {"beyond the last entry", kPageSettingsMenu, 3, PageAction::Kind::kNone, 0, 0},
      {"above the first entry", kPageCategories, -1, PageAction::Kind::kNone, 0, 0},
      {"the help text", kPageHelp, 0, PageAction::Kind::kNone, 0, 0},
  };
  for (const ActionCase& c : cases) {
    const PageAction action = ActionOnLine(c.mode, StaticPage(c.mode)->entries, c.line);
    EXPECT_EQ(action.kind, c.kind) << c.name;
    if (c.kind == PageAction::Kind::kSwitchMode) {
      EXPECT_EQ(action.mode, c.mode_or_target) << c.name;
    }
    if (c.kind == PageAction::Kind::kNavigate) {
      EXPECT_EQ(action.navigation, (NavigationRequest{c.mode_or_target, c.argument})) << c.name;
    }
  }
  EXPECT_EQ(ActionOnLine(kPageCategories, switching, 0).mode, kPageHongKong);
  EXPECT_EQ(ActionOnLine(kPageCategories, switching, 1).mode, kPageFetchedList);
  EXPECT_EQ(ActionOnLine(kPageFetchedList, switching, 0).kind, PageAction::Kind::kNone);
  EXPECT_EQ(ActionOnLine(kPageCategories, {}, 0).kind, PageAction::Kind::kNone);
}

TEST(RangePagesTest, InformationListsShareTheChosenKindAndArticle) {
  const std::vector<PageEntry> kinds = {{u"新闻", 1, {}}, {u"研报", 16, {}}};
  const PageAction kind = ActionOnLine(kPageInfoCategories, kinds, 1);
  EXPECT_EQ(kind.mode, kPageInfoTitles);
  EXPECT_EQ(kind.information_kind, 16);
  // The categories, even none at all, end with the markup pages; no other page gets that line.
  for (const std::vector<PageEntry>& fed : {kinds, std::vector<PageEntry>{}}) {
    const PageContent categories = WithOwnEntries(kPageInfoCategories, PageContent{fed, {}, false, TextForm::kLines});
    ASSERT_EQ(categories.entries.size(), fed.size() + 1);
    EXPECT_EQ(categories.entries.back().text, u"Tarvello_直播");
    EXPECT_EQ(ActionOnLine(kPageInfoCategories, categories.entries, static_cast<int>(fed.size())).navigation,
              (NavigationRequest{kTargetLiveList, 0}));
  }
  EXPECT_EQ(WithOwnEntries(kPageInfoKinds, PageContent{kinds, {}, false, TextForm::kLines}).entries, kinds);
  const std::vector<PageEntry> titles = {{u"标题", 0, u"A-77"}};
  const PageAction article = ActionOnLine(kPageInfoTitles, titles, 0);
  EXPECT_EQ(article.mode, kPageArticle);
  EXPECT_EQ(article.article, u"A-77");
}

TEST(RangePagesTest, FundFlowArgumentsMeetNoOtherListArgument) {
  for (int category : {0, 1, 11, 21, 106, 1111}) {
    EXPECT_EQ(FundFlowCategory(FundFlowListArgument(category)), category);
  }
  for (int other : {0, 102, 1125, 105, -1, -11, -66, -104, -999})
    EXPECT_FALSE(FundFlowCategory(other)) << other;
}

TEST(PageTextTest, LinesAreIndentedTrimmedAndWrappedByCharacterWidth) {
  // A wide character is 10 pixels, a Latin one 5; the page is 60 pixels: six wide characters.
  const std::vector<std::u16string> lines =
      WrapPageText(u"  一 二\r\nabcdefghijklmn\n\n中文中文中文中文", 60, 10);
  const std::vector<std::u16string> expected = {
      u"\u3000\u3000一二", u"\u3000\u3000abcdefgh", u"ijklmn",
      u"\u3000\u3000",     u"\u3000\u3000中文中文", u"中文中文"};
  EXPECT_EQ(lines, expected);
  // Latin text fits twice as many characters as Chinese text.
  EXPECT_EQ(WrapPageText(std::u16string(20, u'a'), 100, 10)[0].size(), 2u + 16u);
  EXPECT_EQ(WrapPageText(std::u16string(20, u'中'), 100, 10)[0].size(), 2u + 8u);
  // Spaces past the tenth character stay.
  EXPECT_EQ(WrapPageText(u"0123456789 x", 1000, 10)[0], u"\u3000\u30000123456789 x");
}

TEST(PageTextTest, FinancesArePiecesAsTheyStandAndDownloadsDropMarksAndCountLatin1Narrow) {
  EXPECT_EQ(WrapPageText(u" 每股收益：0.5元,净利润：9万元", 1000, 10, TextForm::kCommaPieces),
            (std::vector<std::u16string>{u" 每股收益：0.5元", u"净利润：9万元"}));
  EXPECT_EQ(WrapPageText(u"﻿ 正文", 1000, 10, TextForm::kDownloaded)[0], u"　　正文");
  EXPECT_EQ(WrapPageText(u"﻿正文", 1000, 10)[0], u"　　﻿正文") << "only downloads lose the mark";
  // "é" is below 256: narrow in a download, wide elsewhere.
  EXPECT_EQ(WrapPageText(std::u16string(20, u'é'), 100, 10, TextForm::kDownloaded)[0].size(), 2u + 16u);
  EXPECT_EQ(WrapPageText(std::u16string(20, u'é'), 100, 10)[0].size(), 2u + 8u);
}

TEST(PageTextTest, APageNarrowerThanACharacterStillEnds) {
  const std::vector<std::u16string> lines = WrapPageText(u"中文", 3, 10);
  EXPECT_EQ(lines.size(), 4u);
  for (const std::u16string& line : lines) EXPECT_EQ(line.size(), 1u);
}

class RangePageStateTest : public ::testing::Test {
 protected:
  static PageContent Menu(int entries) {
    PageContent content;
    for (int i = 0; i < entries; ++i) content.entries.push_back(PageEntry{u"e", i, {}, {}});
    return content;
  }
  RangePageState state_;
};

TEST_F(RangePageStateTest, SelectionScrollsToStayVisibleAndStopsAtTheEnds) {
  state_.Open(0, Menu(12));
  state_.MoveSelection(-1, 12, 5);
  EXPECT_EQ(state_.view(), (PageView{0, 0}));
  for (int i = 0; i < 6; ++i) state_.MoveSelection(1, 12, 5);
  EXPECT_EQ(state_.view(), (PageView{2, 4}));
  EXPECT_EQ(state_.SelectedLine(), 6);
  state_.MoveSelection(20, 12, 5);
  EXPECT_EQ(state_.view(), (PageView{7, 4}));
  state_.Scroll(-5, 12, 5);
  EXPECT_EQ(state_.view(), (PageView{2, 4})) << "paging up keeps the selected line on screen";
  EXPECT_EQ(state_.LineAtRow(3, 12), 5);
  EXPECT_FALSE(state_.LineAtRow(3, 4).has_value());

  RangePageState empty;
  empty.Open(3, Menu(0));
  empty.MoveSelection(1, 0, 5);
  EXPECT_EQ(empty.view(), (PageView{0, 0}));
}

TEST_F(RangePageStateTest, BackRetracesSwitchesWithTheirSelectionUntilTheOpenedMode) {
  state_.Open(19, Menu(2));
  state_.MoveSelection(1, 2, 5);
  state_.Switch(20, Menu(3));
  EXPECT_EQ(state_.mode(), 20);
  EXPECT_EQ(state_.SelectedLine(), 0);
  ASSERT_TRUE(state_.Back());
  EXPECT_EQ(state_.mode(), 19);
  EXPECT_EQ(state_.SelectedLine(), 1);
  EXPECT_EQ(state_.content().entries.size(), 2u);
  EXPECT_FALSE(state_.Back()) << "19 was opened from outside";

  state_.Switch(20, Menu(3));
  state_.Open(0, Menu(12));
  EXPECT_FALSE(state_.Back()) << "opening from outside forgets the way back";
}

TEST_F(RangePageStateTest, FreshContentPullsTheSelectionOntoTheLinesThereAre) {
  state_.Open(3, Menu(10));
  state_.MoveSelection(8, 10, 5);
  state_.Refresh(Menu(4));
  state_.KeepInView(4, 5);
  EXPECT_EQ(state_.view(), (PageView{0, 3}));
}

}  // namespace
}  // namespace tarvello
