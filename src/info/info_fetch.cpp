#include "info/info_fetch.h"

#include <algorithm>
#include <optional>

#include "info/article_download.h"
#include "info/info_answers.h"
#include "info/info_cache.h"
#include "market/security_code.h"
#include "protocol/packet_codec.h"

namespace tarvello {
namespace {

constexpr std::size_t kServerTimeBuffer = 1024;
// The body-length field of a code-list request can count this many codes.
constexpr std::size_t kMaxListedCodes = (0xFFFF - 8) / 24;
constexpr int kFinancesMode = 15;

// One exchange; the answer trimmed to what was received, empty when nothing was.
Bytes Exchange(const ExchangeFunction& exchange, const Bytes& request, std::size_t capacity) {
  Bytes answer(capacity);
  const int received = exchange ? exchange(request, answer) : 0;
  answer.resize(received > 0 ? std::min(static_cast<std::size_t>(received), capacity) : 0);
  return answer;
}

PageContent Text(std::u16string text, TextForm form) {
  PageContent page;
  page.is_text = true;
  page.text = std::move(text);
  page.form = form;
  return page;
}

PageContent Entries(std::vector<PageEntry> entries) {
  PageContent page;
  page.entries = std::move(entries);
  return page;
}

std::size_t F10Buffer(int mode) {
  if (mode == 13) return kLatestNewsBuffer;
  if (mode == kFinancesMode) return kFinancesBuffer;
  return kInfoTextBuffer;
}

PageContent FetchF10(const InfoQuery& query, const InfoLinks& links) {
  PageContent page = Text({}, query.f10_mode == kFinancesMode ? TextForm::kCommaPieces : TextForm::kLines);
  if (query.codes.empty()) return page;
  const std::string code = SecurityCode(query.codes.front()).RequestText();
  const Bytes answer = Exchange(links.exchange, CPacketCodec().BuildF10Item(code, F10ItemKind(query.f10_mode), 0),
                                F10Buffer(query.f10_mode));
  if (std::optional<std::u16string> text = ReadF10Text(answer)) page.text = std::move(*text);
  return page;
}

// The server time first; without it the list is not asked for. The titles' answer, empty when
// none came.
Bytes FetchTitlesAnswer(const InfoQuery& query, const InfoLinks& links) {
  if (query.codes.empty()) return {};
  const CPacketCodec codec;
  const std::optional<ServerStamp> stamp =
      ReadServerStamp(Exchange(links.exchange, codec.BuildServerTime(0), kServerTimeBuffer));
  if (!stamp) return {};
  std::vector<std::string> codes;
  for (const std::u16string& code : query.codes) {
    if (codes.size() == kMaxListedCodes) break;
    codes.push_back(SecurityCode(code).RequestText());
  }
  const std::uint16_t limit = query.own_list ? kOwnListTitleLimit : kSecurityTitleLimit;
  const Bytes request = codec.BuildCodeListInfo(static_cast<std::uint16_t>(query.kind), limit, codes,
                                                static_cast<std::uint32_t>(stamp->first),
                                                static_cast<std::uint32_t>(stamp->second));
  return Exchange(links.exchange, request, kInfoTextBuffer);
}

// A title page from its answer, kept in the cache when it lists titles; when nothing came, the
// last titles the cache holds, with their moment, so that a dead link still shows them.
PageContent TitlesPage(const InfoQuery& query, const InfoLinks& links, const Bytes& answer) {
  if (answer.empty()) return CachedInfoPage(query, links.cache).value_or(Entries({}));
  std::vector<PageEntry> entries = ReadTitlesAnswer(query.page, answer);
  if (!entries.empty() && links.cache != nullptr) {
    links.cache->Put(InfoCacheKey(query), answer, std::chrono::system_clock::now());
  }
  return Entries(std::move(entries));
}

PageContent FetchStockArticle(const InfoQuery& query, const InfoLinks& links) {
  PageContent page = Text({}, TextForm::kDownloaded);
  if (query.codes.empty() || !links.download || !links.info_server) return page;
  const std::optional<std::string> request =
      ArticleRequest(links.info_server(), links.info_port, query.kind, query.codes.front(), query.article);
  if (!request) return page;
  Bytes answer(kArticleBuffer);
  const int received =
      links.download(std::span(reinterpret_cast<const std::uint8_t*>(request->data()), request->size()), answer);
  if (received < 1) return page;
  answer.resize(std::min(static_cast<std::size_t>(received), answer.size()));
  page.text = query.title + std::u16string(KindSuffix(query.kind)) + u"\n" + ArticleBody(answer);
  return page;
}

}  // namespace

std::uint16_t F10ItemKind(int mode) {
  switch (mode) {
    case 13: return 4;
    case 14: return 8;
    case 15: return 16;
    case 16: return 7;
    default: return 11;
  }
}

std::u16string_view KindSuffix(int kind) {
  if (kind == 1) return u"-新闻";
  if (kind == 2) return u"-公告";
  return u"-研报";
}

PageContent FetchInfoPage(const InfoQuery& query, const InfoLinks& links) {
  const CPacketCodec codec;
  switch (query.page) {
    case InfoPage::kF10:
      return FetchF10(query, links);
    case InfoPage::kTitles:
      return TitlesPage(query, links, FetchTitlesAnswer(query, links));
    case InfoPage::kGeneralTitles:
      return TitlesPage(
          query, links, Exchange(links.exchange, codec.BuildInfoList(static_cast<std::uint32_t>(query.kind)), kShortListBuffer));
    case InfoPage::kCategories:
      return Entries(ReadInfoCategories(Exchange(links.exchange, codec.BuildInfoCategories(0), kShortListBuffer)));
    case InfoPage::kFetchedTitles:
      return Entries(ReadFetchedTitles(Exchange(links.exchange, codec.BuildInfoTitles(0), kShortListBuffer)));
    case InfoPage::kArticle: {
      const Bytes request = codec.BuildArticle(static_cast<std::uint32_t>(query.kind), query.article);
      return Text(ReadArticleText(Exchange(links.exchange, request, kArticleBuffer)).value_or(u""), TextForm::kLines);
    }
    case InfoPage::kStockArticle:
      return FetchStockArticle(query, links);
  }
  return {};
}

}  // namespace tarvello
