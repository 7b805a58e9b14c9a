#include "protocol/failover.h"

#include <algorithm>
#include <array>

namespace tarvello {
namespace {

constexpr std::array<ServerCell, 4> kCells = {ServerCell{1, 0}, ServerCell{1, 1}, ServerCell{0, 0}, ServerCell{0, 1}};

}  // namespace

std::chrono::milliseconds ProbeBackOff::Next() {
  const std::chrono::milliseconds wait = next_;
  next_ = std::min(next_ * 2, kLongest);
  return wait;
}

Failover::Failover(FailoverLink link, ServerSelection& selection, std::chrono::milliseconds first_wait)
    : link_(std::move(link)), selection_(selection), first_wait_(first_wait), thread_([this] { Run(); }) {}

Failover::~Failover() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (link_.stop) link_.stop();
  thread_.join();
}

void Failover::Record(bool answered) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (answered) {
    failures_ = 0;
    down_ = false;
    if (probing_) wake_.notify_all();
    return;
  }
  if (off_ || probing_ || ++failures_ < kFailuresBeforeProbe) return;
  probing_ = true;
  wake_.notify_all();
}

void Failover::TurnOff() {
  std::lock_guard<std::mutex> lock(mutex_);
  off_ = true;
  down_ = false;
  wake_.notify_all();
}

FailoverStatus Failover::Status() const {
  std::lock_guard<std::mutex> lock(mutex_);
  FailoverStatus status{LinkState::kLive, selection_.Get()};
  if (down_) {
    status.state = LinkState::kDown;
  } else if (switched_ != Clock::time_point{} && Clock::now() - switched_ < kSwitchShown) {
    status.state = LinkState::kSwitched;
  }
  return status;
}

// Waits for three failures, then probes in rounds with growing pauses until a server answers,
// an exchange succeeds meanwhile, the user chooses a server or the program ends.
void Failover::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [&] { return stopping_ || (probing_ && !off_); });
    if (stopping_) return;
    ProbeBackOff backOff(first_wait_);
    for (;;) {
      lock.unlock();
      const std::optional<ServerCell> found = ProbeRound();
      lock.lock();
      if (stopping_) return;
      if (off_) break;
      if (found) {
        lock.unlock();
        SwitchTo(*found, down_ ? "no server answered" : "three exchanges failed");
        lock.lock();
        break;
      }
      down_ = true;
      const bool woken = wake_.wait_for(lock, backOff.Next(), [&] { return stopping_ || off_ || failures_ == 0; });
      if (stopping_) return;
      if (woken) break;  // the user chose, or the server came back by itself
    }
    probing_ = false;
    failures_ = 0;
  }
}

std::optional<ServerCell> Failover::ProbeRound() {
  std::optional<ServerCell> fastest;
  std::chrono::milliseconds best{};
  for (const ServerCell cell : kCells) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (stopping_) return std::nullopt;
    }
    const std::optional<std::chrono::milliseconds> took = link_.probe(cell);
    if (took && (!fastest || *took < best)) {
      fastest = cell;
      best = *took;
    }
  }
  return fastest;
}

// A server that answers under the name in use already is no switch: the failures were passing.
void Failover::SwitchTo(ServerCell cell, const char* why) {
  const std::string from = link_.in_use ? link_.in_use() : link_.name(selection_.Get());
  const std::string to = link_.name(cell);
  link_.use(cell);
  selection_.Set(cell);
  if (from != to) link_.log("Failover " + from + " -> " + to + ": " + why);
  std::lock_guard<std::mutex> lock(mutex_);
  down_ = false;
  if (from != to) switched_ = Clock::now();
}

std::u16string FailoverNotice(const FailoverStatus& status, std::u16string_view server) {
  switch (status.state) {
    case LinkState::kSwitched: return u"已切换至 " + std::u16string(server);
    case LinkState::kDown: return u"连接中断";
    case LinkState::kLive: break;
  }
  return {};
}

}  // namespace tarvello
