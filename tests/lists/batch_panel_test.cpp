#include <gtest/gtest.h>

#include <string>

#include "lists/batch_name_lookup.h"
#include "lists/batch_panel_model.h"
#include "lists/list_wire.h"
#include "market/own_stock_list.h"
#include "protocol/packet_codec.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::MarketCode;

std::vector<BatchRow> Page(int rows) {
  std::vector<BatchRow> page;
  for (int i = 0; i < rows; ++i) page.push_back({SecurityCode(MarketCode(i)), u"N" + MarketCode(i).substr(4)});
  return page;
}

class BatchPanelTest : public ::testing::Test {
 protected:
  testing::TempFolder folder_;
  OwnStockList self_ = OwnStockList::SelfSelected(folder_.path());
  BatchPanelModel model_;
};

TEST_F(BatchPanelTest, AddingFromAPageOffersOnlyCodesNotYetSelfSelectedAndCountsWhatItAdds) {
  for (const int i : {1, 4, 8}) ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(i))));
  model_.Fill(BatchEntry::kAddFromPage, Page(10), self_);
  ASSERT_EQ(model_.items().size(), 7u);
  for (const BatchItem& item : model_.items()) EXPECT_FALSE(self_.Contains(SecurityCode(item.code)));

  model_.Toggle(0);
  model_.Toggle(5);
  model_.Toggle(6);
  model_.Toggle(6);  // checked and unchecked again
  const BatchOutcome outcome = model_.Apply(self_);
  EXPECT_EQ(outcome.count, 2);
  EXPECT_EQ(BatchMessage(outcome), u"已添加2只个股至我的自选.");
  EXPECT_EQ(self_.Codes().size(), 5u);
  EXPECT_TRUE(self_.Contains(SecurityCode(model_.items()[5].code)));
}

TEST_F(BatchPanelTest, DeletingOffersTheWholePageAndReportsTheDeletion) {
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(i))));
  model_.Fill(BatchEntry::kDeleteFromSelfSelected, Page(4), self_);
  ASSERT_EQ(model_.items().size(), 4u);
  EXPECT_EQ(BatchMessage(model_.Apply(self_)), std::nullopt);  // nothing checked, nothing said
  model_.Toggle(0);
  model_.Toggle(3);
  const BatchOutcome outcome = model_.Apply(self_);
  EXPECT_EQ(BatchMessage(outcome), u"已从我的自选删除2只个股.");
  EXPECT_EQ(self_.Codes(), (std::vector<SecurityCode>{SecurityCode(MarketCode(2)), SecurityCode(MarketCode(1))}));
}

TEST_F(BatchPanelTest, TypedCodesAreAddedOnlyWithAKnownNameAndEightCharactersAndOnce) {
  ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(1))));
  model_.Fill(BatchEntry::kTypeCodes, {}, self_);
  ASSERT_EQ(model_.items().size(), 1u);
  EXPECT_EQ(model_.items()[0].name, u"股票名称");
  EXPECT_EQ(model_.items()[0].code, u"SH");

  // Each code typed into an item, the server's name for it (none: not asked) and the name shown.
  struct Typed {
    std::size_t item;
    std::u16string code;
    std::optional<std::u16string> serverName;
    std::u16string shown;
  };
  const Typed typed[] = {
      {0, u"SZ", {}, u"股票名称"},                // "SH/SZ" before any digit: still blank
      {0, MarketCode(2), u"Two", u"Two"},         // added; a blank item follows at once
      {1, MarketCode(1), u"One", u"One"},         // already self-selected
      {2, u"SH60000", {}, u"未知代码"},     // too short: unknown without asking
      {2, MarketCode(3), u"", u"未知代码"},       // unknown to the server
      {2, MarketCode(2), u"Two", u"Two"},         // typed a second time
  };
  for (const Typed& t : typed) {
    ASSERT_LT(t.item, model_.items().size());
    EXPECT_EQ(model_.CommitCode(t.item, t.code), t.serverName.has_value());
    if (t.serverName) model_.SetName(t.item, t.code, *t.serverName);
    EXPECT_EQ(model_.items()[t.item].name, t.shown);
  }
  ASSERT_EQ(model_.items().size(), 4u);
  EXPECT_EQ(model_.items()[3].code, u"SH");
  EXPECT_FALSE(model_.NamesPending());
  EXPECT_EQ(model_.Apply(self_).count, 1);
  EXPECT_EQ(self_.Codes(), (std::vector<SecurityCode>{SecurityCode(MarketCode(1)), SecurityCode(MarketCode(2))}));
}

