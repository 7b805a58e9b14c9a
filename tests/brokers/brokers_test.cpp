// The broker pieces without a screen: the catalogue file, the short-spell match, the own list's
// model and its file.
#include <gtest/gtest.h>

#include <string>

#include "brokers/broker_catalogue.h"
#include "brokers/commission_model.h"
#include "brokers/short_spell_match.h"
#include "brokers/trades_file.h"
#include "storage/profile_file.h"
#include "storage/utf16le.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

std::string Areas(int count) {
  std::string xml = "<root><security name=\"S\" short=\"S\">";
  for (int i = 0; i < count; ++i) xml += "<area name=\"A" + std::to_string(i) + "\"/>";
  return xml + "</security></root>";
}

TEST(BrokerCatalogueTest, BranchesAreNamedAfterTheirAreaCarryTheirNumbersAndLevelsAreBounded) {
  BrokerCatalogue catalogue;
  ASSERT_TRUE(catalogue.Parse(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
      "<root><security name=\"白鹭证券\" short=\"BLZQ\">"
      "<area name=\"北京\" short=\"BJ\"><dept name=\"人民路营业部\" short=\"RMLYYB\" tel=\"010-555\"/></area>"
      "<area name=\"上海\"><dept tel=\"021\"/><dept name=\"中山路营业部\"/></area>"
      "</security><security name=\"云杉证券\"/></root>"));
  EXPECT_EQ(catalogue.Brokers(), (std::vector<CatalogueEntry>{{u"白鹭证券", u"BLZQ", u""}, {u"云杉证券", u"", u""}}));
  EXPECT_EQ(catalogue.Areas(0).size(), 2u);
  EXPECT_TRUE(catalogue.Areas(1).empty());
  EXPECT_EQ(catalogue.Branches(0, 0),
            (std::vector<CatalogueEntry>{{u"北京-人民路营业部", u"RMLYYB", u"010-555"}}));
  EXPECT_EQ(catalogue.Branches(0, 1),
            (std::vector<CatalogueEntry>{{u"上海-", u"", u"021"}, {u"上海-中山路营业部", u"", u""}}));
  EXPECT_TRUE(catalogue.Branches(0, 2).empty());
  EXPECT_TRUE(catalogue.Branches(2, 0).empty());
  ASSERT_TRUE(catalogue.Parse("<?xml version=\"1.0\" encoding=\"GB2312\"?><root><security name=\"\xb1\xb1\xbe\xa9\"/></root>"));
  EXPECT_EQ(catalogue.Brokers().front().name, u"北京") << "a GB-declared file is read as GBK";
  // Each level holds at most 255 entries.
  ASSERT_TRUE(catalogue.Parse(Areas(256)));
  const std::vector<CatalogueEntry> areas = catalogue.Areas(0);
  ASSERT_EQ(areas.size(), 255u);
  EXPECT_EQ(areas.back().name, u"A254");
  EXPECT_TRUE(catalogue.Branches(0, 255).empty());

  std::string brokers = "<root>";
  for (int i = 0; i < 256; ++i) brokers += "<security name=\"B\"/>";
  ASSERT_TRUE(catalogue.Parse(brokers + "</root>"));
  EXPECT_EQ(catalogue.Brokers().size(), 255u);
  // A file without brokers leaves the catalogue empty.
  const char* files[] = {"", "<root>", "<other><security name=\"x\"/></other>", "\xff\xfe<"};
  for (const char* bytes : files) {
    SCOPED_TRACE(bytes);
    BrokerCatalogue empty;
    EXPECT_FALSE(empty.Parse(bytes));
    EXPECT_TRUE(empty.Brokers().empty());
    EXPECT_TRUE(empty.Areas(0).empty());
  }
  testing::TempFolder folder;
  BrokerCatalogue missing;
  EXPECT_FALSE(missing.Load(folder / "Security.xml"));
}

