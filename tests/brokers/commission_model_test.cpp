#include "brokers/commission_model.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"

namespace tarvello {
namespace {

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
  EXPECT_EQ(Texts(model_), (std::vector<std::u16string>{u"白鹭证券", u"云杉证券"}));
  EXPECT_EQ(model_.Choose(0), CommissionModel::Choice::kOpened);
  EXPECT_EQ(Texts(model_), (std::vector<std::u16string>{u"北京", u"上海"}));
  EXPECT_EQ(model_.Choose(0), CommissionModel::Choice::kOpened);
  EXPECT_EQ(model_.Rows(), (std::vector<CommissionRow>{{u"北京-人民路营业部", u"010-1"}, {u"北京-和平路营业部", u"010-2"}}));
  EXPECT_EQ(model_.Choose(1), CommissionModel::Choice::kAdded);
  EXPECT_EQ(model_.mode(), CommissionMode::kOwn);
  EXPECT_EQ(model_.Rows(), (std::vector<CommissionRow>{{u"北京-和平路营业部", u"010-2"}}));
  ASSERT_EQ(Add(1, 0, 0), CommissionModel::Choice::kAdded);
  EXPECT_EQ(model_.paging().selected(), 1) << "the new entry is selected";
  EXPECT_FALSE(model_.OpenOwnList());
}

TEST_F(CommissionModelTest, BackClimbsTheCatalogueToTheOwnListAndKeepsTheChosenRow) {
  model_.OpenOwnList();
  model_.StartAdding();
  model_.Choose(0);
  model_.Choose(1);
  ASSERT_TRUE(model_.Back());
  EXPECT_EQ(model_.level(), CatalogueLevel::kAreas);
  EXPECT_EQ(model_.paging().selected(), 1);
  ASSERT_TRUE(model_.Back());
  EXPECT_EQ(model_.level(), CatalogueLevel::kBrokers);
  for (const bool managing : {false, true}) {
    if (managing) model_.Manage();
    EXPECT_TRUE(model_.Back());
    EXPECT_EQ(model_.mode(), CommissionMode::kOwn);
  }
  EXPECT_FALSE(model_.Back());
}

TEST_F(CommissionModelTest, ShortSpellNarrowsTheLevelInFront) {
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
      {"up at the top stays", 10, 4, 0, [](RowPaging& p) { p.Move(-1); }, 0, 0},
      {"a page down moves both", 10, 4, 1, [](RowPaging& p) { p.Page(1); }, 4, 5},
      {"the last page is full", 10, 4, 5, [](RowPaging& p) { p.Page(1); }, 6, 9},
      {"a page up from the end", 10, 4, 9, [](RowPaging& p) { p.Page(-1); }, 2, 5},
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

}  // namespace
}  // namespace tarvello
