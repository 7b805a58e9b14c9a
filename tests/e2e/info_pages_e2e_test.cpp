// The information pages against the simulator: the F10 company profile of the security the
// detail screen shows; "资讯必读" through a category and a title to its article; and a security's
// news article downloaded from the information port over the shared connection, after which
// the quotes still flow.
#include <gtest/gtest.h>

#include "started_terminal.h"
#include "shell/range_info.h"
#include "shell/range_pages.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

class InfoPagesEndToEnd : public testing::TerminalEndToEnd {
 protected:
  // Goes to the page of an argument and waits until it is in front with its content there. The
  // main screen ignores a navigation while its progress window is up, so it waits for that first.
  // The page of argument; with a security, the page of that security.
  CStockRangeDlg& Page(int argument, const SecurityCode& security = {}) {
    EXPECT_TRUE(ProcessEventsUntil([&] { return terminal_->progress().isHidden(); }, std::chrono::seconds(20)));
    if (security.empty()) {
      terminal_->main_screen()->GoTo(kTargetMenuPage, argument);
    } else {
      terminal_->main_screen()->GoTo(kTargetMenuPage, argument, BrowseChange::Alone(security));
    }
    EXPECT_TRUE(ProcessEventsUntil([&] {
      CStockRangeDlg* page = terminal_->menu_page();
      return page != nullptr && terminal_->frame().current_screen() == page &&
             page->state().mode() == OpeningOf(argument).mode && !page->loading();
    }, std::chrono::seconds(20)));
    return *terminal_->menu_page();
  }
  // Acts on the selected line and waits for the page it switches to.
  void Enter(CStockRangeDlg& page, int mode) {
    page.SendKey(kKeyEnter);
    EXPECT_EQ(page.state().mode(), mode);
    EXPECT_TRUE(ProcessEventsUntil([&] { return !page.loading(); }, std::chrono::seconds(20)));
  }
  const std::u16string& Text(CStockRangeDlg& page) { return page.state().content().text; }
};

TEST_F(InfoPagesEndToEnd, TheDetailScreensF10ProfileNamesTheCompany) {
  terminal_->OpenSecurity(SecurityCode::FromAscii("SH600001"));
  // Its first figures, whose progress window would swallow the navigation.
  ASSERT_TRUE(ProcessEventsUntil([&] {
    CStockDetailDlg* detail = terminal_->detail_screen();
    return detail != nullptr && terminal_->frame().current_screen() == detail && detail->view()->loaded &&
           terminal_->progress().isHidden();
  }, std::chrono::seconds(20)));
  CStockRangeDlg& page = Page(16);  // the detail screen's F10 menu item "公司概况"
  EXPECT_TRUE(Text(page).starts_with(u"公司名称：")) << text::ToUtf8(Text(page));
  EXPECT_NE(Text(page).find(u"600001"), std::u16string::npos);
}

TEST_F(InfoPagesEndToEnd, MustReadLeadsThroughACategoryAndATitleToItsArticle) {
  CStockRangeDlg& page = Page(kPageInfoCategories);
  ASSERT_FALSE(page.state().content().entries.empty());
  Enter(page, kPageInfoTitles);
  ASSERT_FALSE(page.state().content().entries.empty());
  const std::u16string title = page.state().content().entries[0].text;
  Enter(page, kPageArticle);
  EXPECT_TRUE(Text(page).starts_with(title + u"\n")) << text::ToUtf8(Text(page));
}

TEST_F(InfoPagesEndToEnd, ASecuritysNewsArticleComesFromTheInformationPortAndQuotesFlowAfterwards) {
  CStockRangeDlg& page = Page(kTargetStockDetail, SecurityCode::FromAscii("SH600001"));
  Enter(page, kPageInfoTitles);  // "1 新闻"
  ASSERT_FALSE(page.state().content().entries.empty());
  const std::u16string title = page.state().content().entries[0].text;
  Enter(page, kPageArticle);
  EXPECT_TRUE(Text(page).starts_with(title + u"-新闻\n")) << text::ToUtf8(Text(page));
  EXPECT_NE(Text(page).find(u"（600001）"), std::u16string::npos);
  CStockRangeDlg& profile = Page(16);
  EXPECT_TRUE(Text(profile).starts_with(u"公司名称：")) << "quote requests reach the quote server again";
}

}  // namespace
}  // namespace tarvello
