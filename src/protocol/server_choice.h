// Server choice: which quote server the program talks to. At start-up a probe exchange times one
// server of each of the two groups and keeps the faster group; later the user may pick any row of
// the manual server list. The selection (group 0 or 1, index 0 or 1) also picks the information
// server of the article download.
//
// ServerSelection is safe from any thread. The probe runs on the start-up thread through a
// ProbeLink, which the program backs with the transport (holding its exchange lock) and tests back
// with a script.
#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <string>

#include "settings/deployment.h"

namespace tarvello {

struct ServerCell {
  int group = 1;
  int index = 0;
  bool operator==(const ServerCell&) const = default;
};

class ServerSelection {
 public:
  ServerCell Get() const;
  void Set(ServerCell cell);

 private:
  mutable std::mutex mutex_;
  ServerCell cell_;  // guarded by mutex_
};

// The label of a row of the manual server list ("开发专线", "真如电信均衡负载", ...).
std::u16string ServerListLabel(int row);
// The row's text as the list shows it: address, ":", label.
std::u16string ServerListText(const Deployment& deployment, int row);
// The selection a tap on a row makes; row 24 (and any row out of range) keeps the current one.
ServerCell ManualChoice(int row, ServerCell current);

// What the probe needs of the transport.
class ProbeLink {
 public:
  virtual ~ProbeLink() = default;
  virtual void Connect(const std::string& host, int port) = 0;
  // One exchange; the count received.
  virtual int Exchange(std::span<const std::uint8_t> request, std::span<std::uint8_t> response) = 0;
  virtual void Close() = 0;
};

// The probe's view of time.
class ProbeClock {
 public:
  virtual ~ProbeClock() = default;
  virtual int UtcSecond() = 0;  // 0-59
  virtual std::int64_t TickMs() = 0;
  virtual void SleepMs(int milliseconds) = 0;
};

// Times the probe against group 1 and then group 0 (index 1 when the UTC second is 30 or more)
// and stores the faster group, group 1 on a tie. False, with the selection unchanged, when either
// answer is not exactly the 8-byte probe.
bool RunStartupProbe(ProbeLink& link, ProbeClock& clock, const Deployment& deployment, ServerSelection& selection);

}  // namespace tarvello
