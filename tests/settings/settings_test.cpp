// The settings files the terminal reads at start: the deployment's servers and ports, the refresh
// periods, and the comparison of program versions.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "settings/configuration_keys.h"
#include "settings/deployment.h"
#include "settings/program_version.h"
#include "settings/refresh_settings.h"
#include "storage/profile_file.h"
#include "storage/utf16le.h"
#include "support/temp_folder.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

struct Expected {
  int quote_port = 2860;
  int info_port = 8081;
  int gateway_port = 8080;
  std::string quote_server = "127.0.0.1";  // [1][0]
  std::string info_server = "127.0.0.1";   // [1][0]
  NetworkCase network_case = NetworkCase::kDesktop;
};

// The INI engine finds a key from its section header to the end of the file, so a name used in
// two sections would let one section read or overwrite the other's value.
TEST(DeploymentTest, AMissingFileIsWrittenShippedAndEachValueComesFromItsOwnSection) {
  testing::TempFolder fresh;
  const Deployment shipped = LoadDeployment(fresh.path());
  EXPECT_EQ(shipped.quote_servers[1][0], "127.0.0.1");
  EXPECT_EQ(shipped.gateway_port, 8080);
  EXPECT_EQ(shipped.network_case, NetworkCase::kDesktop);
  const std::u16string written = DecodeUtf16Le(testing::ReadBytes(fresh / kDeploymentFileName));
  EXPECT_TRUE(written.starts_with(u"[SERVERS]\r\nQUOTE1_0=127.0.0.1\r\nQUOTE1_1="));
  std::set<std::u16string> keys;
  for (std::size_t pos = 0, end; (end = written.find(u"\r\n", pos)) != std::u16string::npos;
       pos = end + 2) {
    const std::u16string line = written.substr(pos, end - pos);
    if (line.starts_with(u'[')) continue;
    EXPECT_TRUE(keys.insert(line.substr(0, line.find(u'='))).second) << text::ToUtf8(line);
  }
  // A value the file does not hold for its own section keeps its shipped value; files written with
  // the names every section once shared go on working.
  const struct {
    const char* name;
    const char* file;
    Expected expected;
  } cases[] = {
      {"only the information servers' port", "[SERVERS]\r\nQUOTE1_0=10.0.0.1\r\n[INFOSERVERS]\r\nINFOPORT=80\r\n",
       {.info_port = 80, .quote_server = "10.0.0.1"}},
      {"hand-edited values", "[GATEWAY]\r\nHOST=10.0.0.3\r\nGATEWAYPORT=9000\r\n[NETWORK]\r\nCASE=gprs\r\n",
       {.gateway_port = 9000, .network_case = NetworkCase::kGprs}},
      {"bad values", "[SERVERS]\r\nQUOTEPORT=99999\r\n[NETWORK]\r\nCASE=satellite\r\n", {}},
      {"shared names, every section", "[SERVERS]\r\nGROUP1_0=10.0.0.1\r\nPORT=2999\r\n[INFOSERVERS]\r\n"
       "GROUP1_0=10.0.0.2\r\nPORT=81\r\n[GATEWAY]\r\nPORT=8088\r\n",
       {.quote_port = 2999, .info_port = 81, .gateway_port = 8088, .quote_server = "10.0.0.1", .info_server = "10.0.0.2"}},
      {"shared names, quote servers missing", "[SERVERS]\r\nROW0=10.0.0.9\r\n[INFOSERVERS]\r\nGROUP1_0=10.0.0.2\r\n"
       "PORT=81\r\n",
       {.info_port = 81, .info_server = "10.0.0.2"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempFolder folder;
    testing::WriteBytes(folder / kDeploymentFileName, EncodeUtf16Le(text::FromUtf8(c.file)));
    const Deployment d = LoadDeployment(folder.path());
    const Expected& e = c.expected;
    EXPECT_EQ(std::tie(d.quote_port, d.info_port, d.gateway_port, d.network_case),
              std::tie(e.quote_port, e.info_port, e.gateway_port, e.network_case));
    EXPECT_EQ(std::tie(d.quote_servers[1][0], d.info_servers[1][0], d.quote_servers[0][1]),
              std::tuple(e.quote_server, e.info_server, "127.0.0.1"));
  }
  // A person edits the file with whatever editor is at hand, here one that saves UTF-8 with a
  // byte-order mark (every editor's form is ProfileFileTest.WritesInUtf16LeWithoutBomAndReads...,
  // read by the same DecodeIniText): the servers stay what the person wrote. The load-balancing
  // rows of the manual list go wherever the QUOTE cells point, and a ROW key of such a row is no
  // longer read.
  const std::u16string text =
      u"[SERVERS]\r\nQUOTE1_0=10.0.0.1\r\nQUOTE1_1=10.0.0.2\r\nQUOTE0_0=10.0.0.3\r\nQUOTE0_1=10.0.0.4\r\n"
      u"ROW5=127.0.0.1\r\nROW6=10.0.0.6\r\n";
  testing::TempFolder folder;
  testing::WriteBytes(folder / kDeploymentFileName, "\xEF\xBB\xBF" + text::ToUtf8(text));
  const Deployment d = LoadDeployment(folder.path());
  const auto& rows = d.server_rows;
  EXPECT_EQ((std::vector{d.quote_servers[1][0], d.quote_servers[0][1], rows[5], rows[8], rows[11]}),
            (std::vector<std::string>{"10.0.0.1", "10.0.0.4", "10.0.0.1", "10.0.0.3", "10.0.0.4"}));
  EXPECT_EQ((std::vector{rows[21], rows[6], rows[7]}),
            (std::vector<std::string>{"10.0.0.2", "10.0.0.6", "127.0.0.1"}));
}

std::filesystem::path ConfigFile(const testing::TempFolder& folder) { return folder / config::kFileName; }

// A hand-edited period between the choices is used as written (the page shows the first choice);
// one outside their range comes back within it.
TEST(SettingsTest, HandEditedPeriodsStayInTheChoicesRangeAndVersionsCompareAsNumbers) {
  const struct {
    const char16_t* written;
    int loaded;
  } cases[] = {
      {u"25", 25},
      {u"0", 5}, {u"-20", 5}, {u"fast", 5},  // a timer that never waits
      {u"51", 50}, {u"2147484", 50},         // days of seconds would overflow the timer's milliseconds
  };
  for (const auto& c : cases) {
    testing::TempFolder folder;
    ProfileFile::WriteString(u"REFRESH", u"KLLINE", c.written, ConfigFile(folder));
    EXPECT_EQ(LoadRefreshSettings(folder.path()).kline_seconds, c.loaded);
  }
  EXPECT_EQ(RefreshChoiceIndex(25), 0);
  // Versions compare as versions, number by number, never as text.
  struct Case {
    std::u16string_view candidate;
    bool newer_than_v33;
  };
  for (const Case& c : {Case{u"V3.4", true}, Case{u"V3.10", true}, Case{u"V3.3.1", true}, Case{u"V4", true},
                        Case{u"V3.3", false}, Case{u"V3.3.0", false}, Case{u"V3.2", false}, Case{u"", false},
                        Case{u"beta", false}}) {
    EXPECT_EQ(IsNewerVersion(c.candidate, u"V3.3"), c.newer_than_v33) << std::string(c.candidate.begin(), c.candidate.end());
  }
  EXPECT_TRUE(IsNewerVersion("V3.10", "V3.9"));
  EXPECT_FALSE(IsNewerVersion("V3.9", "V3.10"));
}

}  // namespace
}  // namespace tarvello
