#include "protocol/provisioning_documents.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

TEST(ProvisioningDocumentsTest, RemovalAndQueryDocumentsByteForByte) {
  EXPECT_EQ(RemoveConnectionEntryDocument(u"Morvane2"),
            u"<wap-provisioningdoc><characteristic type=\"CM_GPRSEntries\"><nocharacteristic "
            u"type=\"Morvane2\"/></characteristic></wap-provisioningdoc>");
  EXPECT_EQ(RemoveNetworkEntryDocument(),
            u"<wap-provisioningdoc><characteristic type=\"CM_Networks\"><nocharacteristic "
            u"type=\"Morvane\"/></characteristic></wap-provisioningdoc>");
  EXPECT_EQ(AccessPointQueryDocument(u"Morvane0"),
            u"<wap-provisioningdoc><characteristic type=\"CM_GPRSEntries\"><characteristic type=\"Morvane0\">"
            u"<characteristic type=\"DevSpecificCellular\"><parm-query name=\"GPRSInfoAccessPointName\"/>"
            u"</characteristic></characteristic></characteristic></wap-provisioningdoc>");
}

TEST(ProvisioningDocumentsTest, GprsCarrierDocument) {
  EXPECT_EQ(CarrierDocument(1, u"u", u"p"),
            u"<wap-provisioningdoc>"
            u"<characteristic type=\"CM_Networks\"><characteristic type=\"Morvane\">"
            u"<parm name=\"DestId\" value=\"{D1D06580-C364-55ec-9421-6ACF34129C00}\" />"
            u"</characteristic></characteristic>"
            u"<characteristic type=\"CM_GPRSEntries\"><characteristic type=\"Morvane1\">"
            u"<parm name=\"DestId\" value=\"{D1D06580-C364-55ec-9421-6ACF34129C00}\" />"
            u"<characteristic type=\"DevSpecificCellular\">"
            u"<parm name=\"BearerInfoValid\" value=\"1\" /><parm name=\"GPRSInfoValid\" value=\"1\" />"
            u"<parm name=\"GPRSInfoProtocolType\" value=\"2\" /><parm name=\"GPRSInfoL2ProtocolType\" value=\"PPP\" />"
            u"<parm name=\"GPRSInfoAccessPointName\" value=\"3gnet\" /><parm name=\"GPRSInfoAddress\" value=\"\" />"
            u"<parm name=\"GPRSInfoDataCompression\" value=\"1\" />"
            u"<parm name=\"GPRSInfoHeaderCompression\" value=\"1\" /><parm name=\"GPRSInfoParameters\" value=\"\" />"
            u"</characteristic></characteristic></characteristic></wap-provisioningdoc>");
}

TEST(ProvisioningDocumentsTest, CdmaCarrierWritesADialUpEntry) {
  EXPECT_EQ(CarrierDocument(2, u"card", u"secret"),
            u"<wap-provisioningdoc>"
            u"<characteristic type=\"CM_Networks\"><characteristic type=\"Morvane\">"
            u"<parm name=\"DestId\" value=\"{D1D06580-C364-55ec-9421-6ACF34129C22}\" />"
            u"</characteristic></characteristic>"
            u"<characteristic type=\"CM_PPPEntries\"><characteristic type=\"Morvane2\">"
            u"<parm name=\"DestId\" value=\"{D1D06580-C364-55ec-9421-6ACF34129C22}\" />"
            u"<parm name=\"CountryCode\" value=\"1\" /><parm name=\"AreaCode\" value=\"425\" />"
            u"<parm name=\"Phone\" value=\"#777\" /><parm name=\"UserName\" value=\"card\" />"
            u"<parm name=\"Password\" value=\"secret\" /><parm name=\"Domain\" value=\"\" />"
            u"</characteristic></characteristic></wap-provisioningdoc>");
}

TEST(ProvisioningDocumentsTest, AHostileUserNameOrPasswordStaysInsideItsAttribute) {
  const std::u16string document = CarrierDocument(2, u"a\"/><parm name=\"x", u"<&'>");
  EXPECT_NE(document.find(u"value=\"a&quot;/&gt;&lt;parm name=&quot;x\" />"), std::u16string::npos);
  EXPECT_NE(document.find(u"value=\"&lt;&amp;&apos;&gt;\" />"), std::u16string::npos);
}

TEST(ProvisioningDocumentsTest, AccessPointAnswersAreUpperCasedBeforeTheSearch) {
  EXPECT_EQ(ClassifyAccessPointAnswer(u"<parm name=\"GPRSInfoAccessPointName\" value=\"cmwap\"/>"),
            AccessPointKind::kWap);
  EXPECT_EQ(ClassifyAccessPointAnswer(u"value=\"UniNet\""), AccessPointKind::kDirect);
  EXPECT_EQ(ClassifyAccessPointAnswer(u"value=\"3gwap\""), AccessPointKind::kWap);
  // Only the exact quoted value counts: "cmwap2" is no known access point.
  EXPECT_EQ(ClassifyAccessPointAnswer(u"value=\"cmwap2\""), AccessPointKind::kUnknown);
  EXPECT_EQ(ClassifyAccessPointAnswer(u""), AccessPointKind::kUnknown);
}

}  // namespace
}  // namespace tarvello