TEST(ShortSpellMatchTest, TypedInitialsBeginTheShortName) {
  const struct {
    std::u16string_view short_name;
    std::u16string_view typed;
    bool matches;
  } cases[] = {
      {u"HXZQ", u"hx", true},    {u"HXZQ", u"HXZQ", true},   {u"H-X ZQ", u"HXZ", true}, {u"HXZQ", u"H.X", true},
      {u"HXZQ", u"XZ", false},   {u"HXZQ", u"HXZQA", false}, {u"HXZQ", u"", false},     {u"HXZQ", u"-", false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(MatchesShortSpell(cases[i].short_name, cases[i].typed), cases[i].matches) << "case " << i;
  }
}

constexpr char kCatalogue[] =
    "<root>"
    "<security name=\"白鹭证券\" short=\"BLZQ\">"
    "<area name=\"北京\" short=\"BJ\"><dept name=\"人民路营业部\" short=\"RMLYYB\" tel=\"010-1\"/>"
    "<dept name=\"和平路营业部\" short=\"HPLYYB\" tel=\"010-2\"/></area>"
    "<area name=\"上海\" short=\"SH\"><dept name=\"中山路营业部\" short=\"ZSLYYB\" tel=\"021-1\"/></area>"
    "</security>"
    "<security name=\"云杉证券\" short=\"YSZQ\"><area name=\"广东\" short=\"GD\">"
    "<dept name=\"滨江路营业部\" short=\"BJLYYB\" tel=\"020-1\"/></area></security>"
    "</root>";

std::vector<std::u16string> Texts(const CommissionModel& model) {
  std::vector<std::u16string> texts;
  for (const CommissionRow& row : model.Rows()) texts.push_back(row.text);
  return texts;
}

class CommissionModelTest : public ::testing::Test {
 protected:
  CommissionModelTest() {
    testing::WriteBytes(folder_ / "Security.xml", kCatalogue);
    model_.LoadCatalogue();
  }
  // Walks the catalogue to a branch office and adds it.
  CommissionModel::Choice Add(int broker, int area, int branch) {
    model_.StartAdding();
    model_.Choose(broker);
    model_.Choose(area);
    return model_.Choose(branch);
  }

  testing::TempFolder folder_;
  CommissionModel model_{folder_.path()};
};

// A program folder without a catalogue reads the one shipped beside the program; one with its own
// reads that.
TEST(CommissionCatalogueTest, TheProgramFoldersOwnCatalogueComesBeforeTheShippedOne) {
  testing::TempFolder home;
  testing::TempFolder shipped;
  testing::WriteBytes(shipped / "Security.xml", kCatalogue);
  CommissionModel model(home.path(), shipped.path());
  model.LoadCatalogue();
  model.StartAdding();
  EXPECT_EQ(Texts(model), (std::vector<std::u16string>{u"白鹭证券", u"云杉证券"}));

  testing::WriteBytes(home / "Security.xml", "<root><security name=\"自有证券\"/></root>");
  CommissionModel own(home.path(), shipped.path());
  own.LoadCatalogue();
  own.StartAdding();
  EXPECT_EQ(Texts(own), (std::vector<std::u16string>{u"自有证券"}));
}

TEST_F(CommissionModelTest, AddingWalksBrokerAreaBranchAndShowsTheOwnListWithTheNewEntry) {
  EXPECT_TRUE(model_.OpenOwnList());
  model_.StartAdding();
  EXPECT_EQ(model_.Choose(0), CommissionModel::Choice::kOpened);
  EXPECT_EQ(Texts(model_), (std::vector<std::u16string>{u"北京", u"上海"}));
  EXPECT_EQ(model_.Choose(0), CommissionModel::Choice::kOpened);
  EXPECT_EQ(model_.Rows(), (std::vector<CommissionRow>{{u"北京-人民路营业部", u"010-1"}, {u"北京-和平路营业部", u"010-2"}}));
  EXPECT_EQ(model_.Choose(1), CommissionModel::Choice::kAdded);
  EXPECT_EQ(model_.mode(), CommissionMode::kOwn);
  EXPECT_EQ(model_.Rows(), (std::vector<CommissionRow>{{u"北京-和平路营业部", u"010-2"}}));
  EXPECT_EQ(model_.NumberOf(0), u"010-2");

  ASSERT_EQ(Add(1, 0, 0), CommissionModel::Choice::kAdded);
  EXPECT_EQ(model_.paging().selected(), 1);
  EXPECT_FALSE(model_.OpenOwnList());
  EXPECT_EQ(model_.own().size(), 2u);
}

TEST_F(CommissionModelTest, BackClimbsTheCatalogueToTheOwnListAndKeepsTheChosenRow) {
  model_.OpenOwnList();
  model_.StartAdding();
  model_.Choose(0);
  model_.Choose(1);
  ASSERT_EQ(model_.level(), CatalogueLevel::kBranches);
  EXPECT_TRUE(model_.Back());
  EXPECT_EQ(model_.level(), CatalogueLevel::kAreas);
  EXPECT_EQ(model_.paging().selected(), 1);
  EXPECT_TRUE(model_.Back());
  EXPECT_EQ(model_.level(), CatalogueLevel::kBrokers);
  EXPECT_TRUE(model_.Back());
  EXPECT_EQ(model_.mode(), CommissionMode::kOwn);
  EXPECT_FALSE(model_.Back());
  model_.Manage();
  EXPECT_EQ(model_.Title(), u"券商管理");
  EXPECT_TRUE(model_.Back());
  EXPECT_EQ(model_.mode(), CommissionMode::kOwn);
}

TEST_F(CommissionModelTest, ShortSpellNarrowsTheLevelInFrontAndABarCutsTheNumber) {
  model_.OpenOwnList();
  model_.ApplyShortSpell(u"ys");
  EXPECT_EQ(model_.mode(), CommissionMode::kAdding);
  EXPECT_EQ(Texts(model_), (std::vector<std::u16string>{u"云杉证券"}));
  EXPECT_EQ(model_.Choose(0), CommissionModel::Choice::kOpened);
  EXPECT_EQ(Texts(model_), (std::vector<std::u16string>{u"广东"}));
  model_.Back();
  model_.Choose(0);
  model_.Choose(0);
  model_.ApplyShortSpell(u"HP");
  EXPECT_EQ(Texts(model_), (std::vector<std::u16string>{u"北京-和平路营业部"}));
  EXPECT_EQ(model_.Choose(0), CommissionModel::Choice::kAdded);
  EXPECT_EQ(model_.own().front().tel, u"010-2");
  // A number holding a bar is cut at the bar; without a catalogue nothing is offered.
  std::filesystem::remove(folder_ / "Trades.ini");
  testing::WriteBytes(folder_ / "Security.xml",
                      "<root><security name=\"S\"><area name=\"A\"><dept name=\"D\" tel=\"010|9\"/></area></security></root>");
  CommissionModel model(folder_.path());
  model.LoadCatalogue();
  model.StartAdding();
  model.Choose(0);
  model.Choose(0);
  ASSERT_EQ(model.Choose(0), CommissionModel::Choice::kAdded);
  EXPECT_EQ(model.own().front().tel, u"010");
  EXPECT_EQ(model.own().front().name, u"9|A-D");
  // Without a catalogue the adding view is empty.
  std::filesystem::remove(folder_ / "Security.xml");
  CommissionModel none(folder_.path());
  none.LoadCatalogue();
  EXPECT_TRUE(none.NeedsCatalogue());
  none.StartAdding();
  EXPECT_TRUE(none.Rows().empty());
  EXPECT_EQ(none.Choose(0), CommissionModel::Choice::kNone);
}

TEST(RowPagingTest, TheSelectionStaysOnThePage) {
  const struct {
    const char* scenario;
    int count, per_page, start;
    void (*act)(RowPaging&);
    int first, selected;
  } cases[] = {
      {"down past the page scrolls a row", 10, 4, 3, [](RowPaging& p) { p.Move(1); }, 1, 4},
      {"down at the end stays", 10, 4, 9, [](RowPaging& p) { p.Move(1); }, 6, 9},
      {"a page down moves both", 10, 4, 1, [](RowPaging& p) { p.Page(1); }, 4, 5},
      {"the last page is full", 10, 4, 5, [](RowPaging& p) { p.Page(1); }, 6, 9},
      {"a shrinking list", 10, 4, 9, [](RowPaging& p) { p.SetCount(3); }, 0, 2},
      {"an empty list", 0, 4, 0, [](RowPaging& p) { p.Move(1); }, 0, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scenario);
    RowPaging paging;
    paging.SetRowsPerPage(c.per_page);
    paging.Reset(c.count);
    paging.Select(c.start);
    c.act(paging);
    EXPECT_EQ(paging.first(), c.first);
    EXPECT_EQ(paging.selected(), c.selected);
  }
}

class TradesFileTest : public ::testing::Test {
 protected:
  std::filesystem::path file() const { return folder_ / "Trades.ini"; }
  void Write(std::u16string_view text) const { testing::WriteBytes(file(), EncodeUtf16Le(text)); }
  std::u16string Text() const { return DecodeUtf16Le(testing::ReadBytes(file())); }
  std::u16string Value(int index) const {
    return ProfileFile::GetString(trades_file::kListSection, trades_file::NameKey(index), u"-", file());
  }
  void AppendAll(const std::vector<std::u16string_view>& names) const {
    for (const std::u16string_view name : names) ASSERT_TRUE(trades_file::Append(file(), OwnBranch::Of(u"010", name)));
  }

  testing::TempFolder folder_;
};

TEST_F(TradesFileTest, AnAppendEndsTheListExactlyOrLeavesTheFileAsItWas) {
  ASSERT_TRUE(trades_file::Append(file(), OwnBranch::Of(u"0311-555", u"北京-人民路营业部")));
  EXPECT_EQ(Text(), u"[NUMBER]\r\nSECURITYNUM=1\r\n[SECURITYLIST]\r\nNAME0=0311-555|北京-人民路营业部\r\n");
  EXPECT_EQ(trades_file::Read(file()), (std::vector{OwnBranch::Of(u"0311-555", u"北京-人民路营业部")}));
  // An append either ends the list with exactly its entry or fails with the file as it was: a value
  // the file cannot hold, or a damaged file where the new lines would run into the old ones.
  const struct {
    std::u16string_view file;
    std::u16string_view name;
  } cases[] = {
      {u"[NUMBER]\r\nSECURITYNUM=1\r\n[SECURITYLIST]\r\nNAME0=010|A\r\n", u"two\r\nlines"},
      {u"[NU\uA600BER]\r\nSECURITYNUM=2\r\n[SECURITYLIST]\r\nNAME1=020|B\r\nNAME0=010|A\u010D\n", u"C"},
  };
  for (const auto& c : cases) {
    Write(c.file);
    EXPECT_FALSE(trades_file::Append(file(), OwnBranch::Of(u"030", c.name)));
    EXPECT_EQ(Text(), c.file);
  }
}

TEST_F(TradesFileTest, DeletingMovesTheLastEntryIntoTheHoleOrLeavesTheFileAsItWas) {
  const struct {
    const char* scenario;
    std::vector<std::u16string_view> names;  // appended in this order
    std::size_t row;
    std::vector<std::u16string> left;  // NAME0, NAME1, ... afterwards
  } cases[] = {
      {"first of three", {u"A", u"B", u"C"}, 0, {u"010|C", u"010|B"}},
      {"middle of three", {u"A", u"B", u"C"}, 1, {u"010|A", u"010|C"}},
      // The value of row 0 begins the value of row 1; the right entry must go.
      {"a name that begins another", {u"A", u"AB"}, 0, {u"010|AB"}},
      {"the same entry twice", {u"A", u"B", u"A"}, 2, {u"010|A", u"010|B"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scenario);
    std::filesystem::remove(file());
    AppendAll(c.names);
    ASSERT_TRUE(trades_file::Remove(file(), trades_file::Read(file()), c.row));
    EXPECT_EQ(ProfileFile::GetInt(u"NUMBER", u"SECURITYNUM", -1, file()), static_cast<int>(c.left.size()));
    for (std::size_t i = 0; i < c.left.size(); ++i) EXPECT_EQ(Value(static_cast<int>(i)), c.left[i]);
    EXPECT_EQ(Value(static_cast<int>(c.left.size())), u"-");
  }
  // A removal either leaves the list one row shorter with the last entry in the row's place or
  // fails with the file as it was: an entry no longer in the file is not deleted.
  AppendAll({u"A", u"B"});
  const std::vector<OwnBranch> shown = trades_file::Read(file());
  Write(u"[NUMBER]\r\nSECURITYNUM=2\r\n[SECURITYLIST]\r\nNAME1=010|Y\r\nNAME0=010|X\r\n");
  const std::u16string before = Text();
  EXPECT_FALSE(trades_file::Remove(file(), shown, 0));
  EXPECT_EQ(Text(), before);
  // Here the count's line runs into the list's header (a "\r" without its "\n"), so rewriting the
  // count would take the header with it.
  const std::u16string damaged =
      u"[NUMBER]\r\nSECURITYNUM=3\rc\n[SECURITYLIST]\r\nNAME2=0333|C\r\nNAME1=0222|B\r\nNAME0=011A\r\n";
  Write(damaged);
  const std::vector<OwnBranch> rows = trades_file::Read(file());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_FALSE(trades_file::Remove(file(), rows, 0));
  EXPECT_EQ(Text(), damaged);
}

// A key missing under the count shows "Error" without a number; deleting that row closes the gap.
TEST_F(TradesFileTest, AMissingKeyReadsAsErrorAndCanBeDeletedAndAnAbsurdCountIsBounded) {
  Write(u"[NUMBER]\r\nSECURITYNUM=3\r\n[SECURITYLIST]\r\nNAME2=030|C\r\nNAME0=010|A\r\n");
  const std::vector<OwnBranch> rows = trades_file::Read(file());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].tel, u"");
  EXPECT_EQ(rows[1].name, u"Error");
  ASSERT_TRUE(trades_file::Remove(file(), rows, 1));
  EXPECT_EQ(trades_file::Read(file()), (std::vector{OwnBranch::Of(u"010", u"A"), OwnBranch::Of(u"030", u"C")}));
  // An absurd count reads no more than the limit.
  Write(u"[NUMBER]\r\nSECURITYNUM=2147483647\r\n[SECURITYLIST]\r\nNAME0=010|A\r\n");
  EXPECT_EQ(trades_file::Read(file()).size(), static_cast<std::size_t>(trades_file::kRowLimit));
}

}  // namespace
}  // namespace tarvello
