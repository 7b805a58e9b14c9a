#include "protocol/provisioning_documents.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

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
