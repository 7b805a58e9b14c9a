#include "info/info_cache.h"

#include <utility>

#include "info/info_answers.h"
#include "market/security_code.h"

namespace tarvello {

std::string InfoCacheKey(const InfoQuery& query) {
  if (query.page != InfoPage::kTitles && query.page != InfoPage::kGeneralTitles) return {};
  std::string codes;
  if (query.page == InfoPage::kTitles) {
    for (const std::u16string& code : query.codes) codes += (codes.empty() ? "" : ",") + SecurityCode(code).RequestText();
  }
  std::string key = "info " + std::to_string(static_cast<int>(query.page)) + " " + std::to_string(query.kind) + " " +
                    (query.own_list ? "1 " : "0 ");
  return CacheKeyNaming(std::move(key), codes);
}

std::vector<PageEntry> ReadTitlesAnswer(InfoPage page, std::span<const std::uint8_t> answer) {
  return page == InfoPage::kTitles ? ReadInfoTitles(answer) : ReadGeneralTitles(answer);
}

std::optional<PageContent> CachedInfoPage(const InfoQuery& query, const AnswerCache* cache) {
  const std::string key = InfoCacheKey(query);
  if (cache == nullptr || key.empty()) return std::nullopt;
  const std::optional<CacheEntry> entry = cache->Find(key);
  if (!entry) return std::nullopt;
  PageContent page;
  page.entries = ReadTitlesAnswer(query.page, entry->bytes);
  if (page.entries.empty()) return std::nullopt;
  page.cached = entry->moment;
  return page;
}

}  // namespace tarvello
