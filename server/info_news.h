// The simulated information of the market: news, notices and research reports about each share,
// a few on most trading days, their article texts, and the F10 company data (latest news, events,
// finances, profile, largest holders). Everything is computed from the market and its seed, so
// the same seed gives the same items; an item names its share, kind, day and serial in its
// identifier ("1_SH600001_2761_0"), so any article can be found again from it alone.
// Pure functions of the market; safe from any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server/market.h"

namespace tarvello::server {

struct InfoItem {
  int kind = 1;  // 1 news, 2 notices, 16 research reports
  int index = 0;  // the share
  int day_index = 0;
  int serial = 0;
  int date = 0;  // YYYYMMDD
  int time = 0;  // HHMMSS
  std::string identifier;
  std::u16string title;
  std::u16string source;
};

// Kinds other than 1 and 2 are research reports.
int InfoKindOf(int kind);

// The items of one share and kind on the days up to day_index, newest first, at most limit.
std::vector<InfoItem> SecurityItems(const Market& market, int index, int kind, int day_index, int limit);
// The newest items of a kind about any share, newest first, at most limit.
std::vector<InfoItem> MarketItems(const Market& market, int kind, int day_index, int limit);
// The item an identifier names; nothing for an identifier of no share, day or kind.
std::optional<InfoItem> FindItem(const Market& market, std::string_view identifier);
// The article's paragraphs, one a line.
std::u16string ArticleText(const Market& market, const InfoItem& item);

// F10 item kinds: 4 latest news, 8 events, 16 finances (comma-separated), 7 profile, 11 holders.
std::u16string F10Text(const Market& market, int index, int item_kind, int day_index);

}  // namespace tarvello::server
