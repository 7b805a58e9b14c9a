#include "server/site/markup_site.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "market/change_text.h"
#include "market/price_text.h"
#include "server/figures/list_categories.h"
#include "server/figures/list_market.h"
#include "server/market/calendar.h"
#include "server/market/quote_state.h"
#include "server/site/arrow_picture.h"
#include "text/text_codec.h"

namespace tarvello::server {
namespace {

constexpr std::string_view kSite = "/wap/";
constexpr int kMoversShown = 5;
constexpr std::string_view kMainIndices[] = {"SH000001", "SZ399001", "SH000300"};

// Markup colours are six hexadecimal digits, red first; drawing colours keep red in the low byte.
std::u16string Hex(ColorRef colour) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF,
                (colour >> 16) & 0xFF);
  return text::FromAscii(buffer);
}

std::u16string Number(long long value) { return text::FromAscii(std::to_string(value)); }

std::u16string Styled(ColorRef colour, std::u16string_view text) {
  return u"<style color=\"" + Hex(colour) + u"\">" + std::u16string(text) + u"</style>";
}

std::u16string Link(std::u16string_view href, std::u16string_view text) {
  return u"<a href=\"" + std::u16string(href) + u"\">" + std::u16string(text) + u"</a>";
}

std::u16string Document(std::u16string_view title, std::u16string_view body) {
  return u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE wml>\n<wml>\n<card id=\"main\" "
         u"title=\"" +
         std::u16string(title) + u"\">\n" + std::u16string(body) + u"</card>\n</wml>\n";
}

// Every page but the front page ends with the way back and the way home.
std::u16string Card(std::u16string_view title, std::u16string_view body) {
  return Document(title, std::u16string(body) + u"<p><anchor><prev/>返回</anchor> | " +
                             Link(u"index.wml", u"首页") + u"</p>\n");
}

// The trading day the market stands in at now, and the moment it is shown at.
struct Moment {
  int day_index = 0;
  std::u16string text;  // "2026-12-04 10:30", or the date and "收盘" once the day is over
};

Moment MomentOf(const Market& market, const SimTime& now) {
  const int day_index = market.PositionAt(0, now).day_index;
  const std::int64_t day = market.TradingDay(day_index);
  const int date = CivilDate(day);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date / 10000, date / 100 % 100,
                date % 100);
  std::u16string text = text::FromAscii(buffer);
  const int hhmm = now.Hhmmss() / 100;
  if (day == now.day && hhmm < 1500) {
    std::snprintf(buffer, sizeof buffer, " %02d:%02d", hhmm / 100, hhmm % 100);
    text += text::FromAscii(buffer);
  } else {
    text += u" 收盘";
  }
  return Moment{day_index, std::move(text)};
}

struct Mover {
  int index = 0;
  QuoteState quote;
  double ratio = 0;
};

// The A shares that trade at now, with their change against the previous close.
std::vector<Mover> TradingShares(const Market& market, const SimTime& now) {
  std::vector<Mover> shares;
  for (const int index : CategoryMembers(market, kAllAShares, 0)) {
    const Position position = market.PositionAt(index, now);
    if (position.day_index < market.security(index).listed_day) continue;
    const QuoteState quote = QuoteAt(market, index, position);
    if (quote.suspended || quote.last == 0 || quote.prev_close == 0) continue;
    shares.push_back(Mover{index, quote, double(quote.last - quote.prev_close) / quote.prev_close});
  }
  return shares;
}

std::u16string QuoteRow(const Market& market, int index, const QuoteState& quote) {
  const Security& security = market.security(index);
  const auto decimals = static_cast<std::uint8_t>(security.decimals);
  const ChangeTexts change = ChangeOf(quote.last, quote.prev_close, decimals);
  return u"<tr><td>" + security.name + u"</td><td>" + PriceText(quote.last, decimals) +
         u"</td><td>" + Styled(change.colour, change.percent) + u"</td></tr>\n";
}

// The front page's links, one a line.
constexpr std::pair<std::u16string_view, std::u16string_view> kFrontLinks[] = {
    {u"summary.wml", u"市场概况"},    {u"movers.wml", u"涨跌排行"},
    {u"styles.wml", u"颜色与字体"},   {u"pictures.wml", u"涨跌图示"},
    {u"broken.wml", u"维护中的页面"},
};

std::u16string FrontPage(const Moment& moment) {
  std::u16string body = u"<p align=\"center\"><b>Tarvello 直播</b></p>\n<p>" +
                        Styled(kHeaderCyan, moment.text) + u"</p>\n<p>";
  for (const auto& [href, text] : kFrontLinks) body += Link(href, text) + u"<br/>\n";
  return Document(u"Tarvello 直播", body + u"</p>\n");
}

