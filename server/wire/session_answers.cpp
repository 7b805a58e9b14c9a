#include "server/wire/session_answers.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "protocol/block_reader.h"
#include "protocol/wire_writer.h"
#include "settings/program_version.h"
#include "text/text_codec.h"

namespace tarvello::server {

namespace {

constexpr std::uint8_t kLoginAccepted = 0;
constexpr std::uint8_t kLoginRefused = 2;
constexpr std::uint8_t kLoginLocked = 3;
constexpr std::uint8_t kRecommendSent = 0;
constexpr std::uint8_t kRecommendNotLoggedIn = 1;
constexpr std::uint8_t kRecommendWrongNumber = 2;
constexpr std::uint8_t kRecommendFailed = 3;

bool IsMobileNumber(std::string_view number) {
  if (number.size() != 11 || number[0] != '1' || number[1] < '3') return false;
  return std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

Bytes ServerTimeBody(const SimTime& now) { return WireWriter().I32(now.Date()).I32(now.Hhmmss()).Take(); }

Bytes LoginBody(const AccountBook& accounts, std::string_view user_gbk, std::string_view password_gbk) {
  const Account* account = accounts.Check(text::FromGbk(user_gbk), text::FromGbk(password_gbk));
  if (account == nullptr) return WireWriter().U8(kLoginRefused).I32(0).Take();
  if (account->locked) return WireWriter().U8(kLoginLocked).I32(0).Take();
  return WireWriter().U8(kLoginAccepted).I32(account->rights).Take();
}

Bytes RecommendBody(const AccountBook& accounts, std::span<const std::uint8_t> request) {
  auto result = [](std::uint8_t code) { return WireWriter().U8(code).Take(); };
  BlockReader reader(request.data(), 0, request.size());
  const std::string_view user_gbk = reader.RawString();
  if (reader.overrun() || accounts.Find(text::FromGbk(user_gbk)) == nullptr) return result(kRecommendNotLoggedIn);
  const std::string_view numbers(reinterpret_cast<const char*>(request.data() + reader.position()), reader.remaining());
  bool failing = false;
  std::size_t at = 0;
  do {
    const std::size_t comma = std::min(numbers.find(',', at), numbers.size());
    const std::string_view number = numbers.substr(at, comma - at);
    if (!IsMobileNumber(number)) return result(kRecommendWrongNumber);
    failing = failing || number == kFailingNumber;
    at = comma + 1;
  } while (at <= numbers.size());
  return result(failing ? kRecommendFailed : kRecommendSent);
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
