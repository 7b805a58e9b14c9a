#include "protocol/network_bringup.h"

#include <cstdio>

namespace tarvello {

namespace {

constexpr std::u16string_view kInternetDestination = u"{436EF144-B4FB-4863-A041-8F905A62C572}";
constexpr std::u16string_view kWapDestination = u"{7022E968-5A97-4051-BC1C-C578E2FBA5D9}";
constexpr std::uint32_t kAllProxies = 15;  // HTTP, WAP, SOCKS4, SOCKS5
constexpr std::uint32_t kHttpProxy = 1;
constexpr std::uint32_t kUserInteractive = 0x8000;
constexpr std::uint32_t kLowBackground = 0x200;
constexpr int kEstablishTimeoutMs = 15000;
constexpr int kSettleMs = 500;
constexpr int kTestLatencyMs = 4000;
constexpr int kTestWaitMs = 6000;

bool IsGprsSubtype(int subtype) {
  return subtype == kSubtypeGprs || subtype == kSubtypeEdge || subtype == kSubtypeUmts;
}

std::u16string HexStatus(std::uint32_t status) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", status);
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

}  // namespace

NetworkBringUp::NetworkBringUp(ConnectionManager& manager, std::u16string cdma_user,
                               std::u16string cdma_password, Hooks hooks)
    : manager_(manager),
      cdma_user_(std::move(cdma_user)),
      cdma_password_(std::move(cdma_password)),
      hooks_(std::move(hooks)) {}

void NetworkBringUp::Log(std::string_view line) const {
  if (hooks_.log) hooks_.log(line);
}

bool NetworkBringUp::provisioned() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return provisioned_;
}

ConnectionState NetworkBringUp::QueryConnection() {
  for (const ConnectionDetail& detail : manager_.QueryDetailedStatus()) {
    if (detail.status != kConnectionStatusConnected) continue;
    ConnectionState state;
    state.connected = true;
    if (detail.cellular && IsGprsSubtype(detail.subtype)) {
      state.gprs = true;
      state.entry = detail.description;
    }
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      destination_ = detail.destination;
    }
    RequestConnectionAgain();
    return state;
  }
  return {};
}

void NetworkBringUp::ProvisionCarrier(int carrier) {
  if (carrier < 0 || carrier >= kCarrierCount) carrier = 0;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    provisioned_ = true;
  }
  manager_.ProcessConfigXml(RemoveConnectionEntryDocument(CarrierEntryName(carrier)));
  manager_.ProcessConfigXml(RemoveNetworkEntryDocument());
  manager_.ProcessConfigXml(CarrierDocument(carrier, cdma_user_, cdma_password_));
}

std::optional<std::u16string> NetworkBringUp::FindOwnDestination() {
  for (int index = 0;; ++index) {
    const std::optional<DestinationNetwork> network = manager_.EnumDestination(index);
    if (!network) return std::nullopt;
    if (network->name == kOwnNetworkName) return network->identifier;
  }
}

bool NetworkBringUp::ConnectProvisioned() {
  if (!provisioned()) return true;
  ReleaseHeld();
  const std::optional<std::u16string> destination = FindOwnDestination();
  if (!destination) return true;

  ConnectionRequest request;
  request.destination = *destination;
  ConnectionHandle handle = 0;
  const std::uint32_t status = manager_.EstablishSync(request, kEstablishTimeoutMs, handle);
  if (status != kConnectionStatusConnected) {
    if (handle != 0) manager_.Release(handle);
    const std::u16string hex = HexStatus(status);
    Log("FALSE ConnectProvisioned " + std::string(hex.begin(), hex.end()));
    if (hooks_.record_error) hooks_.record_error(hex);
    return false;
  }
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    held_ = handle;
    destination_ = *destination;
  }
  if (hooks_.sleep) hooks_.sleep(kSettleMs);
  return true;
}

