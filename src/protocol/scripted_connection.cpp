#include "protocol/scripted_connection.h"

#include <fstream>

#include "protocol/provisioning_documents.h"
#include "text/text_codec.h"

namespace tarvello {

namespace {

constexpr std::u16string_view kDesktopDestination = u"{436EF144-B4FB-4863-A041-8F905A62C572}";
constexpr std::u16string_view kOwnDestination = u"{D1D06580-C364-55ec-9421-6ACF34129C00}";
constexpr std::u16string_view kCarrierGprsEntry = u"Carrier GPRS";
constexpr std::uint32_t kStatusConnectionFailed = 0x21;

bool Contains(std::u16string_view text, std::u16string_view part) {
  return text.find(part) != std::u16string_view::npos;
}

}  // namespace

ScriptedConnection::ScriptedConnection(NetworkCase network_case, std::u16string access_point,
                                       std::filesystem::path document_log)
    : case_(network_case), access_point_(std::move(access_point)), document_log_(std::move(document_log)) {}

bool ScriptedConnection::AnyConnectionUp() const {
  return case_ == NetworkCase::kDesktop || case_ == NetworkCase::kGprs || case_ == NetworkCase::kCdma ||
         own_connection_up_;
}

std::vector<ConnectionDetail> ScriptedConnection::QueryDetailedStatus() {
  const std::lock_guard<std::mutex> lock(mutex_);
  ConnectionDetail detail;
  detail.status = kConnectionStatusConnected;
  switch (case_) {
    case NetworkCase::kDesktop:
      detail.description = u"Desktop link";
      detail.destination = std::u16string(kDesktopDestination);
      return {detail};
    case NetworkCase::kGprs:
      detail.cellular = true;
      detail.subtype = kSubtypeGprs;
      detail.description = std::u16string(kCarrierGprsEntry);
      detail.destination = std::u16string(kDesktopDestination);
      return {detail};
    case NetworkCase::kCdma:
      detail.cellular = true;
      detail.subtype = kSubtypeCdma1x;
      detail.description = u"CDMA";
      detail.destination = std::u16string(kDesktopDestination);
      return {detail};
    default:
      break;
  }
  if (!own_connection_up_) return {};
  detail.cellular = true;
  detail.subtype = own_carrier_ == 2 ? kSubtypeCdma1x : kSubtypeGprs;
  detail.description = CarrierEntryName(own_carrier_);
  detail.destination = std::u16string(kOwnDestination);
  return {detail};
}

std::u16string ScriptedConnection::AccessPointOf(std::u16string_view entry) const {
  if (case_ == NetworkCase::kGprs && entry == kCarrierGprsEntry) return access_point_;
  if (own_carrier_ == 0 && entry == CarrierEntryName(0)) return u"cmnet";
  if (own_carrier_ == 1 && entry == CarrierEntryName(1)) return u"3gnet";
  return {};
}

std::optional<std::u16string> ScriptedConnection::ProcessConfigXml(std::u16string_view document) {
  AppendToLog(document);
  const std::lock_guard<std::mutex> lock(mutex_);
  if (case_ == NetworkCase::kProvisioningFails) return std::nullopt;
  if (Contains(document, u"<parm-query")) {
    std::u16string entry(kCarrierGprsEntry);
    for (int carrier = 0; carrier < kCarrierCount; ++carrier) {
      if (Contains(document, u"\"" + CarrierEntryName(carrier) + u"\"")) entry = CarrierEntryName(carrier);
    }
    if (!Contains(document, entry)) return u"";
    return u"<parm name=\"GPRSInfoAccessPointName\" value=\"" + AccessPointOf(entry) + u"\"/>";
  }
  if (document == RemoveNetworkEntryDocument()) {
    own_network_ = false;
    own_connection_up_ = false;
    return u"";
  }
  for (int carrier = 0; carrier < kCarrierCount; ++carrier) {
    if (Contains(document, u"<characteristic type=\"" + CarrierEntryName(carrier) + u"\">")) {
      own_network_ = true;
      own_carrier_ = carrier;
    }
  }
  return u"";
}

std::optional<DestinationNetwork> ScriptedConnection::EnumDestination(int index) {
  const std::lock_guard<std::mutex> lock(mutex_);
  std::vector<DestinationNetwork> networks = {{u"The Internet", std::u16string(kDesktopDestination)},
                                              {u"WAP Network", u"{7022E968-5A97-4051-BC1C-C578E2FBA5D9}"}};
  if (own_network_) networks.push_back({u"Morvane", std::u16string(kOwnDestination)});
  if (index < 0 || static_cast<std::size_t>(index) >= networks.size()) return std::nullopt;
  return networks[static_cast<std::size_t>(index)];
}

std::uint32_t ScriptedConnection::EstablishSync(const ConnectionRequest& request, int, ConnectionHandle& handle) {
  const std::lock_guard<std::mutex> lock(mutex_);
  std::uint32_t status = kConnectionStatusConnected;
  if (request.destination == kOwnDestination) {
    if (case_ == NetworkCase::kNone || !own_network_) {
      status = kStatusConnectionFailed;
    } else {
      own_connection_up_ = true;
    }
  } else if (!AnyConnectionUp()) {
    status = kStatusConnectionFailed;
  }
  handle = next_handle_++;
  requests_[handle] = status;
  return status;
}

bool ScriptedConnection::EstablishAsync(const ConnectionRequest& request, ConnectionHandle& handle) {
  const std::lock_guard<std::mutex> lock(mutex_);
  const bool up = AnyConnectionUp();
  // With nothing up, only a test-only request is accepted (and reports the failure).
  if (!up && !request.test_only) return false;
  std::uint32_t status = up ? kConnectionStatusConnected : kStatusConnectionFailed;
  if (request.test_only && up) status = kConnectionStatusWouldConnect;
  handle = next_handle_++;
  requests_[handle] = status;
  return true;
}

std::optional<std::uint32_t> ScriptedConnection::WaitStatus(ConnectionHandle handle, int) {
  const std::lock_guard<std::mutex> lock(mutex_);
  const auto it = requests_.find(handle);
  if (it == requests_.end()) return std::nullopt;
  return it->second;
}

void ScriptedConnection::Release(ConnectionHandle handle) {
  const std::lock_guard<std::mutex> lock(mutex_);
  requests_.erase(handle);
}

std::size_t ScriptedConnection::open_handles() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return requests_.size();
}

void ScriptedConnection::AppendToLog(std::u16string_view document) const {
  if (document_log_.empty()) return;
  std::ofstream out(document_log_, std::ios::binary | std::ios::app);
  out << text::ToUtf8(document) << '\n';
}

}  // namespace tarvello
