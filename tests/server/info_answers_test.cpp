// The information port's request parsing, and the site of markup pages whose every link and
// picture is served. (Titles, articles, a share's F10 profile and the front page's walk are the
// end-to-end walks' routes.)
#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>

#include "answer_fixture.h"
#include "markup/page_items.h"
#include "server/site/info_site.h"
#include "server/site/markup_site.h"
#include "text/text_codec.h"
#include "web/markup_document.h"
#include "web/page_fetch.h"

namespace tarvello::server::testing {
namespace {

TEST(InfoRequestTest, OnlyACompleteGetGivesAPathInEitherForm) {
  const struct {
    std::string request;
    InfoRequestStatus status;
    std::string path;
  } cases[] = {
      {"GET http://10.0.0.1/InfoDepot_ForCellPhone/a.txt HTTP/1.1\r\nHost:10.0.0.1\r\n\r\n",
       InfoRequestStatus::kComplete, "/InfoDepot_ForCellPhone/a.txt"},
      {"GET /a HTTP/1.0\r\n\r\n", InfoRequestStatus::kComplete, "/a"},
      {"GET /a HTTP/1.0\r\n", InfoRequestStatus::kNeedMore, ""},
      {"POST /a HTTP/1.0\r\n\r\n", InfoRequestStatus::kBad, ""},
      {"GET a HTTP/1.0\r\n\r\n", InfoRequestStatus::kBad, ""},
      {std::string(kMaxInfoRequest + 1, 'G'), InfoRequestStatus::kBad, ""},
  };
  for (const auto& c : cases) {
    const InfoRequest request =
        ReadInfoRequest(std::span(reinterpret_cast<const std::uint8_t*>(c.request.data()), c.request.size()));
    EXPECT_EQ(request.status, c.status) << c.request.substr(0, 40);
    EXPECT_EQ(request.path, c.path);
  }
  EXPECT_EQ(InfoReply("/a.txt", std::nullopt), "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
  EXPECT_TRUE(InfoReply("/a.txt", std::string("ab")).ends_with("Content-Length: 2\r\nConnection: close\r\n\r\nab"));
}

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

}  // namespace
}  // namespace tarvello::server::testing
