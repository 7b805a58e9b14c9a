// Properties of the whole simulated market: its catalogue, its levels today and over twenty
// years, and the agreement of every security's figures with each other; and its determinism by
// seed and clock.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
#include <set>

#include "answer_fixture.h"
#include "protocol/block_reader.h"
#include "server/catalog.h"
#include "server/order_book.h"
#include "server/quote_answers.h"
#include "server/quote_state.h"

namespace tarvello::server::testing {
namespace {

// The code ranges of each kind of security, and how many of each the catalogue holds.
struct CodeRule {
  const char* pattern;
  int at_least, at_most;
};

TEST(MarketTest, CatalogueHasTheScaleAndCodesOfTheExchanges) {
  AnswerFixture fixture;
  const std::map<std::string, CodeRule> rules = {
      {"SH A", {"SH60[0135]\\d{3}", 1600, 1800}}, {"SZ main and SME", {"SZ00[0-3]\\d{3}", 1400, 1600}},
      {"ChiNext", {"SZ30[01]\\d{3}", 1100, 1300}}, {"SH B", {"SH900\\d{3}", 50, 50}},
      {"SZ B", {"SZ200\\d{3}", 50, 50}},           {"fund", {"(SH5[01]|SZ1[568])\\d{4}", 280, 320}},
      {"bond", {"(SH01|SH12|SZ10|SZ11)\\d{4}", 100, 200}}, {"warrant", {"(SH580|SZ031)\\d{3}", 20, 60}},
      {"industry", {"BI0000\\d\\d", 60, 60}},     {"concept", {"BI000[12]\\d\\d", 100, 100}},
      {"region", {"BI0003\\d\\d", 31, 31}},       {"future", {"IF00000[1-4]", 4, 4}},
  };
  const std::map<Kind, std::string> kinds = {{Kind::kBShare, "B"}, {Kind::kFund, "fund"}, {Kind::kBond, "bond"},
                                             {Kind::kWarrant, "warrant"}, {Kind::kFuture, "future"}};
  std::map<std::string, std::regex> patterns;
  for (const auto& [rule, limits] : rules) patterns.emplace(rule, std::regex(limits.pattern));
  std::map<std::string, int> counts;
  std::set<std::string> codes;
  for (const Security& s : fixture.market.securities()) {
    EXPECT_TRUE(codes.insert(s.code).second) << s.code;
    EXPECT_EQ(s.code.size(), 8u) << s.code;
    EXPECT_FALSE(s.name.empty()) << s.code;
    // Every character of a name has its initial (letters and digits stand for themselves).
    EXPECT_EQ(s.initials.size(), s.name.size()) << s.code;
    std::string rule;
    if (s.kind == Kind::kAShare) rule = s.board == Board::kChiNext ? "ChiNext" : s.code[1] == 'H' ? "SH A" : "SZ main and SME";
    if (s.kind == Kind::kBShare) rule = s.code[1] == 'H' ? "SH B" : "SZ B";
    if (s.kind == Kind::kSector) rule = std::array{"industry", "concept", "region"}[static_cast<int>(s.sector_class)];
    if (rule.empty() && kinds.count(s.kind) != 0) rule = kinds.at(s.kind);
    if (rule.empty()) continue;
    counts[rule] += 1;
    EXPECT_TRUE(std::regex_match(s.code, patterns.at(rule))) << rule << " " << s.code;
    if (s.kind == Kind::kFund || s.kind == Kind::kBond || s.kind == Kind::kWarrant) {
      EXPECT_EQ(s.decimals, 3) << s.code;
    }
    if (s.kind == Kind::kBShare) {
      EXPECT_EQ(s.decimals, s.code[1] == 'H' ? 3 : 2) << s.code;
    }
    if (s.kind == Kind::kSector) {
      EXPECT_GT(s.members.size(), 5u) << s.code;
    }
  }
  for (const auto& [rule, limits] : rules) {
    EXPECT_GE(counts[rule], limits.at_least) << rule;
    EXPECT_LE(counts[rule], limits.at_most) << rule;
  }
}

TEST(MarketTest, EveryShareBelongsToOneIndustryOneRegionAndSeveralConcepts) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  for (int i = 0; i < m.size(); ++i) {
    const Security& s = m.security(i);
    if (s.kind != Kind::kAShare) continue;
    std::map<SectorClass, int> classes;
    for (int sector : s.sectors) {
      classes[m.security(sector).sector_class] += 1;
      const auto& members = m.security(sector).members;
      EXPECT_NE(std::find(members.begin(), members.end(), i), members.end()) << s.code;
    }
    EXPECT_EQ(classes[SectorClass::kIndustry], 1) << s.code;
    EXPECT_EQ(classes[SectorClass::kRegion], 1) << s.code;
    EXPECT_GE(classes[SectorClass::kConcept], 2) << s.code;
    EXPECT_EQ(s.limit_percent, s.st ? 5 : s.board == Board::kChiNext ? 20 : 10) << s.code;
    EXPECT_EQ(s.st, s.name.rfind(u"ST", 0) == 0) << s.code;
  }
}

struct LevelRange {
  const char* code;
  double low, high;
};
constexpr LevelRange kLevels[] = {{"SH000001", 3000, 3500}, {"SZ399001", 10000, 12000}, {"SH000300", 3500, 4500},
                                  {"SZ399006", 2000, 2500}};

TEST(MarketTest, IndicesStandAtRealisticLevelsForEverySeed) {
  for (std::uint64_t seed : {1, 7, 12345}) {
    AnswerFixture fixture("2026-12-04 10:30", seed);
    for (const LevelRange& range : kLevels) {
      const QuoteState q = QuoteAt(fixture.market, fixture.market.Find(range.code), fixture.PositionOf(range.code));
      for (int level : {q.prev_close, q.last}) {
        EXPECT_GE(level / 100.0, range.low) << range.code << " seed " << seed;
        EXPECT_LE(level / 100.0, range.high) << range.code << " seed " << seed;
      }
    }
    const QuoteState index = QuoteAt(fixture.market, fixture.market.Find("SH000300"), fixture.PositionOf("SH000300"));
    const QuoteState future = QuoteAt(fixture.market, fixture.market.Find("IF000001"), fixture.PositionOf("IF000001"));
    EXPECT_NEAR(static_cast<double>(future.prev_close) / index.prev_close, 1.0, 0.01) << seed;
  }
}

TEST(MarketTest, IndexLevelsWanderButStayWithinAFactorOfThreeOverTwentyYears) {
  MarketConfig config;
  config.seed = 3;
  config.start = *ParseSimTime("2026-12-04 10:30");
  config.history_days = 20 * 250;
  config.future_days = 5;
  const Market m(config);
  const int today = m.start_day_index();
  for (const LevelRange& range : kLevels) {
    const int index = m.Find(range.code);
    const double now = m.day(index, today).prev_close;
    double lowest = now, highest = now;
    for (int d = today - 20 * 250; d < today; d += 50) {
      lowest = std::min(lowest, static_cast<double>(m.day(index, d).close));
      highest = std::max(highest, static_cast<double>(m.day(index, d).close));
    }
    EXPECT_GT(lowest, now / 3) << range.code;
    EXPECT_LT(highest, now * 3) << range.code;
    EXPECT_GT(highest / lowest, 1.2) << range.code << " does not wander";
  }
}

TEST(MarketTest, BreadthCountsAreTheMembersOwnMoves) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  for (const char* code : {"SH000001", "SZ399001", "BI000001", "BI000301"}) {
    const int index = m.Find(code);
    int up = 0, flat = 0, down = 0;
    for (int member : m.security(index).members) {
      const QuoteState q = QuoteAt(m, member, fixture.PositionOf(code));
      (q.last > q.prev_close ? up : q.last < q.prev_close ? down : flat) += 1;
    }
    const Bytes body = BreadthBody(m, index, fixture.PositionOf(code));
    BlockReader r(body.data(), 0, body.size());
    EXPECT_EQ(r.Int16(), up) << code;
    EXPECT_EQ(r.Int16(), flat) << code;
    EXPECT_EQ(r.Int16(), down) << code;
    EXPECT_GT(up, 0) << code;
    EXPECT_GT(down, 0) << code;
  }
}

