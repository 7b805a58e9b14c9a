#include "info/info_cache.h"

#include <cstdio>

#include "info/info_answers.h"
#include "market/security_code.h"

namespace tarvello {
namespace {

// FNV-1a, so that a long list of codes gives the same key in every run.
std::string Digest(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return hex;
}

}  // namespace

std::string InfoCacheKey(const InfoQuery& query) {
  if (query.page != InfoPage::kTitles && query.page != InfoPage::kGeneralTitles) return {};
  std::string codes;
  if (query.page == InfoPage::kTitles) {
    for (const std::u16string& code : query.codes) codes += (codes.empty() ? "" : ",") + SecurityCode(code).RequestText();
  }
  std::string key = "info " + std::to_string(static_cast<int>(query.page)) + " " + std::to_string(query.kind) + " " +
                    (query.own_list ? "1 " : "0 ");
  return key.size() + codes.size() <= kMaxCacheKeyLength ? key + codes : key + "#" + Digest(codes);
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
