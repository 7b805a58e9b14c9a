#include "settings/deployment.h"

#include <gtest/gtest.h>

#include "storage/profile_file.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

TEST(DeploymentTest, MissingFileIsWrittenWithTheShippedValuesInReadingOrder) {
  testing::TempFolder folder;
  const Deployment d = LoadDeployment(folder.path());
  EXPECT_EQ(d.quote_servers[1][0], "127.0.0.1");
  EXPECT_EQ(d.gateway_port, 8080);
  EXPECT_EQ(d.network_case, NetworkCase::kDesktop);
  const std::string bytes = testing::ReadBytes(folder / kDeploymentFileName);
  // UTF-16LE without a byte-order mark, opening with the first section and its first key.
  const std::u16string_view start = u"[SERVERS]\r\nGROUP1_0=127.0.0.1\r\nGROUP1_1=";
  ASSERT_GE(bytes.size(), start.size() * 2);
  EXPECT_EQ(bytes.substr(0, start.size() * 2),
            std::string(reinterpret_cast<const char*>(start.data()), start.size() * 2));
}

TEST(DeploymentTest, HandEditedValuesWinAndBadOnesKeepTheShippedValue) {
  testing::TempFolder folder;
  LoadDeployment(folder.path());
  const auto file = folder / kDeploymentFileName;
  ProfileFile::WriteString(u"SERVERS", u"ROW24", u"10.0.0.9", file);
  ProfileFile::WriteString(u"NETWORK", u"CASE", u"gprs", file);
  ProfileFile::WriteString(u"NETWORK", u"APN", u"cmwap", file);
  ProfileFile::WriteString(u"GATEWAY", u"PORT", u"99999", file);
  ProfileFile::WriteString(u"INFOSERVERS", u"PORT", u"80", file);
  const Deployment d = LoadDeployment(folder.path());
  EXPECT_EQ(d.server_rows[24], "10.0.0.9");
  EXPECT_EQ(d.server_rows[23], "127.0.0.1");
  EXPECT_EQ(d.network_case, NetworkCase::kGprs);
  EXPECT_EQ(d.access_point, u"cmwap");
  EXPECT_EQ(d.gateway_port, 8080);
  EXPECT_EQ(d.info_port, 80);
}

TEST(DeploymentTest, UnknownNetworkCaseKeepsTheDesktopLink) {
  testing::TempFolder folder;
  LoadDeployment(folder.path());
  ProfileFile::WriteString(u"NETWORK", u"CASE", u"satellite", folder / kDeploymentFileName);
  EXPECT_EQ(LoadDeployment(folder.path()).network_case, NetworkCase::kDesktop);
}

}  // namespace
}  // namespace tarvello
