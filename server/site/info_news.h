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

#include "server/market/market.h"
#include "server/market/sim_clock.h"

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

// The moment information is read at: items of later days, or of its day after its time, are not
// out yet. On a trading day it is that day and the clock's time; on a day off the last trading day
// before it, all of it.
struct InfoMoment {
  int day_index = 0;
  int time = 0;  // HHMMSS
};
InfoMoment InfoMomentOf(const Market& market, const SimTime& now);

// The items of one share and kind out at the moment, newest first, at most limit.
std::vector<InfoItem> SecurityItems(const Market& market, int index, int kind, const InfoMoment& moment, int limit);
// The newest items of a kind about any share, newest first, at most limit.
std::vector<InfoItem> MarketItems(const Market& market, int kind, const InfoMoment& moment, int limit);
// The item an identifier names; nothing for an identifier of no share, day or kind, or of an item
// not out at the moment.
std::optional<InfoItem> FindItem(const Market& market, std::string_view identifier, const InfoMoment& moment);
// The article's paragraphs, one a line. It quotes the share's price at the item's own time.
std::u16string ArticleText(const Market& market, const InfoItem& item);

// F10 item kinds: 4 latest news, 8 events, 16 finances (comma-separated), 7 profile, 11 holders.
std::u16string F10Text(const Market& market, int index, int item_kind, const InfoMoment& moment);

}  // namespace tarvello::server
