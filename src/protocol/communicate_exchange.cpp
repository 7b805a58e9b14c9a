// CommunicateThread: one whole exchange of CCommunicate under the exchange lock.
#include <algorithm>

#include "protocol/communicate.h"

namespace tarvello {

int CCommunicate::CommunicateThread(std::span<const std::uint8_t> request,
                                    std::span<std::uint8_t> response) {
  int received;
  {
    std::lock_guard<std::recursive_mutex> exchange(exchange_mutex_);
    log_.Write("CommunicateThread ");
    // A cancel meant for an earlier exchange must not stop this one before it starts.
    ClearCancel();
    std::fill(response.begin(), response.end(), std::uint8_t{0});
    received = direct_ ? RunPersistent(request, response) : RunPerRequest(request, response);
  }
  log_.Write("CommunicateThread End");
  return received;
}

// Direct mode: the connection stays open; a failed send gets one reconnect and one resend.
int CCommunicate::RunPersistent(std::span<const std::uint8_t> request,
                                std::span<std::uint8_t> response) {
  int received = 0;
  if (SendData(request) >= 1) {
    received = RecieveData(response);
  } else if (!cancelled_) {
    log_.Write("Reconnect");
    if (Connect() != 0) {
      AskRedial();
    } else if (SendData(request) >= 1) {
      received = RecieveData(response);
    }
  }
  log_.WriteNumber("iTotal = %d", received);
  return received;
}

// WAP mode: one connection to the gateway per exchange.
int CCommunicate::RunPerRequest(std::span<const std::uint8_t> request,
                                std::span<std::uint8_t> response) {
  int received = 0;
  if (Connect() != 0) {
    AskRedial();
  } else if (SendData(request) > 0) {
    received = RecieveHttpData(response);
  }
  CloseSocket();
  return received;
}

void CCommunicate::AskRedial() {
  if (dial_prompt_allowed_ && !cancelled_) redial_->Ask();
}

}  // namespace tarvello
