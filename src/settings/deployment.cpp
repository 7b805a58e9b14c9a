#include "settings/deployment.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "storage/path_lock.h"
#include "storage/profile_text.h"
#include "storage/utf16le.h"
#include "storage/whole_file.h"
#include "text/text_codec.h"

namespace tarvello {

namespace {

constexpr char kLoopback[] = "127.0.0.1";

// One key of the file: where it lives and how it maps onto the Deployment value. Every key name
// is used once in the whole file, because the INI engine looks a key up from its section header
// to the end of the file. Files written before the names became distinct used the legacy name,
// which is still read, from its own section only.
struct Field {
  std::u16string section;
  std::u16string key;
  std::function<std::u16string(const Deployment&)> get;
  std::function<void(Deployment&, const std::u16string&)> set;
  std::u16string legacy_key = {};
};

Field AsciiField(std::u16string section, std::u16string key, std::string Deployment::*member) {
  return {std::move(section), std::move(key), [member](const Deployment& d) { return text::FromAscii(d.*member); },
          [member](Deployment& d, const std::u16string& v) { d.*member = text::ToAscii(v); }};
}

Field TextField(std::u16string section, std::u16string key, std::u16string Deployment::*member) {
  return {std::move(section), std::move(key), [member](const Deployment& d) { return d.*member; },
          [member](Deployment& d, const std::u16string& v) { d.*member = v; }};
}

Field PortField(std::u16string section, std::u16string key, int Deployment::*member) {
  return {std::move(section), std::move(key), [member](const Deployment& d) { return text::FromAscii(std::to_string(d.*member)); },
          [member](Deployment& d, const std::u16string& v) {
            const int port = std::atoi(text::ToAscii(v).c_str());
            if (port > 0 && port < 65536) d.*member = port;
          },
          u"PORT"};
}

// The cell [group][index] of a server table, keyed prefix + "1_0" and so on.
Field ServerCell(std::u16string section, std::u16string_view prefix, int group, int index,
                 std::array<std::array<std::string, 2>, 2> Deployment::*table) {
  const std::u16string cell = text::FromAscii(std::to_string(group) + "_" + std::to_string(index));
  return {std::move(section), std::u16string(prefix) + cell,
          [=](const Deployment& d) { return text::FromAscii((d.*table)[group][index]); },
          [=](Deployment& d, const std::u16string& v) { (d.*table)[group][index] = text::ToAscii(v); },
          u"GROUP" + cell};
}

constexpr std::pair<NetworkCase, std::u16string_view> kCaseNames[] = {
    {NetworkCase::kDesktop, u"desktop"},
    {NetworkCase::kGprs, u"gprs"},
    {NetworkCase::kCdma, u"cdma"},
    {NetworkCase::kDial, u"dial"},
    {NetworkCase::kNone, u"none"},
    {NetworkCase::kProvisioningFails, u"provisioning-fails"},
};

Field CaseField() {
  return {u"NETWORK", u"CASE",
          [](const Deployment& d) {
            for (const auto& [value, name] : kCaseNames) {
              if (value == d.network_case) return std::u16string(name);
            }
            return std::u16string(u"desktop");
          },
          [](Deployment& d, const std::u16string& v) {
            for (const auto& [value, name] : kCaseNames) {
              if (name == v) d.network_case = value;
            }
          }};
}

// The rows of the manual server list labelled "均衡负载" are the four quote server cells, each the
// load-balancing address of its region; they have no keys of their own, so that editing the cells
// moves the rows with them.
struct BalancedRow {
  int row;
  int group;
  int index;
};
constexpr BalancedRow kBalancedRows[] = {{5, 1, 0}, {8, 0, 0}, {11, 0, 1}, {21, 1, 1}};

bool IsBalancedRow(int row) {
  for (const BalancedRow& balanced : kBalancedRows) {
    if (balanced.row == row) return true;
  }
  return false;
}

void TieBalancedRows(Deployment& d) {
  for (const auto& [row, group, index] : kBalancedRows) {
    d.server_rows[static_cast<std::size_t>(row)] =
        d.quote_servers[static_cast<std::size_t>(group)][static_cast<std::size_t>(index)];
  }
}

// Every key, grouped by section in the order the written file shows them.
std::vector<Field> Fields() {
  std::vector<Field> fields;
  for (int group : {1, 0}) {
    for (int index : {0, 1}) fields.push_back(ServerCell(u"SERVERS", u"QUOTE", group, index, &Deployment::quote_servers));
  }
  fields.push_back(PortField(u"SERVERS", u"QUOTEPORT", &Deployment::quote_port));
  for (int row = 0; row < Deployment::kServerRows; ++row) {
    if (IsBalancedRow(row)) continue;
    fields.push_back({u"SERVERS", u"ROW" + text::FromAscii(std::to_string(row)),
                      [row](const Deployment& d) { return text::FromAscii(d.server_rows[row]); },
                      [row](Deployment& d, const std::u16string& v) { d.server_rows[row] = text::ToAscii(v); }});
  }
  for (int group : {1, 0}) {
    for (int index : {0, 1}) fields.push_back(ServerCell(u"INFOSERVERS", u"INFO", group, index, &Deployment::info_servers));
  }
  fields.push_back(PortField(u"INFOSERVERS", u"INFOPORT", &Deployment::info_port));
  fields.push_back(AsciiField(u"GATEWAY", u"HOST", &Deployment::gateway_host));
  fields.push_back(PortField(u"GATEWAY", u"GATEWAYPORT", &Deployment::gateway_port));
  fields.push_back(TextField(u"PAGES", u"REGISTER", &Deployment::register_page));
  fields.push_back(TextField(u"PAGES", u"DOWNLOAD", &Deployment::download_page));
  fields.push_back(TextField(u"ACCOUNT", u"PLACEHOLDER", &Deployment::login_placeholder));
  fields.push_back(TextField(u"ACCOUNT", u"CDMAUSER", &Deployment::cdma_user));
  fields.push_back(TextField(u"ACCOUNT", u"CDMAPASSWORD", &Deployment::cdma_password));
  fields.push_back(TextField(u"PHONE", u"DIALER", &Deployment::dialer_command));
  fields.push_back(CaseField());
  fields.push_back(TextField(u"NETWORK", u"APN", &Deployment::access_point));
  return fields;
}

// The shipped file is written in one piece, sections and keys in reading order, through the same
// crash-safe replace the engine uses. Empty values are left out: a missing key keeps its shipped
// value.
void WriteShippedFile(const std::filesystem::path& file) {
  const Deployment shipped = ShippedDeployment();
  std::u16string text;
  std::u16string section;
  for (const Field& field : Fields()) {
    const std::u16string value = field.get(shipped);
    if (value.empty()) continue;
    if (field.section != section) {
      section = field.section;
      text += u"[" + section + u"]\r\n";
    }
    text += field.key + u"=" + value + u"\r\n";
  }
  const std::lock_guard<std::mutex> guard(PathLock(file));
  ReplaceFile(file, EncodeUtf16Le(text));
}

}  // namespace

Deployment ShippedDeployment() {
  Deployment d;
  for (auto& group : d.quote_servers) group = {kLoopback, kLoopback};
  d.server_rows.fill(kLoopback);
  for (auto& group : d.info_servers) group = {kLoopback, kLoopback};
  d.info_port = 8081;
  d.gateway_host = kLoopback;
  d.gateway_port = 8080;
  d.register_page = u"http://127.0.0.1:8081/Basic/SPP/SoftRegister.aspx";
  d.download_page = u"http://127.0.0.1:8081/DownLoadCenter.aspx?key=5d3e9a1c7b2f48e6a0c4d8b1f2e3a7c9&s=1";
  d.login_placeholder = u"ppc";
  d.cdma_user = u"card";
  d.cdma_password = u"card";
  d.network_case = NetworkCase::kDesktop;
  d.access_point = u"cmnet";
  TieBalancedRows(d);
  return d;
}

Deployment LoadDeployment(const std::filesystem::path& folder) {
  const std::filesystem::path file = folder / kDeploymentFileName;
  std::error_code error;
  if (!std::filesystem::exists(file, error)) WriteShippedFile(file);

  // A file that cannot be read leaves every shipped value.
  std::string bytes;
  ReadWholeFile(file, bytes);
  const std::u16string text = DecodeIniText(bytes);
  Deployment d = ShippedDeployment();
  for (const Field& field : Fields()) {
    std::optional<std::u16string> value = profile_text::GetValue(text, field.section, field.key);
    if (!value && !field.legacy_key.empty()) {
      value = profile_text::GetSectionValue(text, field.section, field.legacy_key);
    }
    if (value && !value->empty()) field.set(d, *value);
  }
  TieBalancedRows(d);
  return d;
}

}  // namespace tarvello
