#include "shell/network_startup.h"

#include <chrono>
#include <ctime>
#include <thread>

#include "protocol/transport_links.h"

namespace tarvello {

void ApplyTransportMode(CCommunicate& transport, TransportMode mode) {
  const std::lock_guard<std::recursive_mutex> lock(transport.exchange_lock());
  transport.SetDirect(mode == TransportMode::kDirect);
}

bool BringNetworkUp(NetworkBringUp& bringup, int carrier, CCommunicate& transport) {
  const std::optional<TransportMode> mode = bringup.StartUp(carrier);
  if (!mode) return false;
  ApplyTransportMode(transport, *mode);
  return true;
}

void ConnectQuoteServer(CCommunicate& transport, ProbeClock& clock, const Deployment& deployment,
                        ServerSelection& selection) {
  const std::lock_guard<std::recursive_mutex> lock(transport.exchange_lock());
  CommunicateProbeLink link(transport);
  RunStartupProbe(link, clock, deployment, selection);
  const int group = selection.Get().group;
  SwitchServer(transport, deployment.quote_servers[static_cast<std::size_t>(group)][0], deployment.quote_port);
}

void DialFromStartDialog(NetworkBringUp& bringup, int carrier, DialPresenter& presenter) {
  bringup.ProvisionCarrier(carrier);
  bringup.Dial(presenter);
}

void ConnectionRedial::Ask() {
  if (bringup_.RequestConnectionAgain()) return;
  if (!ask_(u"当前网络已断开，是否重新拨号?", u"提示")) return;
  if (const std::optional<TransportMode> mode = bringup_.Dial(presenter_)) ApplyTransportMode(transport_, *mode);
}

int SystemProbeClock::UtcSecond() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  return utc.tm_sec;
}

std::int64_t SystemProbeClock::TickMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void SystemProbeClock::SleepMs(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace tarvello