std::u16string SummaryPage(const Market& market, const SimTime& now, const Moment& moment) {
  std::u16string body = u"<p><b>市场概况</b> " + moment.text +
                        u"</p>\n<table col=\"3\" row=\"4\" border=\"1\">\n" +
                        u"<tr bgcolor=\"303030\"><td>指数</td><td>最新</td><td>涨跌幅</td></tr>\n";
  for (const std::string_view code : kMainIndices) {
    const int index = market.Find(code);
    if (index >= 0)
      body += QuoteRow(market, index, QuoteAt(market, index, market.PositionAt(index, now)));
  }
  body += u"</table>\n";
  int up = 0;
  int down = 0;
  int flat = 0;
  for (const Mover& share : TradingShares(market, now)) {
    ++(share.ratio > 0 ? up : share.ratio < 0 ? down : flat);
  }
  body += u"<p>沪深A股 上涨" + Styled(kRiseRed, Number(up)) + u"家 下跌" +
          Styled(kFallGreen, Number(down)) + u"家 平盘" + Number(flat) + u"家</p>\n<p>" +
          Link(u"movers.wml", u"涨跌排行") + u"</p>\n";
  return Card(u"市场概况", body);
}

std::u16string MoversTable(const Market& market, std::u16string_view heading,
                           const std::vector<Mover>& shares) {
  std::u16string table = u"<p><b>" + std::u16string(heading) +
                         u"</b></p>\n<table col=\"3\" row=\"" +
                         Number(static_cast<long long>(shares.size()) + 1) + u"\" border=\"0\">\n" +
                         u"<tr bgcolor=\"303030\"><td>名称</td><td>最新</td><td>涨跌幅</td></tr>\n";
  for (const Mover& share : shares) table += QuoteRow(market, share.index, share.quote);
  return table + u"</table>\n";
}

std::u16string MoversPage(const Market& market, const SimTime& now, const Moment& moment) {
  std::vector<Mover> shares = TradingShares(market, now);
  std::stable_sort(shares.begin(), shares.end(),
                   [](const Mover& a, const Mover& b) { return a.ratio > b.ratio; });
  const std::size_t shown = std::min<std::size_t>(kMoversShown, shares.size() / 2);
  const std::vector<Mover> risers(shares.begin(),
                                  shares.begin() + static_cast<std::ptrdiff_t>(shown));
  const std::vector<Mover> fallers(shares.rbegin(),
                                   shares.rbegin() + static_cast<std::ptrdiff_t>(shown));
  return Card(u"涨跌排行", u"<p>" + moment.text + u"</p>\n" +
                               MoversTable(market, u"涨幅前列", risers) +
                               MoversTable(market, u"跌幅前列", fallers) + u"<p>" +
                               Link(u"summary.wml", u"市场概况") + u"</p>\n");
}

std::u16string StylesPage() {
  return Card(
      u"颜色与字体",
      u"<p>" + Styled(kRiseRed, u"红色表示上涨") + u"<br/>\n" +
          Styled(kFallGreen, u"绿色表示下跌") + u"<br/>\n" +
          Styled(kVolumeYellow, u"黄色表示成交量") + u"</p>\n<p><b>粗体</b> <i>斜体</i> " +
          u"<u>下划线</u> <strong>强调</strong></p>\n<p>Tarvello&nbsp;Live &amp; more</p>\n" +
          u"<p><a href=\"summary.wml\"><style color=\"" + Hex(kHeaderCyan) +
          u"\">彩色链接</style></a></p>\n");
}

std::u16string PicturesPage() {
  return Card(u"涨跌图示",
              u"<p><img src=\"pictures/rise.bmp\" alt=\"涨\"/> 上涨 <img src=\"pictures/fall.bmp\" "
              u"alt=\"跌\"/> 下跌</p>\n"
              u"<p><anchor><go href=\"movers.wml\"/><img "
              u"src=\"pictures/rise.bmp\"/>看涨跌排行</anchor></p>\n");
}

// A page whose bold text is never closed: the reader stops at the paragraph's end tag.
std::u16string BrokenPage() {
  return u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<wml>\n<card title=\"维护中\">\n"
         u"<p>本页<b>正在维护</p>\n</card>\n</wml>\n";
}

}  // namespace

std::optional<std::string> MarkupPage(std::string_view path, const Market& market,
                                      const SimTime& now) {
  if (!path.starts_with(kSite)) return std::nullopt;
  const std::string_view page = path.substr(kSite.size());
  if (page == "pictures/rise.bmp") return ArrowPicture(true, kRiseRed);
  if (page == "pictures/fall.bmp") return ArrowPicture(false, kFallGreen);
  std::u16string text;
  if (page == "index.wml") text = FrontPage(MomentOf(market, now));
  if (page == "summary.wml") text = SummaryPage(market, now, MomentOf(market, now));
  if (page == "movers.wml") text = MoversPage(market, now, MomentOf(market, now));
  if (page == "styles.wml") text = StylesPage();
  if (page == "pictures.wml") text = PicturesPage();
  if (page == "broken.wml") text = BrokenPage();
  if (text.empty()) return std::nullopt;
  return text::ToUtf8(text);
}

}  // namespace tarvello::server
