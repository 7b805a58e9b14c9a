// The waits of the socket transport. The defaults are the program's values; tests shorten them
// by passing their own settings to CCommunicate, never by changing these.
#pragma once

#include <chrono>

namespace tarvello {

struct TransportTimings {
  // How long a send waits for the socket to become writable.
  std::chrono::milliseconds writable_wait{2000};
  // How long each receive waits for the next bytes.
  std::chrono::milliseconds readable_wait{10000};
  // After a wait without data, a direct-mode receive keeps waiting until this much time has
  // passed since it started.
  std::chrono::milliseconds answer_deadline{3000};
  // The pause between closing a broken connection and opening the next one.
  std::chrono::milliseconds pause{200};
  // How long a connect may take before it counts as failed (the handheld's stack gave up after
  // about 21 seconds of unanswered attempts).
  std::chrono::milliseconds connect_wait{21000};
};

}  // namespace tarvello
