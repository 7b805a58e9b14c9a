#include "protocol/provisioning_documents.h"

#include <array>

namespace tarvello {

namespace {

constexpr std::u16string_view kDocOpen = u"<wap-provisioningdoc>";
constexpr std::u16string_view kDocClose = u"</wap-provisioningdoc>";
constexpr std::u16string_view kClose = u"</characteristic>";

constexpr std::u16string_view kGprsDestination = u"{D1D06580-C364-55ec-9421-6ACF34129C00}";
constexpr std::u16string_view kCdmaDestination = u"{D1D06580-C364-55ec-9421-6ACF34129C22}";
constexpr std::array<std::u16string_view, 2> kGprsAccessPoints = {u"cmnet", u"3gnet"};

std::u16string Open(std::u16string_view type) {
  return u"<characteristic type=\"" + std::u16string(type) + u"\">";
}

// A value from the deployment file (the dial-up user name and password) may hold any character;
// escaped, a quote or an angle bracket in it stays text instead of ending the attribute.
std::u16string AttributeText(std::u16string_view value) {
  std::u16string text;
  for (const char16_t c : value) {
    switch (c) {
      case u'&': text += u"&amp;"; break;
      case u'<': text += u"&lt;"; break;
      case u'>': text += u"&gt;"; break;
      case u'"': text += u"&quot;"; break;
      case u'\'': text += u"&apos;"; break;
      default: text += c;
    }
  }
  return text;
}

std::u16string Parm(std::u16string_view name, std::u16string_view value) {
  return u"<parm name=\"" + std::u16string(name) + u"\" value=\"" + AttributeText(value) + u"\" />";
}

std::u16string RemoveDocument(std::u16string_view list, std::u16string_view entry) {
  return std::u16string(kDocOpen) + Open(list) + u"<nocharacteristic type=\"" + std::u16string(entry) +
         u"\"/>" + std::u16string(kClose) + std::u16string(kDocClose);
}

std::u16string NetworkEntry(std::u16string_view destination) {
  return Open(u"CM_Networks") + Open(kOwnNetworkName) + Parm(u"DestId", destination) + std::u16string(kClose) +
         std::u16string(kClose);
}

std::u16string GprsEntry(int carrier) {
  return Open(u"CM_GPRSEntries") + Open(CarrierEntryName(carrier)) + Parm(u"DestId", kGprsDestination) +
         Open(u"DevSpecificCellular") + Parm(u"BearerInfoValid", u"1") + Parm(u"GPRSInfoValid", u"1") +
         Parm(u"GPRSInfoProtocolType", u"2") + Parm(u"GPRSInfoL2ProtocolType", u"PPP") +
         Parm(u"GPRSInfoAccessPointName", kGprsAccessPoints[static_cast<std::size_t>(carrier)]) +
         Parm(u"GPRSInfoAddress", u"") + Parm(u"GPRSInfoDataCompression", u"1") +
         Parm(u"GPRSInfoHeaderCompression", u"1") + Parm(u"GPRSInfoParameters", u"") + std::u16string(kClose) +
         std::u16string(kClose) + std::u16string(kClose);
}

std::u16string DialUpEntry(int carrier, std::u16string_view user, std::u16string_view password) {
  return Open(u"CM_PPPEntries") + Open(CarrierEntryName(carrier)) + Parm(u"DestId", kCdmaDestination) +
         Parm(u"CountryCode", u"1") + Parm(u"AreaCode", u"425") + Parm(u"Phone", u"#777") +
         Parm(u"UserName", user) + Parm(u"Password", password) + Parm(u"Domain", u"") +
         std::u16string(kClose) + std::u16string(kClose);
}

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

}  // namespace

std::u16string CarrierEntryName(int carrier) {
  return std::u16string(kOwnNetworkName) + static_cast<char16_t>(u'0' + carrier);
}

std::u16string RemoveConnectionEntryDocument(std::u16string_view entry) {
  return RemoveDocument(u"CM_GPRSEntries", entry);
}

std::u16string RemoveNetworkEntryDocument() { return RemoveDocument(u"CM_Networks", kOwnNetworkName); }

std::u16string CarrierDocument(int carrier, std::u16string_view cdma_user, std::u16string_view cdma_password) {
  const bool dial_up = carrier == 2;
  return std::u16string(kDocOpen) + NetworkEntry(dial_up ? kCdmaDestination : kGprsDestination) +
         (dial_up ? DialUpEntry(carrier, cdma_user, cdma_password) : GprsEntry(carrier)) +
         std::u16string(kDocClose);
}

std::u16string AccessPointQueryDocument(std::u16string_view entry) {
  return std::u16string(kDocOpen) + Open(u"CM_GPRSEntries") + Open(entry) + Open(u"DevSpecificCellular") +
         u"<parm-query name=\"GPRSInfoAccessPointName\"/>" + std::u16string(kClose) + std::u16string(kClose) +
         std::u16string(kClose) + std::u16string(kDocClose);
}

AccessPointKind ClassifyAccessPointAnswer(std::u16string_view answer) {
  std::u16string upper(answer);
  for (char16_t& c : upper) c = Upper(c);
  for (std::u16string_view name : {u"VALUE=\"CMWAP\"", u"VALUE=\"UNIWAP\"", u"VALUE=\"3GWAP\""}) {
    if (upper.find(name) != std::u16string::npos) return AccessPointKind::kWap;
  }
  for (std::u16string_view name : {u"VALUE=\"CMNET\"", u"VALUE=\"UNINET\"", u"VALUE=\"3GNET\""}) {
    if (upper.find(name) != std::u16string::npos) return AccessPointKind::kDirect;
  }
  return AccessPointKind::kUnknown;
}

}  // namespace tarvello