AccessPointKind NetworkBringUp::QueryAccessPoint(std::u16string_view entry) {
  const std::optional<std::u16string> answer = manager_.ProcessConfigXml(AccessPointQueryDocument(entry));
  return answer ? ClassifyAccessPointAnswer(*answer) : AccessPointKind::kUnknown;
}

bool NetworkBringUp::IsKnownAccessPoint(std::u16string_view entry) {
  return QueryAccessPoint(entry) != AccessPointKind::kUnknown;
}

bool NetworkBringUp::IsWapAccessPoint(std::u16string_view entry) {
  return QueryAccessPoint(entry) == AccessPointKind::kWap;
}

bool NetworkBringUp::RequestConnectionAgain() {
  ReleaseHeld();
  ConnectionRequest request;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    request.destination = destination_;
  }
  request.proxies = kAllProxies;
  request.priority = kUserInteractive;
  ConnectionHandle handle = 0;
  if (!manager_.EstablishAsync(request, handle)) return false;
  const std::lock_guard<std::mutex> lock(mutex_);
  held_ = handle;
  return true;
}

int NetworkBringUp::IsAvailable(TransportMode mode) {
  ConnectionRequest request;
  request.destination = mode == TransportMode::kWap ? kWapDestination : kInternetDestination;
  request.proxies = mode == TransportMode::kWap ? kAllProxies : kHttpProxy;
  request.priority = mode == TransportMode::kWap ? kLowBackground : kUserInteractive;
  request.test_only = true;
  request.max_latency_ms = kTestLatencyMs;
  ConnectionHandle handle = 0;
  // A refused request is an answer too: not available.
  std::optional<std::uint32_t> status = 0;
  if (manager_.EstablishAsync(request, handle)) status = manager_.WaitStatus(handle, kTestWaitMs);
  if (handle != 0) manager_.Release(handle);

  if (!status) {
    Log("TIMEOUT FALSE IsAvailable");
    return -1;
  }
  if (*status == kConnectionStatusConnected || *status == kConnectionStatusWouldConnect) {
    Log("SUCCEEDED IsAvailable");
    return 0;
  }
  Log("FALSE IsAvailable");
  return 1;
}

void NetworkBringUp::ReleaseConnection() {
  Log("Release Connect!");
  ReleaseHeld();
}

void NetworkBringUp::ReleaseHeld() {
  ConnectionHandle handle = 0;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::swap(handle, held_);
  }
  if (handle != 0) manager_.Release(handle);
}

TransportMode NetworkBringUp::DecideTransportMode(const ConnectionState& state) {
  if (state.connected && state.gprs && IsWapAccessPoint(state.entry)) return TransportMode::kWap;
  return TransportMode::kDirect;
}

std::optional<TransportMode> NetworkBringUp::StartUp(int carrier) {
  ConnectionState state = QueryConnection();
  if (!state.connected) {
    ProvisionCarrier(carrier);
    if (ConnectProvisioned()) state = QueryConnection();
  }
  if (state.connected && state.gprs && !IsKnownAccessPoint(state.entry)) {
    ReleaseConnection();
    state.connected = false;
  }
  if (!state.connected) {
    Log("FALSE StartUp");
    return std::nullopt;
  }
  return DecideTransportMode(state);
}

std::optional<TransportMode> NetworkBringUp::Dial(DialPresenter& presenter) {
  presenter.ShowProgress(u"拨号中，请稍后...");
  ConnectionState state = QueryConnection();
  if (!state.connected && ConnectProvisioned()) state = QueryConnection();
  // The progress window goes back to its usual text either way, so that the next busy exchange
  // does not show the dialling text.
  presenter.SetProgressText(u"获取数据中，请稍后...");
  if (!state.connected) {
    Log("FALSE Dial");
    presenter.HideProgress();
    presenter.ShowMessage(u"拨号失败，请配置好网络", u"提示");
    return std::nullopt;
  }
  const TransportMode mode = DecideTransportMode(state);
  presenter.HideProgress();
  presenter.ShowMessage(u"拨号成功!", u"提示");
  return mode;
}

}  // namespace tarvello
