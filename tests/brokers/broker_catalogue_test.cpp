#include "brokers/broker_catalogue.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"

namespace tarvello {
namespace {

std::string Areas(int count) {
  std::string xml = "<root><security name=\"S\" short=\"S\">";
  for (int i = 0; i < count; ++i) xml += "<area name=\"A" + std::to_string(i) + "\"/>";
  return xml + "</security></root>";
}

TEST(BrokerCatalogueTest, BranchesAreNamedAfterTheirAreaAndCarryTheirNumbers) {
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
}

TEST(BrokerCatalogueTest, EachLevelHoldsAtMost255Entries) {
  BrokerCatalogue catalogue;
  ASSERT_TRUE(catalogue.Parse(Areas(256)));
  const std::vector<CatalogueEntry> areas = catalogue.Areas(0);
  ASSERT_EQ(areas.size(), 255u);
  EXPECT_EQ(areas.back().name, u"A254");
  EXPECT_TRUE(catalogue.Branches(0, 255).empty());
}

TEST(BrokerCatalogueTest, AFileWithoutBrokersLeavesTheCatalogueEmpty) {
  const char* files[] = {"", "<root>", "<root></root>", "<other><security name=\"x\"/></other>",
                         "<root><area name=\"x\"/></root>", "\xff\xfe<"};
  for (const char* bytes : files) {
    SCOPED_TRACE(bytes);
    BrokerCatalogue catalogue;
    EXPECT_FALSE(catalogue.Parse(bytes));
    EXPECT_TRUE(catalogue.Brokers().empty());
    EXPECT_TRUE(catalogue.Areas(0).empty());
  }
  testing::TempFolder folder;
  BrokerCatalogue missing;
  EXPECT_FALSE(missing.Load(folder / "Security.xml"));
}

TEST(BrokerCatalogueTest, AGbDeclaredFileIsReadAsGbk) {
  BrokerCatalogue catalogue;
  ASSERT_TRUE(catalogue.Parse("<?xml version=\"1.0\" encoding=\"GB2312\"?><root><security name=\"\xb1\xb1\xbe\xa9\"/></root>"));
  EXPECT_EQ(catalogue.Brokers().front().name, u"北京");
}

}  // namespace
}  // namespace tarvello
