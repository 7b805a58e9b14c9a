#include "server/markup_site.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>

#include "answer_fixture.h"
#include "markup/page_items.h"
#include "server/info_site.h"
#include "text/text_codec.h"
#include "web/markup_document.h"
#include "web/page_fetch.h"

namespace tarvello::server::testing {
namespace {

const std::u16string kHost = u"http://127.0.0.1:8081";

// The path of an address on kHost, as the information port sees it; empty for another host.
std::string PathOf(std::u16string_view address) {
  if (!address.starts_with(kHost)) return {};
  return text::ToAscii(address.substr(kHost.size()));
}

class MarkupSiteTest : public ::testing::Test {
 protected:
  std::optional<std::string> Page(std::string_view path) {
    return InfoSite(fixture_.market, fixture_.clock)(path);
  }
  // The Content-Type line of the information port's reply for path.
  std::string TypeServed(std::string_view path) {
    const std::string reply = InfoReply(path, Page(path));
    const std::size_t start = reply.find("Content-Type: ");
    return start == std::string::npos ? "" : reply.substr(start + 14, reply.find("\r\n", start) - start - 14);
  }

  // The items the terminal builds from the page at path, and the reader's fault text.
  std::vector<PageItem> Items(std::string_view path, std::u16string* error = nullptr) {
    const std::optional<std::string> page = Page(path);
    EXPECT_TRUE(page.has_value()) << path;
    MarkupDocument document;
    document.SetDoc(text::FromUtf8(page.value_or("")));
    if (error != nullptr) *error = document.error();
    return BuildPageItems(document, kHost + u"/wap/index.wml");
  }

  AnswerFixture fixture_;
};

// Walks the site from its front page as the view would, following every link and picture.
TEST_F(MarkupSiteTest, EveryLinkAndPictureOfEveryPageIsServed) {
  std::set<std::string> seen{std::string(kMarkupFrontPage)};
  std::deque<std::string> pages{std::string(kMarkupFrontPage)};
  int pictures = 0;
  while (!pages.empty()) {
    const std::string path = pages.front();
    pages.pop_front();
    std::u16string error;
    const std::vector<PageItem> items = Items(path, &error);
    EXPECT_EQ(TypeServed(path), "text/vnd.wap.wml; charset=utf-8") << path;
    if (path == "/wap/broken.wml") continue;
    EXPECT_TRUE(error.empty()) << path << ": " << text::ToUtf8(error);
    EXPECT_GT(items.size(), 4u) << path;
    for (const PageItem& item : items) {
      const bool link = item.tag == u"a" || item.tag == u"anchor";
      if ((!link && item.tag != u"img") || item.attribute == kReloadTarget) continue;
      const std::string target =
          PathOf(ResolvePageLink(kHost + text::FromAscii(path), item.attribute));
      ASSERT_TRUE(Page(target).has_value()) << path << " -> " << text::ToUtf8(item.attribute);
      if (!link) {
        ++pictures;
        EXPECT_TRUE(Page(target)->starts_with("BM"));
        EXPECT_EQ(TypeServed(target), "image/bmp") << target;
      } else if (seen.insert(target).second) {
        pages.push_back(target);
      }
    }
  }
  EXPECT_GE(seen.size(), 6u);
  EXPECT_GE(pictures, 2);
  EXPECT_FALSE(Page("/wap/nothing.wml").has_value());
  EXPECT_FALSE(Page("/wap/").has_value());
}

TEST_F(MarkupSiteTest, TheSummaryAndTheMoversChangeWithTheSimulatedDay) {
  const SimTime today = fixture_.clock.Now();
  const SimTime friday_close = *ParseSimTime("2026-12-04 15:30");
  const SimTime monday = *ParseSimTime("2026-12-07 11:00");
  for (const std::string_view page : {"/wap/summary.wml", "/wap/movers.wml"}) {
    const std::string path = std::string(page);
    const std::string now = MarkupPage(path, fixture_.market, today).value_or("");
    const std::string closed = MarkupPage(path, fixture_.market, friday_close).value_or("");
    const std::string next = MarkupPage(path, fixture_.market, monday).value_or("");
    EXPECT_NE(now.find("2026-12-04 10:30"), std::string::npos) << page;
    EXPECT_NE(closed.find("2026-12-04 收盘"), std::string::npos) << page;
    EXPECT_NE(next.find("2026-12-07 11:00"), std::string::npos) << page;
    EXPECT_NE(now.substr(now.find("</p>")), next.substr(next.find("</p>")))
        << page << ": the figures moved";
  }
  const std::string summary = MarkupPage("/wap/summary.wml", fixture_.market, today).value_or("");
  EXPECT_NE(summary.find("上证指数"), std::string::npos);
  EXPECT_NE(summary.find("上涨<style color=\"FF0000\">"), std::string::npos);
}

}  // namespace
}  // namespace tarvello::server::testing
