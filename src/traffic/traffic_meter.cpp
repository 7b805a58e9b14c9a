#include "traffic/traffic_meter.h"

#include <atomic>
#include <cerrno>

namespace tarvello {
namespace {

std::atomic<TrafficSink*> g_sink{nullptr};
thread_local TrafficScreen t_screen = kTrafficOther;
thread_local std::size_t t_exchange_bytes = 0;

}  // namespace

void InstallTrafficSink(TrafficSink* sink) { g_sink = sink; }

void CountTraffic(std::size_t bytes) {
  TrafficSink* sink = g_sink.load();
  if (sink == nullptr || bytes == 0) return;
  const int saved_errno = errno;
  t_exchange_bytes += bytes;
  sink->Count(t_screen, bytes);
  errno = saved_errno;
}

bool TrafficSaving() {
  TrafficSink* sink = g_sink.load();
  if (sink == nullptr) return false;
  const int saved_errno = errno;
  const bool saving = sink->Saving();
  errno = saved_errno;
  return saving;
}

int TrafficPeriodFactor() { return TrafficSaving() ? 2 : 1; }

TrafficScope::TrafficScope(TrafficScreen screen)
    : outer_screen_(t_screen), outer_bytes_(t_exchange_bytes) {
  t_screen = screen;
  t_exchange_bytes = 0;
}

TrafficScope::~TrafficScope() {
  if (TrafficSink* sink = g_sink.load(); sink != nullptr && t_exchange_bytes > 0) {
    sink->ExchangeEnded(t_screen, t_exchange_bytes);
  }
  t_screen = outer_screen_;
  t_exchange_bytes = outer_bytes_ + t_exchange_bytes;
}

}  // namespace tarvello