// The level moves as the members' market value: its ratio to yesterday's close is theirs.
TEST(MarketTest, SectorAndIndexFiguresAreComputedFromTheirMembers) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  for (int index = 0; index < m.size(); ++index) {
    const Security& s = m.security(index);
    if (!s.IsComposite()) continue;
    const Position at = fixture.PositionOf(s.code);
    double value = 0, previous = 0;
    std::int64_t amount = 0;
    for (int member : s.members) {
      const QuoteState q = QuoteAt(m, member, at);
      value += IndexWeight(m.security(member)) * (q.suspended ? q.prev_close : q.last);
      previous += IndexWeight(m.security(member)) * m.day(member, at.day_index - 1).close;
      amount += q.amount;
    }
    const QuoteState level = QuoteAt(m, index, at);
    EXPECT_NEAR(static_cast<double>(level.last) / level.prev_close, value / previous, 2.0 / level.prev_close) << s.code;
    EXPECT_EQ(level.amount, amount) << s.code;
    EXPECT_EQ(m.day(index, at.day_index).prev_close, m.day(index, at.day_index - 1).close) << s.code;
  }
}

TEST(MarketTest, DaysChainAndRespectTheirLimitsOverTheYears) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  int suspended = 0, at_limit = 0;
  for (int i = 0; i < m.size(); i += 7) {
    for (int d = m.first_history_day() + 1; d <= m.start_day_index(); d += 13) {
      const DayQuote day = m.day(i, d);
      const DayQuote before = m.day(i, d - 1);
      EXPECT_LE(day.prev_close, before.close) << m.security(i).code << " day " << d;
      if (day.limit_percent == 0) continue;
      EXPECT_GE(day.close, day.LimitDown()) << m.security(i).code << " day " << d;
      EXPECT_LE(day.close, day.LimitUp()) << m.security(i).code << " day " << d;
      EXPECT_GE(day.open, day.LimitDown());
      EXPECT_LE(day.open, day.LimitUp());
      suspended += day.suspended ? 1 : 0;
      at_limit += day.close == day.LimitUp() || day.close == day.LimitDown() ? 1 : 0;
    }
  }
  EXPECT_GT(suspended, 0);
  EXPECT_GT(at_limit, 0);
}

