// Failover: keeps the terminal on a quote server that answers. Every exchange with the quote
// server reports whether it worked. After three failures in a row a thread of its own probes the
// four servers of the deployment's table, moves the transport to the fastest that answers and
// writes one line to the communication log, saying from which server to which and why. When none
// answers it tries again after 1 s, then 2 s, 4 s and so on up to 30 s between rounds; meanwhile
// the status says the connection is down, so that the screens do not show old figures as live.
// A manual server choice is the user's: it turns failover off until the next start.
//
// Record, TurnOff and Status are safe from any thread; the probes and the switch run on the
// failover thread, which the destructor stops (waking it from a back-off wait, ending a probe in
// progress through the link's stop and skipping the cells not yet probed).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "protocol/server_choice.h"

namespace tarvello {

// The waits between probe rounds while no server answers: 1 s, doubling, at most 30 s.
class ProbeBackOff {
 public:
  static constexpr std::chrono::milliseconds kFirst{1000};
  static constexpr std::chrono::milliseconds kLongest{30000};
  explicit ProbeBackOff(std::chrono::milliseconds first = kFirst) : next_(first) {}
  std::chrono::milliseconds Next();

 private:
  std::chrono::milliseconds next_;
};

struct FailoverLink {
  // One probe of the server in the cell: how long it took, or none when it gave no proper answer.
  std::function<std::optional<std::chrono::milliseconds>(ServerCell)> probe;
  // Points the transport at the server in the cell.
  std::function<void(ServerCell)> use;
  // The server's text for the log ("host:port").
  std::function<std::string(ServerCell)> name;
  std::function<void(std::string_view)> log;
  // Ends the probe in progress at once and makes every later one give up; called when the
  // failover stops, so that closing never waits for a silent server. May be empty.
  std::function<void()> stop;
  // The text of the server the transport talks to now. The start-up connects to index 0 of the
  // group its probe chose, whatever index the probe timed, so the selection alone may name
  // another server. Empty: the selection's.
  std::function<std::string()> in_use;
};

enum class LinkState {
  kLive,      // exchanges work
  kSwitched,  // failover moved to another server a moment ago
  kDown,      // no server answers
};

struct FailoverStatus {
  LinkState state = LinkState::kLive;
  ServerCell cell;  // the server in use
};

class Failover {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr int kFailuresBeforeProbe = 3;
  // How long the status says kSwitched after a switch.
  static constexpr std::chrono::seconds kSwitchShown{5};

  // first_wait: the pause after the first round in which no server answered.
  Failover(FailoverLink link, ServerSelection& selection,
           std::chrono::milliseconds first_wait = ProbeBackOff::kFirst);
  ~Failover();
  Failover(const Failover&) = delete;
  Failover& operator=(const Failover&) = delete;

  // After every exchange with the quote server.
  void Record(bool answered);
  // The user chose a server: no failover until the next start.
  void TurnOff();
  FailoverStatus Status() const;

 private:
  void Run();
  // One round over the four cells, ended early when the failover stops; the fastest that
  // answered, or none.
  std::optional<ServerCell> ProbeRound();
  void SwitchTo(ServerCell cell, const char* why);

  const FailoverLink link_;
  ServerSelection& selection_;
  const std::chrono::milliseconds first_wait_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  int failures_ = 0;            // guarded by mutex_
  bool probing_ = false;        // guarded by mutex_
  bool off_ = false;            // guarded by mutex_
  bool stopping_ = false;       // guarded by mutex_
  bool down_ = false;           // guarded by mutex_
  Clock::time_point switched_;  // guarded by mutex_
  std::thread thread_;
};

// The ticker strip's notice for a status: the server moved to ("已切换至 host:port") for a few
// seconds after a switch, "连接中断" while no server answers, nothing while all is well.
std::u16string FailoverNotice(const FailoverStatus& status, std::u16string_view server);

}  // namespace tarvello
