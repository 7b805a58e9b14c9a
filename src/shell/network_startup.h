// The network part of the program's start: bring the data connection up and set the transport's
// mode from it; then, behind the menu, choose the quote server by the probe and connect to it.
// Runs on the start-up thread. Also the redial question the transport asks when it cannot connect once the start-up
// has completed.
#pragma once

#include <functional>
#include <string_view>

#include "protocol/communicate.h"
#include "protocol/network_bringup.h"
#include "protocol/redial_question.h"
#include "protocol/server_choice.h"
#include "settings/deployment.h"

namespace tarvello {

// Sets the transport for a mode: WAP means one connection per exchange through the gateway.
void ApplyTransportMode(CCommunicate& transport, TransportMode mode);

// Brings the network up for the carrier and applies the mode; no exchange with a quote server.
// False when no usable connection exists.
bool BringNetworkUp(NetworkBringUp& bringup, int carrier, CCommunicate& transport);

// Runs the probe and connects to index 0 of the chosen group. It holds the exchange lock
// throughout, so that no other thread's exchange goes to a server the probe is only trying: the
// screens' exchanges wait for the choice (showing what they hold meanwhile).
void ConnectQuoteServer(CCommunicate& transport, ProbeClock& clock, const Deployment& deployment,
                        ServerSelection& selection);

// The start dialog's "拨号": sets up the carrier's own connection entries and dials, showing the
// dial flow's progress text and its "拨号成功!" or "拨号失败，请配置好网络". The main screen's
// start-up runs afterwards either way.
void DialFromStartDialog(NetworkBringUp& bringup, int carrier, DialPresenter& presenter);

// Asks "当前网络已断开，是否重新拨号?" when the connection cannot be requested again, and
// dials on Yes. Runs on the exchanging thread, which holds the exchange lock.
class ConnectionRedial : public RedialQuestion {
 public:
  using YesNo = std::function<bool(std::u16string_view text, std::u16string_view caption)>;

  ConnectionRedial(NetworkBringUp& bringup, DialPresenter& presenter, YesNo ask, CCommunicate& transport)
      : bringup_(bringup), presenter_(presenter), ask_(std::move(ask)), transport_(transport) {}

  void Ask() override;

 private:
  NetworkBringUp& bringup_;
  DialPresenter& presenter_;
  YesNo ask_;
  CCommunicate& transport_;
};

// The probe's clock: the UTC second, a monotonic tick and a real sleep.
class SystemProbeClock : public ProbeClock {
 public:
  int UtcSecond() override;
  std::int64_t TickMs() override;
  void SleepMs(int milliseconds) override;
};

}  // namespace tarvello