TEST(MarketTest, TodaysPathsStayInsideTheirLimitsAndMeetTheDailyClose) {
  AnswerFixture fixture("2026-12-04 15:00");
  const Market& m = fixture.market;
  for (int i = 0; i < m.size(); ++i) {
    const Position at = fixture.PositionOf(m.security(i).code);
    const DayQuote day = m.day(i, at.day_index);
    const auto path = m.Path(i, at.day_index);
    ASSERT_EQ(static_cast<int>(path->price.size()), m.security(i).session->SlotCount());
    EXPECT_EQ(path->price.front(), day.open) << m.security(i).code;
    EXPECT_EQ(path->price.back(), day.close) << m.security(i).code;
    if (day.limit_percent == 0) continue;
    for (int price : path->price) {
      EXPECT_GE(price, day.LimitDown()) << m.security(i).code;
      EXPECT_LE(price, day.LimitUp()) << m.security(i).code;
    }
  }
}

TEST(MarketTest, SuspendedSharesShowNoTrade) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  for (int i = 0; i < m.size(); ++i) {
    const Position at = fixture.PositionOf(m.security(i).code);
    if (!m.day(i, at.day_index).suspended) continue;
    const Bytes body = SnapshotBody(m, i, at);
    BlockReader r(body.data(), 0, body.size());
    EXPECT_EQ(r.Int32(), 0) << m.security(i).code;  // last
    r.Int32();
    EXPECT_EQ(r.Int32(), 0);  // volume
  }
}

TEST(MarketTest, BooksAreTwoSidedOrderedAndBalancedAroundZero) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  double ratio_sum = 0;
  int books = 0, thin = 0;
  for (int i = 0; i < m.size(); ++i) {
    const Security& s = m.security(i);
    if (s.IsIndexLike()) continue;
    const Position at = fixture.PositionOf(s.code);
    const QuoteState q = QuoteAt(m, i, at);
    if (q.last == 0 || q.last >= q.limit_up || (q.limit_down != 0 && q.last <= q.limit_down)) continue;
    const OrderBook book = BuildBook(m, i, at, q, 5);
    EXPECT_LT(book.bids[0].price, book.asks[0].price) << s.code;
    EXPECT_LE(book.asks[0].price - book.bids[0].price, 2 * (s.kind == Kind::kFuture ? 20 : 1)) << s.code;
    for (std::size_t level = 1; level < 5; ++level) {
      if (book.asks[level].volume > 0) {
        EXPECT_GT(book.asks[level].price, book.asks[level - 1].price) << s.code;
      }
      if (book.bids[level].volume > 0) {
        EXPECT_LT(book.bids[level].price, book.bids[level - 1].price) << s.code;
      }
    }
    thin += book.bids[0].volume < 10 || book.asks[0].volume < 10 ? 1 : 0;
    ratio_sum += book.OrderRatio(0);
    ++books;
    const BestQueues queues = QueuesAtBest(m, i, at, q);
    int queued = 0;
    for (int order : queues.ask.orders) queued += order;
    EXPECT_EQ(queued, book.asks[0].volume) << s.code;
  }
  EXPECT_GT(books, 4000);
  EXPECT_LT(thin, books / 20);
  EXPECT_NEAR(ratio_sum / books, 0.0, 5.0);  // percent
}