TEST_F(BatchPanelTest, ALateNameForACodeTypedOverIsDropped) {
  model_.Fill(BatchEntry::kTypeCodes, {}, self_);
  ASSERT_TRUE(model_.CommitCode(0, MarketCode(5)));
  ASSERT_TRUE(model_.CommitCode(0, MarketCode(6)));
  model_.SetName(0, MarketCode(5), u"Five");
  EXPECT_TRUE(model_.NamesPending());
  model_.SetName(0, MarketCode(6), u"Six");
  EXPECT_EQ(model_.items()[0].name, u"Six");
  ASSERT_EQ(model_.items().size(), 2u);  // one blank item for the next code
  EXPECT_EQ(model_.items()[1].code, u"SH");
}

TEST(BatchMarketPrefix, CyclesShanghaiShenzhenHongKongAndResetsAnythingElse) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"SH600001", u"SZ600001"}, {u"SZ000001", u"HK000001"}, {u"HK000001", u"SH000001"}, {u"SH", u"SZ"},
      {u"BI000475", u"SH"},       {u"sh600001", u"SH"},       {u"S", u"SH"},              {u"", u"SH"},
  };
  for (const auto& [code, next] : cases) EXPECT_EQ(NextMarketPrefix(code), next);
}

TEST(BatchEntries, CommandsOpenTheirEntries) {
  EXPECT_EQ(BatchEntryFor(32862, 505), BatchEntry::kDeleteFromSelfSelected);
  EXPECT_EQ(BatchEntryFor(32862, 507), BatchEntry::kAddFromPage);
  EXPECT_EQ(BatchEntryFor(32862, 526), BatchEntry::kAddFromPage);
  EXPECT_EQ(BatchEntryFor(32866, 505), BatchEntry::kTypeCodes);
  EXPECT_EQ(BatchEntryFor(32791, 505), std::nullopt);
}

TEST(BatchPaging, ADeletionThatEmptiesTheLastPageFallsBackAPage) {
  const BatchOutcome deleted{BatchEntry::kDeleteFromSelfSelected, 3};
  const BatchOutcome added{BatchEntry::kAddFromPage, 3};
  struct Case {
    BatchOutcome outcome;
    int page, total, expected;
  };
  const Case cases[] = {
      {deleted, 2, 20, 1},  // page 3 of 10 rows held 21..23; all three deleted
      {deleted, 2, 21, 2},  // one row is left on it
      {deleted, 0, 0, 0},   // the first page stays
      {deleted, 3, 0, 0},   // nothing left at all
      {added, 2, 20, 2},
  };
  for (const Case& c : cases) EXPECT_EQ(PageAfterBatch(c.outcome, c.page, 10, c.total), c.expected);
}

// The name only of a 2200 block that describes the code asked for, and only when it is whole.
TEST(BatchNameLookup, ReadsTheNameOfTheCodeAsked) {
  const SecurityCode asked(u"SH600001");
  const auto info = [](std::u16string_view code, std::u16string_view name) {
    return WireWriter().Utf8(code).Utf8(name).U8(1).U8(2).I32(100).I32(1100).I32(900).Take();
  };
  Bytes cut = info(u"SH600001", u"Alpha");
  cut.resize(cut.size() - 3);
  const std::pair<Bytes, std::u16string> cases[] = {
      {testing::Container(kSecurityInfo, info(u"SH600001", u"Alpha")), u"Alpha"},
      {testing::Container(kSecurityInfo, info(u"SH600002", u"Beta")), u""},
      {testing::Container(kSecurityInfo, cut), u""},
      {testing::Container(kQuote, Bytes(40, 0)), u""},
      {Bytes{'{', '}'}, u""},
      {Bytes{}, u""},
  };
  for (const auto& [answer, name] : cases) EXPECT_EQ(NameInAnswer(answer.data(), answer.size(), asked), name);
}

// A list file whose name leaves no room for the engine's temporary name: every write fails
// before it touches the file, as a full disk would.
TEST(BatchWriteFailure, AFailedWriteLeavesTheOldListWholeAndIsNotReportedAsDone) {
  testing::TempFolder folder;
  const std::filesystem::path file = folder / std::string(250, 'L');
  OwnStockList list(file);
  const std::string before = std::string("[STOCKNUMBER]\r\nNUMBER=1\r\n[STOCKLIST]\r\nSTOCKCODE0=SH600001\r\n");
  std::string utf16;
  for (const char c : before) utf16 += {c, '\0'};
  testing::WriteBytes(file, utf16);
  ASSERT_EQ(list.Codes().size(), 1u);

  BatchPanelModel model;
  model.Fill(BatchEntry::kAddFromPage, Page(3), list);
  ASSERT_EQ(model.items().size(), 2u);
  model.Toggle(0);
  model.Toggle(1);
  const BatchOutcome outcome = model.Apply(list);
  EXPECT_EQ(outcome.count, 0);
  EXPECT_EQ(BatchMessage(outcome), std::nullopt);
  EXPECT_EQ(testing::ReadBytes(file), utf16);
}

}  // namespace
}  // namespace tarvello
