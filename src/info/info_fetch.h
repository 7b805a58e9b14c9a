// The exchanges behind each information page: what a page needs (InfoQuery), what it may use
// (InfoLinks: the quote exchange, the article download, the information server's address) and
// FetchInfoPage, which runs the requests one after the other and reads the answers into the
// page. A failed exchange or an unreadable answer leaves the page empty, except for the title
// lists, which then show the last titles the answer cache holds for them, with their moment.
//
// Pages and their requests: the F10 items (2600, one item kind a page), the titles of one
// security (2116 for the server time, then 2901 for the security with that time), of the
// self-selected codes (the same with every code), or of everyone (2701 by kind), the
// categories (2700), the titles of the fetched list (2500), an article by its identifier
// (2710), or a security's article as a file from the information server.
// Any thread; FetchInfoPage blocks for as long as its exchanges take.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "info/page_content.h"
#include "protocol/exchange_function.h"
#include "storage/answer_cache.h"

namespace tarvello {

enum class InfoPage {
  kF10,             // one F10 item of a security
  kTitles,          // the titles of one security, or of several (the self-selected list)
  kGeneralTitles,   // the titles of one kind for everyone
  kCategories,      // the information categories
  kFetchedTitles,   // the list of page mode 3
  kArticle,         // an article by its identifier, through the quote protocol
  kStockArticle,    // a security's article, as a file from the information server
};

struct InfoQuery {
  InfoPage page = InfoPage::kCategories;
  int f10_mode = 13;              // kF10: the page mode, 13 to 17
  int kind = 1;                   // 1 news, 2 notices, anything else research reports
  std::vector<std::u16string> codes;  // kF10, kTitles and kStockArticle: the securities
  bool own_list = false;          // kTitles: the codes are the self-selected list, however few
  std::u16string article;         // kArticle and kStockArticle: the chosen identifier
  std::u16string title;           // kStockArticle: the chosen title, shown above the text
  friend bool operator==(const InfoQuery&, const InfoQuery&) = default;
};

// The download sends a complete HTTP request to the information server over the shared
// connection and returns the count received into the buffer (below 1: nothing).
using ArticleDownload =
    std::function<int(std::span<const std::uint8_t> request, std::span<std::uint8_t> answer)>;

struct InfoLinks {
  ExchangeFunction exchange;
  ArticleDownload download;  // none: a security's article stays empty
  // The address of the information server the download goes to, named in the request.
  std::function<std::string()> info_server;
  int info_port = 80;  // the information server's port, named in the request when not 80
  // Keeps the title pages' last good answers, and gives them back when an exchange brings nothing.
  // None: nothing is kept.
  AnswerCache* cache = nullptr;
};

// Answer buffers: the item "最新资讯" is the longest F10 text and "公司财务" the shortest.
inline constexpr std::size_t kLatestNewsBuffer = 40960;
inline constexpr std::size_t kFinancesBuffer = 5120;
inline constexpr std::size_t kInfoTextBuffer = 10240;
inline constexpr std::size_t kShortListBuffer = 2048;
inline constexpr std::size_t kArticleBuffer = 1048576;
// Titles asked for: 20 of one security, 100 of the self-selected list.
inline constexpr std::uint16_t kSecurityTitleLimit = 20;
inline constexpr std::uint16_t kOwnListTitleLimit = 100;

// The F10 item kind sent for page modes 13 to 17.
std::uint16_t F10ItemKind(int mode);
// "-新闻", "-公告", "-研报": the kind's word after a security's article title.
std::u16string_view KindSuffix(int kind);

PageContent FetchInfoPage(const InfoQuery& query, const InfoLinks& links);

}  // namespace tarvello