TEST(MarketTest, TicksMinutesAndTheDayAgreeOnVolume) {
  AnswerFixture fixture("2026-12-04 15:00");
  const Market& m = fixture.market;
  for (const char* code : {"SH600001", "SZ300002", "SH510010", "IF000001", "HK010001"}) {
    const int i = m.Find(code);
    const Position at = fixture.PositionOf(code);
    const QuoteState q = QuoteAt(m, i, at);
    std::int64_t ticks = 0, minutes = 0;
    for (const Tick& tick : LatestTicks(m, i, at, at.slots * kTicksPerSlot)) ticks += tick.volume;
    const auto path = m.Path(i, at.day_index);
    for (int k = 0; k < at.slots; ++k) minutes += path->volume[static_cast<std::size_t>(k)];
    EXPECT_EQ(ticks, q.volume) << code;
    EXPECT_EQ(minutes, q.volume) << code;
    EXPECT_EQ(q.inner + q.outer, q.volume) << code;
  }
}

TEST(MarketTest, DailyHistoryReachesBackTenYearsForLongListedShares) {
  const Market m(MarketConfig{1, *ParseSimTime("2026-12-04 10:30")});
  for (const char* code : {"SH600001", "SZ000002", "SZ002001", "SH000001"}) {
    EXPECT_LE(m.FirstBarDay(m.Find(code)), m.start_day_index() - 10 * 250) << code;
  }
  EXPECT_GT(m.FirstBarDay(m.Find("SZ301001")), m.start_day_index() - 5 * 250);
}

TEST(MarketTest, OutsideTradingHoursTheLastStateStands) {
  AnswerFixture before("2026-12-04 09:00");
  AnswerFixture previous_close("2026-12-03 16:00");
  AnswerFixture weekend("2026-12-05 11:00");
  AnswerFixture friday_close("2026-12-04 15:30");
  const int share = before.market.Find("SH600001");
  const Position p1 = before.PositionOf("SH600001");
  const Position p2 = previous_close.PositionOf("SH600001");
  EXPECT_EQ(before.market.TradingDay(p1.day_index), previous_close.market.TradingDay(p2.day_index));
  EXPECT_EQ(p1.slots, 242);
  EXPECT_EQ(QuoteAt(before.market, share, p1).last, QuoteAt(previous_close.market, share, p2).last);
  const Position p3 = weekend.PositionOf("SH600001"), p4 = friday_close.PositionOf("SH600001");
  EXPECT_EQ(QuoteAt(weekend.market, share, p3).last, QuoteAt(friday_close.market, share, p4).last);
}

TEST(MarketTest, SameSeedAndClockGiveTheSameBytes) {
  AnswerFixture a, b;
  AnswerFixture other_seed("2026-12-04 10:30", 8);
  AnswerFixture other_time("2026-12-04 10:31");
  CPacketCodec c;
  const std::vector<Bytes> request = {c.BuildMinuteData("SH600001", 0), c.BuildQuote("SH000001"),
                                      c.BuildKLine("SZ000002", 7, 0, 122, 1), c.BuildTenLevelBook("SH600001")};
  const Bytes answer = a.RawAnswer(request);
  EXPECT_EQ(answer, b.RawAnswer(request));
  EXPECT_NE(answer, other_seed.RawAnswer(request));
  EXPECT_NE(answer, other_time.RawAnswer(request));
}

TEST(MarketTest, CachedAnswersAreSharedWithinAMinute) {
  AnswerFixture fixture;
  CPacketCodec c;
  const std::vector<Bytes> request = {c.BuildMinuteData("SH600001", 0), c.BuildKLine("SH600001", 7, 0, 122, 0)};
  const Bytes first = fixture.RawAnswer(request);
  const std::size_t misses = fixture.handler.cache().misses();
  EXPECT_EQ(fixture.RawAnswer(request), first);
  EXPECT_EQ(fixture.handler.cache().misses(), misses);
  EXPECT_GE(fixture.handler.cache().hits(), 2u);
}

}  // namespace
}  // namespace tarvello::server::testing
