#include "server/session_answers.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "protocol/wire_writer.h"
#include "text/text_codec.h"

namespace tarvello::server {

namespace {

constexpr std::uint8_t kLoginAccepted = 0;
constexpr std::uint8_t kLoginRefused = 2;

std::vector<int> VersionNumbers(std::string_view text) {
  std::vector<int> numbers;
  int current = -1;
  for (char c : text) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      current = (current < 0 ? 0 : current * 10) + (c - '0');
      if (current > 1000000) current = 1000000;
    } else if (current >= 0) {
      numbers.push_back(current);
      current = -1;
    }
  }
  if (current >= 0) numbers.push_back(current);
  return numbers;
}

}  // namespace

bool IsNewerVersion(std::string_view a, std::string_view b) {
  const std::vector<int> x = VersionNumbers(a), y = VersionNumbers(b);
  return std::lexicographical_compare(y.begin(), y.end(), x.begin(), x.end());
}

Bytes ServerTimeBody(const SimTime& now) { return WireWriter().I32(now.Date()).I32(now.Hhmmss()).Take(); }

Bytes LoginBody(const AccountBook& accounts, std::string_view user_gbk, std::string_view password_gbk) {
  const Account* account = accounts.Check(text::FromGbk(user_gbk), text::FromGbk(password_gbk));
  if (account == nullptr) return WireWriter().U8(kLoginRefused).I32(0).Take();
  return WireWriter().U8(kLoginAccepted).I32(account->rights).Take();
}

Bytes RunningMessageBody(const SimTime& now) {
  const std::string date = std::to_string(now.Date());
  return WireWriter()
      .I32(kRunningMessageSerial)
      .Utf8(u"欢迎使用Tarvello模拟行情，交易日" + text::FromAscii(date) + u"，数据均为虚构。")
      .Take();
}

Bytes VersionBody(const std::string& latest_version) {
  const bool newer = IsNewerVersion(latest_version, kClientVersion);
  const std::u16string version = text::FromUtf8(latest_version);
  return WireWriter()
      .Utf8(newer ? u"发现新版本" + version + u"，建议更新。" : u"")
      .Utf8(version)
      .Utf8(u"http://127.0.0.1/DownLoadCenter.aspx?key=5d3e9a1c7b2f48e6a0c4d8b1f2e3a7c9&s=1")
      .U8(newer ? 1 : 0)
      .U8(0)
      .Take();
}

Bytes NoticesBody() {
  static constexpr const char16_t* kNotices[] = {
      u"模拟服务器：所有行情均为虚构数据。", u"休市期间显示最近一个交易日的收盘行情。",
      u"股指期货交易时间 09:15-11:30、13:00-15:15。", u"如需帮助，请查看使用帮助。"};
  WireWriter body;
  body.I16(static_cast<std::int16_t>(std::size(kNotices)));
  std::uint8_t kind = 1;
  for (const char16_t* notice : kNotices) body.U8(kind++).Utf8(notice);
  return body.Take();
}

}  // namespace tarvello::server
